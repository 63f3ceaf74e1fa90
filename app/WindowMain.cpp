// The window's module: the application, its main frame and the channel to a running instance.

#include "app/DesktopSetup.h"
#include "app/ExitStatus.h"
#include "app/MainFrame.h"
#include "app/PeloraApp.h"
#include "app/ProgramModule.h"
#include "platform/core/Clock.h"
#include "platform/core/EndSignals.h"
#include "platform/core/QtProfileStore.h"
#include "platform/gui/AccessibleContent.h"
#include "platform/gui/MessageBoxSink.h"
#include "res/Resource.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

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

} // namespace

extern "C" Q_DECL_EXPORT int PeloraModuleMain(int argc, char** argv, const CommandLine& line, CQtProfileStore&)
{
    static_assert(std::is_same_v<decltype(&PeloraModuleMain), ModuleMain>);
    // Docks and task bars match the window to its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.brisolt.Pelora"));
    CQtProfileStore profile;
    const CSystemClock clock;
    return RunWindow(argc, argv, profile, clock, line.file);
}
