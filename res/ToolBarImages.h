#pragma once
// The tool-bar pictures and the program icon, drawn on a 16 by 16 grid and rendered at 1x and 2x.

#include <QIcon>

QIcon ToolBarImage(int place); // place 1..7, as on the tool bar
QIcon ProgramIcon();
