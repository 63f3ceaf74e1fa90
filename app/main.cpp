// pelora [FILE] | pelora --report [--json] [--today YYYY-MM-DD] [--closing-day N] FILE

#include "app/CommandLine.h"
#include "app/Settings.h"
#include "platform/QtProfileStore.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <ctime>
#include <memory>

int RunWindow(int argc, char** argv, const QString& file);

namespace {
bool WantsReport(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--report")
            return true;
    }
    return false;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Brisolt"));
    QCoreApplication::setApplicationName(QStringLiteral("Pelora"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.70"));
    // The report runs without a display; only the window needs the GUI application.
    if (!WantsReport(argc, argv))
        return RunWindow(argc, argv, QString());

    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    CQtProfileStore profile;
    const CommandLine line = ParseCommandLine(app.arguments(), LocalDate(std::time(nullptr)),
                                              CSettings(profile).ClosingDay());
    switch (line.mode) {
    case CommandLine::Exit:
        (line.exitCode == 0 ? out : err) << line.output;
        return line.exitCode;
    case CommandLine::Window:
    case CommandLine::Report:
        break;
    }
    return RunReport(line.report, out, err);
}
