#pragma once
// The program's only document. It reads the charge file that the call logger appends to and keeps
// the tallies of the last 30 days and the last 12 billing months:
//   BillingCalendar which dates each slot holds, with its label (labels double as line selectors),
//   ChargeFile     the file cut into lines, ChargeFields the values at fixed columns,
//   SlotClassifier which slots a line's date falls into, DerivedFigures max/average/total/forecast.
// Its owner decides when to load; everything else reads the figures through the getters.

#include "settings/Settings.h"
#include "document/ChargeFile.h"
#include "document/ChargeLoad.h"
#include "document/BillingCalendar.h"
#include "document/SlotTallies.h"
#include "document/TallySeries.h"
#include "platform/core/Document.h"

#include <ctime>
#include <optional>
#include <string>

class IClock;

class CPeloraDoc : public CDocument {
public:
    // Longest charge-file path the document accepts, in bytes.
    static constexpr std::size_t kMaxPathBytes = 255;
    static constexpr const char* kOpenFailedMessage = "2:料金ファイルが開けませんでした";
    static constexpr const char* kRetryNote = "1 分ごとに確かめ、読めるようになり次第表示します。";
    static constexpr const char* kPathTooLongMessage =
        "料金ファイルのパスが長すぎます（255バイトまで）。";

    // givenDay: a date asked for (the report's --today), tallied as that date while the clock stands
    // at its noon, even where the local calendar skips it. Nothing is read yet: whoever owns the
    // document starts the first load (the window away from its thread, a report at once).
    CPeloraDoc(IProfileStore& profile, const IClock& clock, std::optional<CivilDate> givenDay = std::nullopt);
    ~CPeloraDoc() override;

    // Takes the archive's file as the charge file; its first load reads the file the archive opened.
    void Serialize(CArchive& archive) override;

    // Whole: the file read from its start, as every load the user asks for is. ReadOn: only what
    // was appended since the last load, where the file has only grown; else whole.
    enum class LoadKind { Whole, ReadOn };
    // A load done here and now, for the commands without a window.
    void LoadChargeFile(LoadKind kind = LoadKind::Whole);
    // A load in parts, for a caller that reads away from the GUI thread: what to read, and its
    // outcome taken back. Only the latest prepared load is taken; a stopped one changes nothing.
    ChargeLoad PrepareLoad(LoadKind kind);
    enum class Outcome { Stale, Loaded, Failed };
    Outcome ApplyLoad(const ChargeLoad& load);
    // The minute's check (notified false) or a change the system told of, as of now: on a new day
    // the document moves to it and the file is read again; on the same day it is read again when
    // it has changed (reading on after a told change; whole when the minute finds it changed since
    // the last whole read). After a failed load it only looks whether the file can be read again.
    // The load due now, if any.
    std::optional<LoadKind> DueLoad(std::time_t now, bool notified);
    // The bytes a read-on just found due would read (grown since the last load); -1 when unknown.
    std::int64_t BytesDue() const { return m_bytesDue; }
    enum class FileChange { Unreadable = -1, Unchanged = 0, Changed = 1 };
    FileChange HasChargeFileChanged() const;
    void BuildPeriodLabels();
    void SetToday(std::time_t today) { m_today = today; }
    int GetClosingDay() const { return m_closingDay; }
    void SetClosingDay(int day) { m_closingDay = day; }
    // No figures to show: the file was never read, or its last load failed.
    bool IsLoadFailed() const { return m_state != State::Loaded; }
    // The file was never read since it was chosen: the first load is under way.
    bool IsFirstLoadPending() const { return m_state == State::NotRead; }
    const std::string& GetLogPath() const { return m_logPath; }
    // Whether a charge file was ever chosen (and can be opened under its name at all).
    bool HasChargeFile() const { return m_logPath != CSettings::kNoLogPath && m_logPath.size() <= kMaxPathBytes; }
    CivilDate GetTodayDate() const { return DateOf(m_today); }
    // The date a time value falls on, as the document counts dates.
    CivilDate DateOf(std::time_t time) const;
    // Why the last load failed, in the system's words (empty after a success).
    const std::string& GetLoadError() const { return m_loadError; }
    // The message's fixed first line for the last failed load.
    const char* GetLoadFailureMessage() const;

    // The calendar of the figures shown: their date, closing day, slots and labels.
    const CBillingCalendar& GetCalendar() const { return m_calendar; }
    const char* GetDayLabel(int i) const { return m_calendar.DayLabel(i); }
    const char* GetMonthLabel(int i) const { return m_calendar.MonthLabel(i); }
    const char* GetPrevMonthLabel() const { return m_calendar.PreviousMonth().data(); }

