#include "res/ToolBarImages.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <functional>

namespace {
using Picture = std::function<void(QPainter&)>;

const QColor kInk(32, 32, 32);
const QColor kPaper(255, 255, 255);
const QColor kTeal(0, 128, 128);
const QColor kGreen(0, 128, 0);
const QColor kRed(200, 0, 0);
const QColor kFolder(230, 190, 60);

// Whole-pixel drawing on the 16 grid; at 2x every grid pixel becomes a crisp 2 by 2 block.
QImage Render(const Picture& picture, int scale)
{
    QImage image(16 * scale, 16 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(scale, scale);
    picture(painter);
    painter.end();
    return image;
}

QIcon IconOf(const Picture& picture)
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(Render(picture, 1)));
    icon.addPixmap(QPixmap::fromImage(Render(picture, 2)));
    return icon;
}

void Box(QPainter& p, int x, int y, int w, int h, const QColor& fill)
{
    p.fillRect(x, y, w, h, kInk);
    p.fillRect(x + 1, y + 1, w - 2, h - 2, fill);
}

void Open(QPainter& p)
{
    Box(p, 1, 4, 13, 10, kFolder);
    p.fillRect(2, 3, 5, 1, kInk);
    p.fillRect(3, 7, 12, 1, kInk);
    p.fillRect(9, 1, 1, 4, kGreen);
    p.fillRect(8, 2, 3, 1, kGreen);
}

// The unit pictures stand on cards of their own, so their strokes read on a dark tool bar as on
// a light one.
void Yen(QPainter& p)
{
    Box(p, 1, 1, 14, 14, kPaper);
    for (int i = 0; i < 5; ++i) {
        p.fillRect(3 + i, 2 + i, 2, 1, kGreen);
        p.fillRect(11 - i, 2 + i, 2, 1, kGreen);
    }
    p.fillRect(7, 7, 2, 7, kGreen);
    p.fillRect(4, 8, 8, 1, kGreen);
    p.fillRect(4, 11, 8, 1, kGreen);
}

void Time(QPainter& p)
{
    p.fillRect(5, 1, 6, 14, kInk);
    p.fillRect(1, 5, 14, 6, kInk);
    p.fillRect(3, 3, 10, 10, kInk);
    p.fillRect(6, 2, 4, 12, kPaper);
    p.fillRect(2, 6, 12, 4, kPaper);
    p.fillRect(4, 4, 8, 8, kPaper);
    p.fillRect(7, 4, 2, 5, kInk);
    p.fillRect(8, 7, 4, 2, kRed);
}

void Count(QPainter& p)
{
    Box(p, 1, 1, 14, 14, kPaper);
    for (int x = 2; x <= 11; x += 3)
        p.fillRect(x, 3, 1, 10, kInk);
    for (int i = 0; i < 12; ++i)
        p.fillRect(1 + i, 11 - i * 8 / 12, 1, 1, kRed);
}

void Calendar(QPainter& p)
{
    Box(p, 1, 2, 14, 13, kPaper);
    p.fillRect(2, 3, 12, 2, kRed);
    p.fillRect(4, 1, 1, 3, kInk);
    p.fillRect(11, 1, 1, 3, kInk);
}

void Day(QPainter& p)
{
    Calendar(p);
    p.fillRect(6, 7, 4, 6, kTeal);
}

void Month(QPainter& p)
{
    Calendar(p);
    for (int y = 6; y <= 12; y += 2) {
        for (int x = 3; x <= 11; x += 2)
            p.fillRect(x, y, 1, 1, kTeal);
    }
}

void Detail(QPainter& p)
{
    Box(p, 1, 2, 14, 12, kPaper);
    p.fillRect(2, 3, 12, 2, kTeal);
    for (int y = 7; y <= 11; y += 2)
        p.fillRect(2, y, 12, 1, QColor(160, 160, 160));
    p.fillRect(6, 3, 1, 10, kInk);
}

constexpr IconRect kGraphDesign[] = {
    {0, 0, 16, 16, 0xFFFFFFFF}, // paper
    {2, 8, 3, 7, 0xFF008080},   // earlier periods, teal
    {6, 4, 3, 11, 0xFF008080},
    {10, 6, 3, 9, 0xFF008000},  // this period, green
    {1, 7, 14, 1, 0xFFC80000},  // the average line, red
    {0, 15, 16, 1, 0xFF202020}, // the base line, ink
};

void Graph(QPainter& p)
{
    for (const IconRect& r : kGraphDesign)
        p.fillRect(r.x, r.y, r.width, r.height, QColor::fromRgba(r.color));
}
} // namespace

QIcon ToolBarImage(int place)
{
    static const Picture kPictures[] = {Open, Yen, Time, Count, Day, Month, Detail};
    if (place < 1 || place > 7)
        return {};
    return IconOf(kPictures[place - 1]);
}

QIcon ProgramIcon()
{
    return IconOf(Graph);
}

std::span<const IconRect> ProgramIconDesign()
{
    return kGraphDesign;
}

QImage ProgramIconImage(int scale)
{
    return Render(Graph, scale);
}
