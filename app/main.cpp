// pelora [FILE]
// pelora --report [--json] [--today YYYY-MM-DD] [--closing-day N] FILE
// pelora --watch [--json] [--today YYYY-MM-DD] [--closing-day N] FILE
// pelora --render OUT.png [--mode day|month] [--unit yen|time|count] [--today ...] [--closing-day N] FILE

#include "app/CommandLine.h"
#include "app/DesktopSetup.h"
#include "app/ExitStatus.h"
#include "app/MainFrame.h"
#include "app/PeloraApp.h"
#include "app/Render.h"
#include "app/Watch.h"
#include "platform/core/Clock.h"
#include "platform/core/EndSignals.h"
#include "platform/gui/AccessibleContent.h"
#include "platform/gui/MessageBoxSink.h"
#include "platform/core/PathText.h"
#include "platform/core/QtProfileStore.h"
#include "res/Resource.h"
#include "res/Version.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

namespace {
int RunWindow(int argc, char** argv, CQtProfileStore& profile, const IClock& clock, const QString& file)
{
    QApplication app(argc, argv);
    LoadQtTranslations(app);
    InstallAccessibleContent();
    KeepQtDialogStateOut();
    CMessageBoxSink messages(QString::fromUtf8(kAppTitle));
    // Told once, after the step that wrote, so no box opens inside a move or a paint.
    profile.OnWriteFailed([&messages](const QString& path) {
        QTimer::singleShot(0, [&messages, path] {
            messages.ShowMessage(QStringLiteral("設定を保存できません。変更した設定はこの実行の間だけ有効です。\n%1")
                                     .arg(path)
                                     .toStdString());
        });
    });
    // One instance per settings file: two logins of the same user share the settings, so they
    // share the lock beside it, whatever their runtime folders.
    CPeloraApp pelora({profile, clock, messages, QFileInfo(profile.FileName()).absolutePath()});
    if (!pelora.InitInstance(file)) {
        pelora.ExitInstance();
        if (!pelora.AnotherInstanceRuns())
            return kFailedStartExitCode;
        if (pelora.HandedOver())
            return kExitOk;
        // Told on standard error always, and in a box where a screen shows it.
        const QString text = QStringLiteral("起動中の Pelora から応答がありません。%1\n%2")
                                 .arg(file.isEmpty() ? QString() : QStringLiteral("%1 を開けませんでした。").arg(file),
                                      pelora.ChannelPath());
        QTextStream(stderr) << "pelora: " << text << '\n';
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            messages.ShowMessage(text.toStdString());
        return kUnreachableInstanceExitCode;
    }
    messages.SetOwner(pelora.GetMainFrame());
    // A logout or kill ends the loop in order, so the settings kept at exit are written.
    CEndSignals ending;
    QObject::connect(&ending, &CEndSignals::ended, [&pelora] { pelora.GetMainFrame()->close(); });
    QApplication::exec();
    const int status = pelora.ExitInstance();
    profile.Close(); // while end signals are still caught: a second one must not cut the last save short
    return status;
}

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
    // Docks and task bars match the window to its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.brisolt.Pelora"));
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
    case CommandLine::Render: {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return RunRender(line, CSettings(stored), err);
    }
    case CommandLine::Window:
        if (!HasDisplay()) {
            err << "pelora: 画面がありません (DISPLAY が未設定)。--report か --render は画面なしで使えます。\n";
            return kNoDisplayExitCode;
        }
        break;
    }
    CQtProfileStore profile;
    return RunWindow(argc, argv, profile, clock, line.file);
}
