// pelora [FILE]
// pelora --report [--json] [--today YYYY-MM-DD] [--closing-day N] FILE
// pelora --render OUT.png [--mode day|month] [--unit yen|time|count] [--today ...] [--closing-day N] FILE

#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/PeloraApp.h"
#include "app/Render.h"
#include "platform/Clock.h"
#include "platform/MessageBoxSink.h"
#include "platform/QtProfileStore.h"
#include "res/Resource.h"
#include "res/Version.h"

#include <QApplication>
#include <QTextStream>

namespace {
int RunWindow(int argc, char** argv, IProfileStore& profile, const IClock& clock, const QString& file)
{
    QApplication app(argc, argv);
    CMessageBoxSink messages(QString::fromUtf8(kAppTitle));
    CPeloraApp pelora({profile, clock, messages, QString()});
    if (pelora.InitInstance(file)) {
        messages.SetOwner(pelora.GetMainFrame());
        QApplication::exec();
    }
    return pelora.ExitInstance();
}

QStringList Arguments(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Brisolt"));
    QCoreApplication::setApplicationName(QStringLiteral("Pelora"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kPeloraVersion));
    CQtProfileStore profile;
    const CSystemClock clock;
    // Decided before any application object exists: only the window needs a display.
    const CommandLine line = ParseCommandLine(Arguments(argc, argv), LocalDate(clock.Now()),
                                              [&profile] { return CSettings(profile).ClosingDay(); });
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (line.mode) {
    case CommandLine::Exit:
        (line.exitCode == 0 ? out : err) << line.output;
        return line.exitCode;
    case CommandLine::Report: {
        QCoreApplication app(argc, argv);
        return RunReport(line.report, out, err);
    }
    case CommandLine::Render: {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return RunRender(line, CSettings(profile), err);
    }
    case CommandLine::Window:
        break;
    }
    return RunWindow(argc, argv, profile, clock, line.file);
}
