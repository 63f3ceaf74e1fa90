#include "document/LineTally.h"

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

namespace {
// Digit values summed column by column, each in 16 bits, so a run's sum is worked out once from
// the column sums rather than line by line.
struct ColumnSums {
    static constexpr std::uint64_t kLanes = 0x00FF00FF00FF00FFull;
    static constexpr int kMaxLines = 65535 / 9; // before a column's sum could overflow its 16 bits
    std::uint64_t even = 0; // columns 0, 2, 4 and 6
    std::uint64_t odd = 0;

    void Add(std::uint64_t digitWord)
    {
        const std::uint64_t digits = digitWord & 0x0F0F0F0F0F0F0F0Full;
        even += digits & kLanes;
        odd += digits >> 8 & kLanes;
    }
    // The sum of the columns' sums, each times its column's weight.
    Figure Value(const std::int64_t (&weights)[8]) const
    {
        Figure value = 0;
        for (int k = 0; k < 4; ++k)
            value += static_cast<Figure>(even >> 16 * k & 0xFFFF) * weights[2 * k]
                     + static_cast<Figure>(odd >> 16 * k & 0xFFFF) * weights[2 * k + 1];
        return value;
    }
};

constexpr std::int64_t kTimeWeights[8] = {36000, 3600, 0, 600, 60, 0, 10, 1}; // HH:MM:SS
constexpr std::int64_t kChargeWeights[8] = {10000000, 1000000, 100000, 10000, 1000, 100, 10, 1};
} // namespace

std::size_t CLineTally::TakeLines(const char* data, std::size_t size)
{
    if (!m_inRun || size < kShortLineBytes)
        return 0;
    // Line feeds are found a block of bytes at a time, apart from where lines start, so that
    // finding the next line never waits on reading this one.
    const bool counts = m_runCounts;
    ColumnSums seconds, yen;
    int summed = 0;
    const auto addSums = [&] {
        m_run.seconds += seconds.Value(kTimeWeights);
        m_run.yen += yen.Value(kChargeWeights);
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
    }
    addSums();
    return start;
}
