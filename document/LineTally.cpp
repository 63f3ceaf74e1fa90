#include "document/LineTally.h"

#include "document/ColumnSums.h"
#include "document/RunLinesWide.h"

#include <climits>

namespace {
// Lines of a run taken one by one before the rest is taken four at a time.
constexpr int kLinesBeforeWide = 64;
} // namespace

void CLineTally::EndRun()
{
    if (m_inRun && m_runCounts) {
        if (m_runSlots.month >= 0)
            m_complete.months.AddRun(m_runSlots.month, m_run);
        if (m_runSlots.day >= 0)
            m_complete.days.AddRun(m_runSlots.day, m_run);
    }
    m_inRun = false;
    m_run = {};
}

void CLineTally::AddAlone(std::string_view piece, bool final)
{
    EndRun();
    const SlotPair found = m_classifier.Classify(piece);
    const bool counts = found.month >= 0 || found.day >= 0;
    if (counts) {
        SlotTallies& sums = final ? m_complete : m_unfinished;
        const ChargeLineValues values = ValuesOfLine(piece);
        if (found.month >= 0)
            sums.months.Add(found.month, values);
        if (found.day >= 0)
            sums.days.Add(found.day, values);
    }
    // Only a whole date starts a run: the slots of a shorter piece say nothing of the next line.
    if (final && piece.size() >= sizeof m_runKey) {
        std::memcpy(&m_runKey, piece.data(), sizeof m_runKey);
        m_inRun = true;
        m_runCounts = counts;
        m_runSlots = found;
    }
}

std::size_t CLineTally::TakeLines(const char* data, std::size_t size)
{
    if (!m_inRun || size < kShortLineBytes)
        return 0;
    // The first lines one by one: a run that soon ends (a new date, a refund) is not worth
    // listing lines ahead for. The rest of a longer one goes four lines at a time where the
    // processor can, and the one-by-one way takes what is left, stopping exactly where the run does.
    int lines = kLinesBeforeWide;
    std::size_t taken = TakeLinesOneByOne(data, size, lines);
    if (lines > 0)
        return taken;
    taken += TakeRunLinesWide(data + taken, size - taken, m_runKey, m_runCounts, m_run);
    lines = INT_MAX;
    return taken + TakeLinesOneByOne(data + taken, size - taken, lines);
}

std::size_t CLineTally::TakeLinesOneByOne(const char* data, std::size_t size, int& lines)
{
    if (size < kShortLineBytes)
        return 0;
    // Line feeds are found a block of bytes at a time, apart from where lines start, so that
    // finding the next line never waits on reading this one.
    const bool counts = m_runCounts;
    ColumnSums seconds, yen;
    int summed = 0;
    const auto addSums = [&] {
        m_run.seconds += seconds.Value(kTimeColumnWeights);
        m_run.yen += yen.Value(kChargeColumnWeights);
        seconds = yen = {};
        summed = 0;
    };
    std::size_t start = 0; // of the line looked at
    std::size_t block = 0;
    std::uint64_t feeds = LineFeedsInShortSpan(data);
    for (;;) {
        while (feeds == 0 && block + 2 * kShortLineBytes <= size && block + kShortLineBytes - start < kShortLineBytes) {
            block += kShortLineBytes;
            feeds = LineFeedsInShortSpan(data + block);
        }
        if (feeds == 0)
            break;
        const std::size_t lf = block + static_cast<std::size_t>(std::countr_zero(feeds));
        feeds &= feeds - 1;
        const char* line = data + start;
        const std::size_t text = lf - start;
        const std::string_view piece(line, text - (text > 0 && line[text - 1] == '\r'));
        std::uint64_t key = 0;
        if (text >= kShortLineBytes || piece.size() < sizeof key)
            break;
        std::memcpy(&key, line, sizeof key);
        if (key != m_runKey)
            break;
        if (counts) {
            std::uint64_t time = 0;
            std::uint64_t charge = 0;
            if (!CommonFieldDigits(piece, time, charge))
                break;
            seconds.Add(time);
            yen.Add(charge);
            if (++summed == ColumnSums::kMaxLines)
                addSums();
        }
        m_run.count += 1;
        start = lf + 1;
        if (--lines == 0)
            break;
    }
    addSums();
    return start;
}
