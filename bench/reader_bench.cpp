// Loads of generated charge logs of 1, 5 and 10 million lines: the document's reader, the same
// rule read line by line with fgets, and a bare line count, reporting bytes per second and
// nanoseconds per line; the load and the line count in turn, with their ratio; one line
// appended and read on from where the last load stopped; and one paint of the view on the loaded
// document, which reads only the precomputed figures.

#include "BaselineReader.h"
#include "document/PeloraDoc.h"
#include "platform/core/Clock.h"
#include "tools/ChargeLogGenerator.h"
#include "view/PeloraView.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <random>

namespace {
const CivilDate kToday{2026, 12, 6};
constexpr int kClosingDay = 20;

// Generated once per size into the temporary folder.
const std::string& LogOf(std::int64_t lines)
{
    static std::map<std::int64_t, std::string> paths;
    auto& path = paths[lines];
    if (path.empty()) {
        path = (std::filesystem::temp_directory_path() / ("pelora-bench-" + std::to_string(lines) + ".log")).string();
        ChargeLogOptions options;
        options.lastDay = kToday;
        options.days = 1000;
        options.lines = lines;
        if (!std::filesystem::exists(path) && !WriteChargeLog(path, options))
            std::abort();
    }
    return path;
}

// 256 MB of content that is not a charge log, made once: 0 NUL bytes, 1 random bytes, 2 lines of
// 3000 bytes, 3 blank lines; and 4, charge lines of one day with every twentieth a refund, so that
// each run ends a few lines after the four-at-a-time way would take over.
const std::string& JunkOf(std::int64_t kind)
{
    static std::map<std::int64_t, std::string> paths;
    auto& path = paths[kind];
    if (!path.empty())
        return path;
    path = (std::filesystem::temp_directory_path() / ("pelora-bench-junk-" + std::to_string(kind) + ".log")).string();
    if (std::filesystem::exists(path))
        return path;
    constexpr std::size_t kSize = 256u << 20;
    std::string block(1 << 20, '\0');
    std::mt19937 random(3);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::string refunds;
    for (int k = 0; k < 20; ++k)
        refunds += ChargeLogLine(kToday, 3600 + k, 200, k == 19 ? -50 : 230, "0312345678");
    for (std::size_t written = 0; written < kSize; written += block.size()) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            switch (kind) {
            case 0: break;
            case 1: block[i] = static_cast<char>(random()); break;
            case 2: block[i] = i % 3001 == 3000 ? '\n' : static_cast<char>('0' + i % 10); break;
            case 4: block[i] = refunds[(written + i) % refunds.size()]; break;
            default: block[i] = '\n';
            }
        }
        std::fwrite(block.data(), 1, block.size(), file);
    }
    std::fclose(file);
    return path;
}

// Whole loads of the file, each by a new document: one that has read the file once would read on
// from where it stopped.
void FullLoads(benchmark::State& state, const std::string& path)
{
    CMemoryProfileStore profile;
    CSettings(profile).SetLogPath(path);
    CSettings(profile).SetClosingDay(kClosingDay);
    CFixedClock clock(LocalNoon(kToday));
    for (auto _ : state) {
        CPeloraDoc doc(profile, clock);
        doc.LoadChargeFile();
        benchmark::DoNotOptimize(doc.GetMonthYenTotal());
    }
}

void BM_DocumentLoadJunk(benchmark::State& state)
{
    const std::string& path = JunkOf(state.range(0));
    FullLoads(state, path);
    state.SetBytesProcessed(static_cast<std::int64_t>(std::filesystem::file_size(path)) * state.iterations());
}

