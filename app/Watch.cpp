#include "app/Watch.h"

#include "app/HeadlessDocument.h"
#include "platform/FileWatch.h"
#include "platform/PathText.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <ctime>
#ifndef _WIN32
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {
constexpr int kSettleMilliseconds = 50;
constexpr int kMinute = 60000;

#ifndef _WIN32
// SIGINT and SIGTERM end the loop: the handler only writes a byte the loop reads.
int g_signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_signalPipe[1], &byte, 1);
}

bool CatchEndSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return false;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGINT, &action, nullptr) == 0 && ::sigaction(SIGTERM, &action, nullptr) == 0;
}
#endif

void Print(const CPeloraDoc& doc, bool json, QTextStream& out)
{
    const CivilDate today = LocalDate(doc.GetToday());
    if (json)
        out << ReportJson(doc, today);
    else
        out << ReportText(doc, today) << '\n';
    out.flush();
}
} // namespace

int RunWatch(const ReportOptions& options, QTextStream& out, QTextStream& err)
{
    CHeadlessDocument headless(options.file, options.today, options.closingDay);
    if (!headless.Load(err))
        return kUnopenableExitCode;
    CPeloraDoc& doc = headless.Document();
    Print(doc, options.json, out);
#ifndef _WIN32
    if (!CatchEndSignals()) {
        err << "pelora: SIGINT, SIGTERM を受けられません。\n";
        return 1;
    }
    QSocketNotifier ending(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&ending, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
#endif

    // The same check as the window's: on a change (told at once, or found by the minute's look)
    // and on a new day. A vanished file is told once, and reported again when it is back.
    const auto check = [&] {
        const std::time_t now = options.todayGiven ? headless.Clock().Now() : std::time(nullptr);
        const bool wasFailed = doc.IsLoadFailed();
        if (!doc.Refresh(now))
            return;
        if (doc.IsLoadFailed()) {
            if (!wasFailed) {
                err << options.file << ": " << QString::fromStdString(doc.GetLoadError()) << '\n';
                err.flush();
            }
            return;
        }
        Print(doc, options.json, out);
    };
    CFileWatch watch(kSettleMilliseconds);
    QObject::connect(&watch, &CFileWatch::changed, check);
    watch.Follow(DecodePath(doc.GetLogPath()));
    QTimer minute;
    QObject::connect(&minute, &QTimer::timeout, check);
    minute.start(kMinute);
    QCoreApplication::exec();
    return 0;
}
