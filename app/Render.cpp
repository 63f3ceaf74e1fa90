#include "app/Render.h"

#include "app/HeadlessDocument.h"
#include "view/PeloraView.h"

#include <QImage>

int RunRender(const CommandLine& line, const CSettings& stored, QTextStream& err)
{
    const ReportOptions& options = line.report;
    CHeadlessDocument headless(options.file, options.today, options.closingDay);
    CSettings& settings = headless.Settings();
    settings.SetDayMode(line.dayMode.value_or(stored.DayMode()));
    settings.SetYenMode(line.unitMode.value_or(stored.YenMode()));
    settings.SetColors(stored.Colors());
    if (!headless.Load(err))
        return kUnopenableExitCode;

    CPeloraView view(headless.Document(), settings, headless.Clock(), headless.Messages());
    QImage image(CPeloraView::kWidth, CPeloraView::kHeight, QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    view.render(&image);
    if (!image.convertToFormat(QImage::Format_RGB888).save(line.renderFile, "PNG")) {
        err << line.renderFile << ": " << QStringLiteral("PNG を書けませんでした。") << '\n';
        return kCannotWriteExitCode;
    }
    return 0;
}
