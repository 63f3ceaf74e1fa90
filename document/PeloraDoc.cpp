#include "document/PeloraDoc.h"

#include "document/ChargeReader.h"
#include "platform/core/Clock.h"
#include "platform/core/MessageSink.h"

#include <algorithm>

CPeloraDoc::CPeloraDoc(IProfileStore& profile, const IClock& clock, IMessageSink& messages,
                       std::optional<CivilDate> givenDay)
    : CDocument(messages), m_settings(profile), m_clock(clock), m_givenDay(givenDay),
      m_today(clock.Now())
{
    // The stored closing day holds with or without a stored path: a file opened later (command
    // line, drop) is tallied with the closing day the status bar shows.
    m_closingDay = m_settings.ClosingDay();
    // Labels of today's date from the start, so even a document in the failed state has them.
    BuildPeriodLabels();
    m_logPath = m_settings.LogPath();
    if (m_logPath == CSettings::kNoLogPath)
        return;
    if (m_logPath.size() > kMaxPathBytes) {
        // Kept as it was so it is written back unchanged, but never opened under another name.
        Fail(kPathTooLongMessage, kPathTooLongMessage);
        return;
    }
    LoadChargeFile();
}

CPeloraDoc::~CPeloraDoc()
{
    m_settings.SetLogPath(m_logPath);
}

void CPeloraDoc::Serialize(CArchive& archive)
{
    if (archive.GetFilePath().size() > kMaxPathBytes) {
        m_messages.ShowMessage(std::string(kPathTooLongMessage) + "\n" + archive.GetFilePath());
        archive.Refuse();
        return;
    }
    m_logPath = archive.GetFilePath();
    m_today = m_clock.Now();
    BuildPeriodLabels();
    LoadChargeFile();
    // Kept at once, not only at exit: a session can end without one (the X server gone).
    if (!m_loadFailed)
        m_settings.SetLogPath(m_logPath);
}

CivilDate CPeloraDoc::DateOf(std::time_t time) const
{
    return m_givenDay && time == LocalNoon(*m_givenDay) ? *m_givenDay : LocalDate(time);
}

void CPeloraDoc::BuildPeriodLabels()
{
    const CivilDate today = DateOf(m_today);
    BuildDayLabels(today, m_dayLabels);
    BuildMonthLabels(today, m_closingDay, m_monthLabels, m_prevMonthLabel);
}

const char* CPeloraDoc::GetDayLabel(int i) const
{
    return i >= 0 && i < kDaySlots ? m_dayLabels[static_cast<std::size_t>(i)].data() : "";
}

const char* CPeloraDoc::GetMonthLabel(int i) const
{
    return i >= 0 && i < kMonthSlots ? m_monthLabels[static_cast<std::size_t>(i)].data() : "";
}

// The failed state comes first: the view's timer ticks inside the message box's modal loop.
void CPeloraDoc::Fail(const std::string& reason, const char* message)
{
    m_loadFailed = true;
    m_loadError = reason;
    m_messages.ShowMessage(message);
}

void CPeloraDoc::LoadChargeFile(LoadKind kind)
{
    if (m_logPath.size() > kMaxPathBytes) {
        Fail(kPathTooLongMessage, kOpenFailedMessage);
        return;
    }
    CChargeFile file;
    if (!file.Open(m_logPath)) {
        Fail(file.ErrorText(), kOpenFailedMessage);
        return;
    }
    const FileStamp stamp = file.Stamp();
    CSlotClassifier classifier(m_dayLabels, m_monthLabels, m_prevMonthLabel, m_closingDay);
    // Tallied aside, so a read that breaks off part-way keeps the previous figures.
    ReadPoint next;
    const bool readOn = kind == LoadKind::ReadOn && CanReadOn(file, stamp);
    if (readOn)
        next.sums = m_readPoint.sums;
    const std::int64_t from = readOn ? m_readPoint.offset : 0;
    RangeTallies read;
    const RangeResult result = TallyRange(file, from, stamp.size, classifier, read);
    if (!result.ok) {
        Fail(result.error, kOpenFailedMessage);
        return;
    }
    // The undecided end of a line still being written counts now and is read again once decided;
    // everything before it is read once.
    next.offset = read.finalEnd;
    next.fingerprint = SampleOf(file, next.offset);
    next.sums.Append(read.complete);
    SlotTallies shown = next.sums;
    shown.Append(read.unfinished);
    next.valid = true;
    next.identity = file.Identity();
    next.stamp = stamp;
    next.newestDay = m_dayLabels[kDaySlots - 1];
    next.closingDay = m_closingDay;

    m_loadFailed = false;
    m_loadError.clear();
    m_fileTime = stamp;
    if (!readOn)
        m_wholeReadTime = stamp;
    m_tallies = FiguresOf(shown, DateOf(m_today), m_closingDay);
    m_readPoint = std::move(next);
    m_lastLoadStart = from;
}