    Figure GetDayCount(int i) const { return m_tallies.dayCount.Slot(i); }
    Figure GetDayCountMax() const { return m_tallies.dayCount.Max(); }
    Figure GetDayCountAverage() const { return m_tallies.dayCount.Average(); }
    Figure GetDayCountTotal() const { return m_tallies.dayCount.Total(); }
    Figure GetDayYen(int i) const { return m_tallies.dayYen.Slot(i); }
    Figure GetDayYenMax() const { return m_tallies.dayYen.Max(); }
    Figure GetDayYenAverage() const { return m_tallies.dayYen.Average(); }
    Figure GetDayYenTotal() const { return m_tallies.dayYen.Total(); }
    Figure GetDaySeconds(int i) const { return m_tallies.daySeconds.Slot(i); }
    Figure GetDaySecondsMax() const { return m_tallies.daySeconds.Max(); }
    Figure GetDaySecondsAverage() const { return m_tallies.daySeconds.Average(); }
    Figure GetDaySecondsTotal() const { return m_tallies.daySeconds.Total(); }
    Figure GetMonthCount(int i) const { return m_tallies.monthCount.Slot(i); }
    Figure GetMonthCountMax() const { return m_tallies.monthCount.Max(); }
    Figure GetMonthCountAverage() const { return m_tallies.monthCount.Average(); }
    Figure GetMonthCountTotal() const { return m_tallies.monthCount.Total(); }
    Figure GetMonthYen(int i) const { return m_tallies.monthYen.Slot(i); }
    Figure GetMonthYenMax() const { return m_tallies.monthYen.Max(); }
    Figure GetMonthYenAverage() const { return m_tallies.monthYen.Average(); }
    Figure GetMonthYenTotal() const { return m_tallies.monthYen.Total(); }
    Figure GetMonthSeconds(int i) const { return m_tallies.monthSeconds.Slot(i); }
    Figure GetMonthSecondsMax() const { return m_tallies.monthSeconds.Max(); }
    Figure GetMonthSecondsAverage() const { return m_tallies.monthSeconds.Average(); }
    Figure GetMonthSecondsTotal() const { return m_tallies.monthSeconds.Total(); }
    Figure GetForecastYen() const { return m_tallies.forecastYen; }
    Figure GetForecastSeconds() const { return m_tallies.forecastSeconds; }
    Figure GetForecastCount() const { return m_tallies.forecastCount; }
    // Where the last successful load began reading: 0 for a whole file, else where the one
    // before had stopped.
    std::int64_t GetLastLoadStart() const { return m_lastLoadStart; }
    // When the figures shown were read.
    std::time_t GetLastLoadTime() const { return m_lastLoadTime; }
    // All six series at once, for code that treats them alike.
    const Tallies& GetTallies() const { return m_tallies; }

private:
    enum class State { NotRead, Loaded, Failed };
    // opened: the file as it was looked at, kept for the load a change calls for.
    FileChange ChangeSince(const FileStamp& stamp, FileStamp* seen = nullptr,
                           std::shared_ptr<std::FILE>* opened = nullptr) const;

    // The date asked for and the instant the clock shows for it, worked out once: the time-zone
    // lookup behind it costs each append as much as reading it.
    struct GivenDay {
        CivilDate date;
        std::time_t noon;
    };

    CSettings m_settings;
    const IClock& m_clock;
    std::optional<GivenDay> m_givenDay;

    FileStamp m_fileTime;      // at the last load
    FileStamp m_wholeReadTime; // at the last whole read
    std::time_t m_today;
    State m_state = State::NotRead;
    bool m_pathKept = true;    // the settings hold m_logPath
    int m_closingDay = 31;
    std::string m_logPath;
    std::string m_loadError;
    CBillingCalendar m_calendar;
    Tallies m_tallies;
    ReadPoint m_readPoint;
    std::int64_t m_bytesDue = -1;
    std::shared_ptr<std::FILE> m_openedFile; // opened when chosen or looked at, read by the next load
    std::uint64_t m_loadTicket = 0; // of the latest prepared load
    std::int64_t m_lastLoadStart = 0;
    std::time_t m_lastLoadTime = 0;
};

// What the user is told of a failed load: the fixed first line, the file, and (where the file is
// looked at again) the system's reason and what happens next.
std::string LoadFailureText(const std::string& path, const std::string& reason);
