#include "document/PeloraDoc.h"

#include "platform/core/Clock.h"
#include "platform/core/EndRequest.h"

#include <algorithm>
#include <utility>

CPeloraDoc::CPeloraDoc(IProfileStore& profile, const IClock& clock, std::optional<CivilDate> givenDay)
    : m_settings(profile), m_clock(clock), m_today(clock.Now())
{
    if (givenDay)
        m_givenDay = GivenDay{*givenDay, LocalNoon(*givenDay)};
    // The stored closing day holds with or without a stored path: a file opened later (command
    // line, drop) is tallied with the closing day the status bar shows.
    m_closingDay = m_settings.ClosingDay();
    // Labels of today's date from the start, so even a document in the failed state has them.
    BuildPeriodLabels();
    // A path too long to open is kept as it was, so it is written back unchanged; its load refuses it.
    m_logPath = m_settings.LogPath();
}

CPeloraDoc::~CPeloraDoc()
{
    m_settings.SetLogPath(m_logPath);
}

void CPeloraDoc::Serialize(CArchive& archive)
{
    if (archive.GetFilePath().size() > kMaxPathBytes) {
        archive.Refuse(LoadFailureText(archive.GetFilePath(), kPathTooLongMessage));
        return;
    }
    m_logPath = archive.GetFilePath();
    m_openedFile = archive.GetFile();
    m_today = m_clock.Now();
    BuildPeriodLabels();
    // Nothing of the previous file is shown under the new name, and no load begun for it is taken.
    m_state = State::NotRead;
    m_loadError.clear();
    m_readPoint = {};
    ++m_loadTicket;
    m_pathKept = false;
}

CivilDate CPeloraDoc::DateOf(std::time_t time) const
{
    return m_givenDay && time == m_givenDay->noon ? m_givenDay->date : LocalDate(time);
}

void CPeloraDoc::BuildPeriodLabels()
{
    m_calendar = CBillingCalendar(DateOf(m_today), m_closingDay);
}

namespace {
// A path refused for its length is its own message, and never looked at again.
const char* FirstLineFor(const std::string& reason)
{
    return reason == CPeloraDoc::kPathTooLongMessage ? CPeloraDoc::kPathTooLongMessage : CPeloraDoc::kOpenFailedMessage;
}
} // namespace

const char* CPeloraDoc::GetLoadFailureMessage() const
{
    return FirstLineFor(m_loadError);
}

std::string LoadFailureText(const std::string& path, const std::string& reason)
{
    // Below the message's own first line: which file, why, and (where it is looked at again) what
    // happens next.
    const std::string first = FirstLineFor(reason);
    if (first == reason)
        return first + "\n" + path;
    return first + "\n" + path + "\n" + reason + "\n" + CPeloraDoc::kRetryNote;
}

void CPeloraDoc::LoadChargeFile(LoadKind kind)
{
    ChargeLoad load = PrepareLoad(kind);
    load.Run([] { return EndRequested(); });
    ApplyLoad(load);
}

ChargeLoad CPeloraDoc::PrepareLoad(LoadKind kind)
{
    ChargeLoad load;
    load.ticket = ++m_loadTicket;
    load.path = m_logPath;
    load.opened = std::exchange(m_openedFile, {});
    if (m_logPath.size() > kMaxPathBytes)
        load.refusal = kPathTooLongMessage;
    load.readOnWanted = kind == LoadKind::ReadOn;
    load.previous = m_readPoint;
    load.calendar = CBillingCalendar(DateOf(m_today), m_closingDay);
    return load;
}

// The labels come with the figures read under them, so what is shown always belongs together.
CPeloraDoc::Outcome CPeloraDoc::ApplyLoad(const ChargeLoad& load)
{
    if (load.ticket != m_loadTicket || load.stopped)
        return Outcome::Stale;
    m_calendar = load.calendar;
    if (!load.ok) {
        m_state = State::Failed;
        m_loadError = load.error;
        return Outcome::Failed;
    }
    m_state = State::Loaded;
    m_loadError.clear();
    m_fileTime = load.stamp;
    if (!load.readOn)
        m_wholeReadTime = load.stamp;
    m_tallies = load.tallies;
    m_readPoint = load.next;
    m_lastLoadStart = load.start;
    m_lastLoadTime = m_clock.Now();
    // A file chosen in this session is kept once it has been read, not only at exit: a session
    // can end without one (the X server gone).
    if (!std::exchange(m_pathKept, true))
        m_settings.SetLogPath(m_logPath);
    return Outcome::Loaded;
}

std::optional<CPeloraDoc::LoadKind> CPeloraDoc::DueLoad(std::time_t now, bool notified)
{
    // The whole date: a machine resumed on the same day of a later month is a new day too.
    const bool dayChanged = DateOf(now) != m_calendar.Today();
    if (dayChanged)
        SetToday(now);
    FileStamp seen;
    std::shared_ptr<std::FILE> opened;
    m_bytesDue = -1;
    if (IsLoadFailed()) {
        if (!HasChargeFile() || HasChargeFileChanged() == FileChange::Unreadable)
            return std::nullopt;
    } else if (!dayChanged && ChangeSince(notified ? m_fileTime : m_wholeReadTime, &seen, &opened) == FileChange::Unchanged) {
        return std::nullopt;
    } else if (!dayChanged && notified) {
        m_bytesDue = seen.size - m_readPoint.offset;
    }
    // The load reads the file just looked at rather than opening its name once more. A file chosen
    // and not read yet stays the one read.
    if (!m_openedFile)
        m_openedFile = std::move(opened);
    // A told change reads on; the minute's look reads the whole file whenever it changed since the
    // last whole read, so no wrong figure outlives a minute.
    return notified ? LoadKind::ReadOn : LoadKind::Whole;
}

CPeloraDoc::FileChange CPeloraDoc::HasChargeFileChanged() const
{
    return ChangeSince(m_fileTime);
}

CPeloraDoc::FileChange CPeloraDoc::ChangeSince(const FileStamp& stamp, FileStamp* seen,
                                               std::shared_ptr<std::FILE>* opened) const
{
    if (m_logPath.size() > kMaxPathBytes)
        return FileChange::Unreadable;
    CChargeFile file;
    if (!file.Open(m_logPath))
        return FileChange::Unreadable;
    const FileStamp now = file.Stamp();
    if (seen)
        *seen = now;
    if (now == stamp)
        return FileChange::Unchanged;
    if (opened)
        *opened = file.Shared();
    return FileChange::Changed;
}
