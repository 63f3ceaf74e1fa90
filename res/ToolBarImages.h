#pragma once
// The tool-bar pictures, drawn on a 16 by 16 grid and rendered at 1x and 2x, and the program icon,
// drawn for each size.

#include <QIcon>

#include <QImage>
#include <span>

QIcon ToolBarImage(int place); // place 1..7, as on the tool bar
QIcon ProgramIcon();

// The program icon's design on a 16-unit square: a white card with rounded corners and a grey
// border on a transparent ground, and on it whole-unit marks drawn in order. The icons of every
// size and the scalable one are drawn from it.
struct IconRect {
    int x, y, width, height;
    QRgb color;
};
struct IconDesign {
    double cornerRadius; // in units
    QRgb border, card;
    std::span<const IconRect> marks;
};
IconDesign ProgramIconDesign();
inline constexpr int kProgramIconSizes[] = {16, 32, 48, 64, 128, 256};
// The card's border in whole pixels at a size, so it stays one crisp line from 16 to 256 pixels.
int ProgramIconBorder(int size);
QImage ProgramIconImage(int size); // size pixels square, a multiple of 16
