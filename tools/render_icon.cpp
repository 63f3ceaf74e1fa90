// render_icon FOLDER: writes the program icon into a hicolor theme tree under FOLDER, as PNG at
// 16 to 256 pixels and as SVG, all from the one design the program draws its own icon from.

#include "res/ToolBarImages.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>

namespace {
const QString kIconName = QStringLiteral("com.brisolt.Pelora");
constexpr int kSvgSize = 256; // the size the scalable icon states; its border is the PNG's at that size

// Every attribute spelt out, stroke included, so the simplest SVG renderers draw it as browsers do.
void Rect(QTextStream& svg, double x, double y, double width, double height, double radius, QRgb colour)
{
    svg << "  <rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << width << "\" height=\"" << height << "\" rx=\""
        << radius << "\" fill=\"" << QColor::fromRgb(colour).name() << "\" stroke=\"none\"/>\n";
}

bool WriteSvg(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const IconDesign design = ProgramIconDesign();
    const double border = ProgramIconBorder(kSvgSize) * 16.0 / kSvgSize;
    QTextStream svg(&file);
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kSvgSize << "\" height=\"" << kSvgSize
        << "\" viewBox=\"0 0 16 16\">\n";
    Rect(svg, 0, 0, 16, 16, design.cornerRadius, design.border);
    Rect(svg, border, border, 16 - 2 * border, 16 - 2 * border, design.cornerRadius - border, design.card);
    for (const IconRect& r : design.marks)
        Rect(svg, r.x, r.y, r.width, r.height, 0, r.color);
    svg << "</svg>\n";
    return svg.status() == QTextStream::Ok;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: render_icon FOLDER\n", stderr);
        return 64;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const int size : kProgramIconSizes) {
        const QString folder = root.filePath(QStringLiteral("hicolor/%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder) || !ProgramIconImage(size).save(folder + '/' + kIconName + ".png"))
            return 1;
    }
    const QString scalable = root.filePath(QStringLiteral("hicolor/scalable/apps"));
    if (!QDir().mkpath(scalable) || !WriteSvg(scalable + '/' + kIconName + ".svg"))
        return 1;
    return 0;
}
