#include "res/ToolBarImages.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
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

// A bar graph: earlier periods in teal, this one in green, the average line in red, on a base line.
constexpr IconRect kGraphMarks[] = {
    {2, 7, 3, 6, 0xFF008080},
    {6, 3, 3, 10, 0xFF008080},
    {10, 5, 3, 8, 0xFF008000},
    {1, 6, 14, 1, 0xFFC80000},
    {1, 13, 14, 1, 0xFF202020},
};
constexpr IconDesign kGraphDesign{2.5, 0xFF8C8C8C, 0xFFFFFFFF, kGraphMarks};
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
    QIcon icon;
    for (const int size : kProgramIconSizes)
        icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}

IconDesign ProgramIconDesign()
{
    return kGraphDesign;
}

int ProgramIconBorder(int size)
{
    return std::max(1, size / 32);
}

QImage ProgramIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double unit = size / 16.0;
    const double border = ProgramIconBorder(size);
    const double radius = kGraphDesign.cornerRadius * unit;
    painter.setBrush(QColor::fromRgba(kGraphDesign.border));
    painter.drawRoundedRect(QRectF(0, 0, size, size), radius, radius);
    painter.setBrush(QColor::fromRgba(kGraphDesign.card));
    painter.drawRoundedRect(QRectF(border, border, size - 2 * border, size - 2 * border), radius - border,
                            radius - border);
    for (const IconRect& r : kGraphDesign.marks)
        painter.fillRect(QRectF(r.x * unit, r.y * unit, r.width * unit, r.height * unit), QColor::fromRgba(r.color));
    return image;
}
