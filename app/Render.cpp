#include "app/Render.h"

#include "app/HeadlessDocument.h"
#include "platform/core/PathText.h"
#include "platform/core/RegularFile.h"
#include "platform/gui/DrawContext.h"
#include "view/PeloraView.h"
#include "view/ViewPicture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <cstdio>

int RunRender(const CommandLine& line, const CSettings& stored, QTextStream& err)
{
    const ReportOptions& options = line.report;
    const auto cannotWrite = [&](const std::string& reason) {
        err << line.renderFile << ": " << QStringLiteral("PNG を書けませんでした") << " (" << QString::fromStdString(reason) << ")\n";
        return kCannotWriteExitCode;
    };
    // "-" is standard output, as image tools take it (a file of that name is "./-").
    const bool toStandardOutput = line.renderFile == QLatin1String("-");
    // Refused before any work: an output that can never be a whole PNG file.
    if (!toStandardOutput && KindOfPath(EncodePath(line.renderFile)) == PathKind::Other)
        return cannotWrite(kNotRegularFileText);
    CHeadlessDocument headless(options.file, options.today, options.closingDay);
    CSettings& settings = headless.Settings();
    settings.SetDayMode(line.dayMode.value_or(stored.DayMode()));
    settings.SetUnitMode(line.unitMode.value_or(stored.UnitMode()));
    settings.SetColors(stored.Colors());
    if (!headless.Load(err))
        return kUnopenableExitCode;

    QImage image(CPeloraView::kWidth, CPeloraView::kHeight, QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    {
        QPainter painter(&image);
        CDC dc(painter);
        CViewPicture(headless.Document(), settings.DayMode(), settings.UnitMode(), settings.Colors()).OnDraw(dc);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    std::string reason = "PNG encoding failed";
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, "PNG"))
        return cannotWrite(reason);
    if (toStandardOutput) {
        const bool written = std::fwrite(png.constData(), 1, static_cast<std::size_t>(png.size()), stdout)
                                 == static_cast<std::size_t>(png.size())
                             && std::fflush(stdout) == 0;
        if (!written)
            err << "pelora: 標準出力に書けませんでした。\n";
        return written ? kExitOk : kOutputFailedExitCode;
    }
    if (!WriteWholeFile(EncodePath(line.renderFile), png.toStdString(), reason))
        return cannotWrite(reason);
    return kExitOk;
}
