#include "document/ChargeReader.h"

#include "document/LineTally.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace {
constexpr std::int64_t kPartMinimum = 8 << 20; // smaller ranges are not worth a thread
constexpr unsigned kMaxParts = 8;

RangeResult TallyPart(const CChargeFile& file, std::int64_t begin, std::int64_t end, const CSlotClassifier& classifier,
                      RangeTallies& tallies, const ReadStop& stop)
{
    RangeResult result;
    CLineTally lines(classifier, tallies.complete, tallies.unfinished);
    tallies.finalEnd = begin;
    result.ok = ForEachPiece<true>(file, begin, end, lines, result.error, tallies.finalEnd, kReadBlockBytes, stop);
    lines.EndRun();
    return result;
}

// Where a part may start: just after the first line feed at or after from (end when there is none,
// or when stop says so).
std::int64_t NextLineStart(const CChargeFile& file, std::int64_t from, std::int64_t end, const ReadStop& stop)
{
    std::vector<char> buffer(64 << 10);
    std::string ignored;
    for (std::int64_t at = from; at < end && !(stop && stop());) {
        const std::size_t wanted = static_cast<std::size_t>(std::min<std::int64_t>(end - at, buffer.size()));
        const std::int64_t got = file.ReadAt(at, buffer.data(), wanted, ignored);
        if (got <= 0)
            return end;
        if (const void* lf = std::memchr(buffer.data(), '\n', static_cast<std::size_t>(got)))
            return at + (static_cast<const char*>(lf) - buffer.data()) + 1;
        at += got;
    }
    return end;
}
} // namespace

RangeResult TallyRange(const CChargeFile& file, std::int64_t begin, std::int64_t end,
                       const CSlotClassifier& classifier, RangeTallies& tallies, const ReadStop& stop)
{
    const std::int64_t length = end - begin;
    const unsigned cores = length < 2 * kPartMinimum ? 1 : std::max(1u, std::min(kMaxParts, std::thread::hardware_concurrency()));
    const auto parts = static_cast<unsigned>(std::clamp<std::int64_t>(length / kPartMinimum, 1, cores));
    std::vector<std::int64_t> starts{begin};
    for (unsigned k = 1; k < parts; ++k) {
        const std::int64_t start = NextLineStart(file, begin + (end - begin) * k / parts, end, stop);
        if (start > starts.back() && start < end)
            starts.push_back(start);
    }
    starts.push_back(end);

    std::vector<RangeTallies> partSums(starts.size() - 1);
    std::vector<RangeResult> results(partSums.size());
    std::vector<std::thread> workers;
    for (std::size_t k = 1; k < partSums.size(); ++k)
        workers.emplace_back([&, k] { results[k] = TallyPart(file, starts[k], starts[k + 1], classifier, partSums[k], stop); });
    results[0] = TallyPart(file, starts[0], starts[1], classifier, partSums[0], stop);
    for (std::thread& worker : workers)
        worker.join();

    tallies.finalEnd = begin;
    for (std::size_t k = 0; k < partSums.size(); ++k) {
        if (!results[k].ok)
            return results[k];
        tallies.Append(partSums[k]);
    }
    return {};
}

// Every part but the last ends with a line feed, so only the last can leave pieces undecided.
void RangeTallies::Append(const RangeTallies& next)
{
    complete.Append(unfinished);
    complete.Append(next.complete);
    unfinished = next.unfinished;
    finalEnd = next.finalEnd;
}
