#pragma once
// The tool-bar pictures and the program icon, drawn on a 16 by 16 grid and rendered at 1x and 2x.

#include <QIcon>

#include <QImage>
#include <span>

QIcon ToolBarImage(int place); // place 1..7, as on the tool bar
QIcon ProgramIcon();

// The program icon's design: whole-pixel rectangles on the 16 grid, drawn in order. The icons of
// every size and the scalable one are made from this one table.
struct IconRect {
    int x, y, width, height;
    QRgb color;
};
std::span<const IconRect> ProgramIconDesign();
QImage ProgramIconImage(int scale); // 16 × scale pixels square
