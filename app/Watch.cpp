#include "app/Watch.h"

#include "app/HeadlessDocument.h"
#include "platform/core/EndSignals.h"
#include "platform/core/FileWatch.h"
#include "platform/core/PathText.h"

#include <QCoreApplication>
#include <ctime>

namespace {
void Print(const CPeloraDoc& doc, bool json, QTextStream& out)
{
    const CivilDate today = doc.GetTodayDate();
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
    CEndSignals ending;
    QObject::connect(&ending, &CEndSignals::ended, [] { QCoreApplication::quit(); });

    // The same check as the window's: on a change (told at once, or found by the minute's look)
    // and on a new day. A vanished file is told once, and reported again when it is back.
    const auto now = [&] { return options.todayGiven ? headless.Clock().Now() : std::time(nullptr); };
    const auto check = [&] {
        const bool wasFailed = doc.IsLoadFailed();
        if (!doc.Refresh(now()))
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
    // Followed before the first report, and looked at once more, so no change slips in between.
    CFileWatch watch;
    QObject::connect(&watch, &CFileWatch::due, check);
    watch.Follow(DecodePath(doc.GetLogPath()));
    doc.Refresh(now());
    Print(doc, options.json, out);
    QCoreApplication::exec();
    return kExitOk;
}
