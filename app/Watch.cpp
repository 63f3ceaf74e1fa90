#include "app/Watch.h"

#include "app/HeadlessDocument.h"
#include "document/ChargeFollower.h"
#include "platform/core/EndSignals.h"
#include "platform/core/PathText.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <memory>
#ifndef Q_OS_WIN
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
constexpr int kReaderCheckInterval = 250; // ms

// False when the report did not reach standard output; said on err unless the reader has gone.
bool Print(const CPeloraDoc& doc, bool json, QTextStream& out, QTextStream& err)
{
    if (json)
        out << ReportJson(doc);
    else
        out << ReportText(doc) << '\n';
    errno = 0;
    if (WrittenToStandardOutput(out))
        return true;
    if (errno != EPIPE)
        err << "pelora: 標準出力に書けませんでした。\n";
    return false;
}
// Whether standard output is a pipe whose reader has closed it (`pelora --watch | head -1`), told
// without writing to it.
bool ReaderGone()
{
#ifdef Q_OS_WIN
    return false; // there the next report's write fails instead
#else
    pollfd output{1, POLLOUT, 0};
    return ::poll(&output, 1, 0) == 1 && (output.revents & POLLERR) != 0;
#endif
}

// How the reader of standard output going away is noticed. Linux marks a pipe's write end in error
// once its reader has gone and never makes it readable, so a pipe only written here is waited on like
// any other event; a pipe opened both ways, a socket or a terminal (hung up) is looked at now and
// then. A file or a device has no reader to lose.
enum class ReaderWatch { Waited, Looked, None };

ReaderWatch HowToWatchReader()
{
#ifdef Q_OS_LINUX
    struct stat info {};
    if (::fstat(1, &info) != 0)
        return ReaderWatch::None; // then the first report is not written, which ends the watch
    if (S_ISFIFO(info.st_mode))
        return (::fcntl(1, F_GETFL) & O_ACCMODE) == O_WRONLY ? ReaderWatch::Waited : ReaderWatch::Looked;
    return S_ISSOCK(info.st_mode) || ::isatty(1) ? ReaderWatch::Looked : ReaderWatch::None;
#else
    return ReaderWatch::Looked;
#endif
}
} // namespace

int RunWatch(const ReportOptions& options, QTextStream& out, QTextStream& err)
{
    // Caught before the first load: a signal during any load ends the watch in order.
    CEndSignals ending;
    QObject::connect(&ending, &CEndSignals::ended, [] { QCoreApplication::quit(); });
    // A reader that has gone is a failed write, not a reason to die unannounced.
    std::signal(SIGPIPE, SIG_IGN);
    CHeadlessDocument headless(options.file, options.today, options.closingDay);
    CPeloraDoc& doc = headless.Document();

    // The same follower as the window's: the first load, then a load on a change (told at once,
    // or found by the minute's look) and on a new day, away from the event loop so a signal ends
    // it at once. A file that cannot be read at start ends the watch; one that vanishes later is
    // told once, and reported again when it is back.
    const auto now = [&] { return options.todayGiven ? headless.Clock().Now() : std::time(nullptr); };
    CChargeFollower follower(doc, now);
    bool started = false;
    QObject::connect(&follower, &CChargeFollower::failed, [&](const QString&, const QString& reason, bool again) {
        if (!started) {
            headless.TellFailure(err);
            QCoreApplication::exit(kUnopenableExitCode);
        } else if (!again) {
            err << options.file << ": " << reason << '\n';
            err.flush();
        }
    });
    QObject::connect(&follower, &CChargeFollower::loaded, [&] {
        started = true;
        if (!Print(doc, options.json, out, err))
            QCoreApplication::exit(kOutputFailedExitCode);
    });
    follower.Load(CPeloraDoc::LoadKind::Whole);
    // An idle watch wakes for nothing but a change or its reader going.
    const auto endIfReaderGone = [] {
        if (ReaderGone())
            QCoreApplication::exit(kOutputFailedExitCode);
    };
    QTimer readerCheck;
    std::unique_ptr<QSocketNotifier> readerGone;
    switch (HowToWatchReader()) {
    case ReaderWatch::Waited:
        readerGone = std::make_unique<QSocketNotifier>(1, QSocketNotifier::Read);
        QObject::connect(readerGone.get(), &QSocketNotifier::activated, endIfReaderGone);
        break;
    case ReaderWatch::Looked:
        QObject::connect(&readerCheck, &QTimer::timeout, endIfReaderGone);
        readerCheck.start(kReaderCheckInterval);
        break;
    case ReaderWatch::None:
        break;
    }
    return QCoreApplication::exec();
}