// Read on only from the same file, under the same labels, when it is untouched or has grown with
// the bytes before the read point as they were. Appending always lengthens a file, so a change
// that kept the length was a rewrite.
bool CPeloraDoc::CanReadOn(const CChargeFile& file, const FileStamp& stamp) const
{
    const ReadPoint& point = m_readPoint;
    const bool grownOrUntouched = stamp.size > point.stamp.size || stamp == point.stamp;
    return point.valid && point.identity == file.Identity() && grownOrUntouched
           && point.newestDay == m_dayLabels[kDaySlots - 1] && point.closingDay == m_closingDay
           && SampleOf(file, point.offset) == point.fingerprint;
}

// The bytes the read point rests on: those just before it, and a block at each of a few places
// spread over the part already read, so the usual rewrites (a copy over the file, an edited early
// line) show at once. Whatever they miss, the minute's whole read finds.
std::string CPeloraDoc::SampleOf(const CChargeFile& file, std::int64_t offset) const
{
    const auto block = static_cast<std::int64_t>(kSampleBytes);
    std::string sample;
    for (int k = 0; k <= kSampledPlaces; ++k) {
        const std::int64_t end = k == kSampledPlaces ? offset : std::min(offset, offset * k / kSampledPlaces + block);
        const std::int64_t from = std::max<std::int64_t>(0, end - block);
        std::string bytes(static_cast<std::size_t>(end - from), '\0');
        std::string ignored;
        const std::int64_t got = file.ReadAt(from, bytes.data(), bytes.size(), ignored);
        sample.append(bytes, 0, static_cast<std::size_t>(std::max<std::int64_t>(got, 0)));
    }
    return sample;
}

bool CPeloraDoc::Refresh(std::time_t now, bool notified)
{
    // The whole date: a machine resumed on the same day of a later month is a new day too.
    const bool dayChanged = DayLabelOf(DateOf(now)) != m_dayLabels[kDaySlots - 1];
    if (dayChanged)
        SetToday(now);
    if (m_loadFailed) {
        if (!HasChargeFile() || HasChargeFileChanged() == FileChange::Unreadable)
            return false;
    } else if (!dayChanged && ChangeSince(notified ? m_fileTime : m_wholeReadTime) == FileChange::Unchanged) {
        return false;
    }
    BuildPeriodLabels();
    // A told change reads on; the minute's look reads the whole file whenever it changed since the
    // last whole read, so no wrong figure outlives a minute.
    LoadChargeFile(notified ? LoadKind::ReadOn : LoadKind::Whole);
    return true;
}

CPeloraDoc::FileChange CPeloraDoc::HasChargeFileChanged() const
{
    return ChangeSince(m_fileTime);
}

CPeloraDoc::FileChange CPeloraDoc::ChangeSince(const FileStamp& stamp) const
{
    if (m_logPath.size() > kMaxPathBytes)
        return FileChange::Unreadable;
    CChargeFile file;
    if (!file.Open(m_logPath))
        return FileChange::Unreadable;
    return file.Stamp() == stamp ? FileChange::Unchanged : FileChange::Changed;
}
