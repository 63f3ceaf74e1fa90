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

std::size_t CLineTally::TakeLines(const char* data, std::size_t size)
{
    if (!m_inRun || size < kShortLineBytes)
        return 0;
    // Line feeds are found a block of bytes at a time, apart from where lines start, so that
    // finding the next line never waits on reading this one.
    ChargeRun run;
    std::size_t start = 0; // of the line looked at
    std::size_t block = 0;
    std::uint64_t feeds = LineFeedsInShortSpan(data);
    for (;;) {
        while (feeds == 0) {
            block += kShortLineBytes;
            if (block + kShortLineBytes > size || block - start >= kShortLineBytes)
                goto taken;
            feeds = LineFeedsInShortSpan(data + block);
        }
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
        if (m_runCounts) {
            ChargeLineValues values;
            if (!FastValuesOfLine(piece, values))
                break;
            run.yen += values.yen;
            run.seconds += values.seconds;
        }
        run.count += 1;
        start = lf + 1;
    }
taken:
    m_run.count += run.count;
    m_run.yen += run.yen;
    m_run.seconds += run.seconds;
    return start;
}
