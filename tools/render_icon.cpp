// render_icon FOLDER: writes the program icon into a hicolor theme tree under FOLDER, as PNG at
// 16 to 256 pixels and as SVG, all from the one design the program draws its own icon from.

#include "res/ToolBarImages.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>

namespace {
const QString kIconName = QStringLiteral("com.brisolt.Pelora");

bool WriteSvg(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream svg(&file);
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 16 16\""
        << " shape-rendering=\"crispEdges\">\n";
    for (const IconRect& r : ProgramIconDesign()) {
        svg << "  <rect x=\"" << r.x << "\" y=\"" << r.y << "\" width=\"" << r.width << "\" height=\"" << r.height
            << "\" fill=\"" << QColor::fromRgb(r.color).name() << "\"/>\n";
    }
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
    for (const int scale : {1, 2, 3, 4, 8, 16}) {
        const int size = 16 * scale;
        const QString folder = root.filePath(QStringLiteral("hicolor/%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder) || !ProgramIconImage(scale).save(folder + '/' + kIconName + ".png"))
            return 1;
    }
    const QString scalable = root.filePath(QStringLiteral("hicolor/scalable/apps"));
    if (!QDir().mkpath(scalable) || !WriteSvg(scalable + '/' + kIconName + ".svg"))
        return 1;
    return 0;
}
