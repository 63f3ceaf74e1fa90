#include "document/PeloraDoc.h"

#include "document/ChargeFields.h"
#include "document/DerivedFigures.h"
#include "document/SlotClassifier.h"
#include "platform/Clock.h"
#include "platform/MessageSink.h"

namespace {
template <int N> void AddLine(TallySeries<N>& count, TallySeries<N>& yen, TallySeries<N>& seconds,
                              int slot, const ChargeLineValues& values)
{
    yen.AddTracked(slot, values.yen);
    seconds.AddTracked(slot, values.seconds);
    count.Slot(slot) += 1;
}
} // namespace

CPeloraDoc::CPeloraDoc(IProfileStore& profile, const IClock& clock, IMessageSink& messages)
    : CDocument(messages), m_settings(profile), m_clock(clock),
      m_today(clock.Now())
{
    // The stored closing day holds with or without a stored path: a file opened later (command
    // line, drop) is tallied with the closing day the status bar shows.
    m_closingDay = m_settings.ClosingDay();
    // Labels of today's date until the first real build, so a load in the failed state is safe.
    BuildPeriodLabels();
    m_logPath = m_settings.LogPath();
    if (m_logPath == CSettings::kNoLogPath)
        return;
    if (m_logPath.size() > kMaxPathBytes) {
        // Kept as it was so it is written back unchanged, but never opened under another name.
        Fail(kPathTooLongMessage, kPathTooLongMessage);
        return;
    }
    m_today = m_clock.Now();
    BuildPeriodLabels();
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
}

void CPeloraDoc::BuildPeriodLabels()
{
    const CivilDate today = LocalDate(m_today);
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
    m_loadFailed = 1;
    m_loadError = reason;
    m_messages.ShowMessage(message);
}

void CPeloraDoc::LoadChargeFile()
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
    // Tallied aside, so a read that breaks off part-way keeps the previous figures.
    Tallies tallies;
    if (!ReadTallies(file, tallies)) {
        Fail(file.ErrorText(), kOpenFailedMessage);
        return;
    }
    m_loadFailed = 0;
    m_loadError.clear();
    m_fileTime = stamp;
    m_tallies = tallies;
}

bool CPeloraDoc::ReadTallies(CChargeFile& file, Tallies& t) const
{
    CSlotClassifier classifier(m_dayLabels, m_monthLabels, m_prevMonthLabel, m_closingDay);
    const bool complete = file.ForEachPiece([&](std::string_view line) {
        const SlotPair slots = classifier.Classify(line);
        if (slots.month < 0 && slots.day < 0)
            return;
        const ChargeLineValues values = ValuesOfLine(line);
        if (slots.month >= 0)
            AddLine(t.monthCount, t.monthYen, t.monthSeconds, slots.month, values);
        if (slots.day >= 0)
            AddLine(t.dayCount, t.dayYen, t.daySeconds, slots.day, values);
    });
    if (complete)
        ComputeDerivedFigures(t, LocalDate(m_today), m_closingDay);
    return complete;
}

int CPeloraDoc::HasChargeFileChanged() const
{
    if (m_logPath.size() > kMaxPathBytes)
        return -1;
    CChargeFile file;
    if (!file.Open(m_logPath))
        return -1;
    return file.Stamp() == m_fileTime ? 0 : 1;
}
