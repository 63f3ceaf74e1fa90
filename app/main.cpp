// pelora [FILE] | pelora --report [--json] [--today YYYY-MM-DD] [--closing-day N] FILE

#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/PeloraApp.h"
#include "platform/Clock.h"
#include "platform/MessageBoxSink.h"
#include "platform/QtProfileStore.h"
#include "res/Resource.h"
#include "res/Version.h"

#include <QApplication>
#include <QTextStream>
#include <memory>

namespace {
// The report, help and version need no display, so they run without the GUI application.
bool NeedsDisplay(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--report" || arg == "--help" || arg == "-h" || arg == "--version" || arg == "-v")
            return false;
    }
    return true;
}

int RunWindow(IProfileStore& profile, const IClock& clock, const QString& file)
{
    CMessageBoxSink messages(QString::fromUtf8(kAppTitle));
    CPeloraApp pelora({profile, clock, messages, QString()});
    if (pelora.InitInstance(file)) {
        messages.SetOwner(pelora.GetMainFrame());
        QApplication::exec();
    }
    return pelora.ExitInstance();
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Brisolt"));
    QCoreApplication::setApplicationName(QStringLiteral("Pelora"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kPeloraVersion));
    const std::unique_ptr<QCoreApplication> app = NeedsDisplay(argc, argv)
                                                      ? std::make_unique<QApplication>(argc, argv)
                                                      : std::make_unique<QCoreApplication>(argc, argv);
    CQtProfileStore profile;
    const CSystemClock clock;
    const CommandLine line = ParseCommandLine(QCoreApplication::arguments(), LocalDate(clock.Now()),
                                              [&profile] { return CSettings(profile).ClosingDay(); });
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (line.mode) {
    case CommandLine::Exit:
        (line.exitCode == 0 ? out : err) << line.output;
        return line.exitCode;
    case CommandLine::Report:
        return RunReport(line.report, out, err);
    case CommandLine::Window:
        break;
    }
    return RunWindow(profile, clock, line.file);
}