void Report(benchmark::State& state, std::int64_t lines)
{
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(LogOf(lines)));
    state.SetBytesProcessed(bytes * state.iterations());
    state.counters["ns_per_line"] = benchmark::Counter(
        static_cast<double>(lines) * static_cast<double>(state.iterations()) * 1e-9,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_DocumentLoad(benchmark::State& state)
{
    const std::int64_t lines = state.range(0);
    FullLoads(state, LogOf(lines));
    Report(state, lines);
}

// One call appended to a copy of the log (range 1: after a 1 GiB last line still being written,
// the call's bytes going on with it), then the document reads on from where it stopped.
void BM_AppendAndReload(benchmark::State& state)
{
    const std::int64_t lines = state.range(0);
    const bool unfinishedTail = state.range(1) != 0;
    const std::string path = LogOf(lines) + ".growing";
    std::filesystem::copy_file(LogOf(lines), path, std::filesystem::copy_options::overwrite_existing);
    if (unfinishedTail)
        std::filesystem::resize_file(path, std::filesystem::file_size(path) + (std::uintmax_t{1} << 30));
    CMemoryProfileStore profile;
    CSettings(profile).SetLogPath(path);
    CSettings(profile).SetClosingDay(kClosingDay);
    CFixedClock clock(LocalNoon(kToday));
    CPeloraDoc doc(profile, clock);
    doc.LoadChargeFile();
    const std::string line = ChargeLogLine(kToday, 36000, 100, 120, "0312345678");
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "ab");
        std::fwrite(line.data(), 1, line.size(), file);
        std::fclose(file);
        doc.LoadChargeFile(CPeloraDoc::LoadKind::ReadOn);
        benchmark::DoNotOptimize(doc.GetMonthYenTotal());
    }
    if (doc.GetLastLoadStart() == 0)
        state.SkipWithError("the reload read the whole file");
    std::filesystem::remove(path);
}

void BM_PaintView(benchmark::State& state)
{
    const std::int64_t lines = state.range(0);
    CMemoryProfileStore profile;
    CSettings settings(profile);
    settings.SetLogPath(LogOf(lines));
    settings.SetClosingDay(kClosingDay);
    settings.SetDayMode(Period{static_cast<std::int32_t>(state.range(1))});
    CFixedClock clock(LocalNoon(kToday));
    CPeloraDoc doc(profile, clock);
    doc.LoadChargeFile();
    CPeloraView view(doc, nullptr, settings);
    QImage image(CPeloraView::kWidth, CPeloraView::kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_BaselineFgets(benchmark::State& state)
{
    const std::int64_t lines = state.range(0);
    const CBillingCalendar calendar(kToday, kClosingDay);
    BaselineTotals totals;
    for (auto _ : state) {
        BaselineRead(LogOf(lines), calendar.Days(), calendar.Months(), calendar.PreviousMonth(), kClosingDay, totals);
        benchmark::DoNotOptimize(totals.monthYen);
    }
    Report(state, lines);
}

// The whole load against its yardstick, a line count of the same file, the two in turn in every
// iteration so that whatever else the machine does falls on both: the time is the load's, and
// ratio is the median load over the median count.
void BM_LoadVersusLineCount(benchmark::State& state)
{
    const std::int64_t lines = state.range(0);
    const std::string& path = LogOf(lines);
    CMemoryProfileStore profile;
    CSettings(profile).SetLogPath(path);
    CSettings(profile).SetClosingDay(kClosingDay);
    CFixedClock clock(LocalNoon(kToday));
    std::vector<double> loads, counts;
    const auto seconds = [](auto&& run) {
        const auto start = std::chrono::steady_clock::now();
        run();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    for (auto _ : state) {
        counts.push_back(seconds([&] { benchmark::DoNotOptimize(CountLines(path)); }));
        const double load = seconds([&] {
            CPeloraDoc doc(profile, clock);
            doc.LoadChargeFile();
            benchmark::DoNotOptimize(doc.GetMonthYenTotal());
        });
        loads.push_back(load);
        state.SetIterationTime(load);
    }
    const auto median = [](std::vector<double> v) {
        std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    state.counters["line_count_ms"] = median(counts) * 1e3;
    state.counters["ratio"] = median(loads) / median(counts);
    Report(state, lines);
}

void BM_LineCount(benchmark::State& state)
{
    const std::int64_t lines = state.range(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(CountLines(LogOf(lines)));
    Report(state, lines);
}
} // namespace

BENCHMARK(BM_DocumentLoad)->Arg(1'000'000)->Arg(5'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadVersusLineCount)->Arg(5'000'000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(25);
BENCHMARK(BM_DocumentLoadJunk)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AppendAndReload)->Args({1'000'000, 0})->Args({1'000'000, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselineFgets)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineCount)->Arg(1'000'000)->Arg(5'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintView)->Args({1'000'000, 1})->Args({1'000'000, 0})->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
