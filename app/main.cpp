// pelora [FILE]
// pelora --report [--json | --csv] [--today YYYY-MM-DD] [--closing-day N] FILE
// pelora --watch [--json] [--today YYYY-MM-DD] [--closing-day N] FILE
// pelora --render OUT.png|- [--mode day|month] [--unit yen|time|count] [--today ...] [--closing-day N] FILE
// The command line, the report and the watch run here with QtCore alone; the window and the
// picture are modules of their own (ProgramModule).

#include "app/CommandLine.h"
#include "app/ExitStatus.h"
#include "app/ProgramModule.h"
#include "app/Report.h"
#include "app/Watch.h"
#include "platform/core/Clock.h"
#include "platform/core/PathText.h"
#include "platform/core/QtProfileStore.h"
#include "res/Version.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {
// Qt aborts the process when it finds no display; say so in one line instead.
bool HasDisplay()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

// The commands without a window print their output and their own errors, nothing of Qt's (run
// from cron or a service, Qt would warn of a runtime folder it is never asked for).
void KeepQtQuiet()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            QTextStream(stderr) << text << '\n';
    });
}

QStringList Arguments(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << DecodePath(argv[i]); // file names keep their bytes, UTF-8 or not
    return args;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Brisolt"));
    QCoreApplication::setApplicationName(QStringLiteral("Pelora"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kPeloraVersion));
    // The commands without a window only read the user's settings, never change them.
    CQtProfileStore stored(CQtProfileStore::ReadOnly);
    const CSystemClock clock;
    // Decided before any application object exists: only the window needs a display.
    const CommandLine line = ParseCommandLine(Arguments(argc, argv), LocalDate(clock.Now()),
                                              [&stored] { return CSettings(stored).ClosingDay(); });
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (line.mode != CommandLine::Window)
        KeepQtQuiet();
    switch (line.mode) {
    case CommandLine::Exit:
        (line.exitCode == 0 ? out : err) << line.output;
        return line.exitCode;
    case CommandLine::Report: {
        QCoreApplication app(argc, argv);
        const int status = RunReport(line.report, out, err);
        if (status == 0 && !WrittenToStandardOutput(out)) {
            err << "pelora: 標準出力に書けませんでした。\n";
            return kOutputFailedExitCode;
        }
        return status;
    }
    case CommandLine::Watch: {
        QCoreApplication app(argc, argv);
        return RunWatch(line.report, out, err);
    }
    case CommandLine::Render:
        return RunModule(kRenderModule, kCannotWriteExitCode, argc, argv, line, stored, err);
    case CommandLine::Window:
        if (!HasDisplay()) {
            err << "pelora: 画面がありません (DISPLAY が未設定)。--report か --render は画面なしで使えます。\n";
            return kNoDisplayExitCode;
        }
        break;
    }
    return RunModule(kWindowModule, kFailedStartExitCode, argc, argv, line, stored, err);
}
