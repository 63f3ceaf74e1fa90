#pragma once
// The view drawn without a display: the same paint code as the window, into a 249 by 211 PNG.

#include "app/CommandLine.h"
#include "settings/Settings.h"

#include <QTextStream>

// stored: the user's settings, only read (colours, and the modes unless given). Exit status: 0
// written, 2 the charge file could not be opened, 73 the PNG could not be written.
int RunRender(const CommandLine& line, const CSettings& stored, QTextStream& err);
