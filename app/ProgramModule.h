#pragma once
// The window and the picture taken without a display live in modules of their own, loaded only
// when asked for: the commands that print (the report, the watch, help) start with QtCore alone,
// the picture adds QtGui, and only the window loads the widget library and what it brings.
// A module is looked for beside the program (a build tree), then in the program's library folder
// (an installed tree).

#include "app/CommandLine.h"

class CQtProfileStore;

// What each module runs: everything after the command line was read.
using ModuleMain = int (*)(int argc, char** argv, const CommandLine& line, CQtProfileStore& stored);
inline constexpr const char* kModuleMainName = "PeloraModuleMain";
inline constexpr const char* kWindowModule = "pelora-window";
inline constexpr const char* kRenderModule = "pelora-render";

// Loads the module and runs it; a module that cannot be loaded is told on err with its reason, and
// ends with failureStatus.
int RunModule(const char* name, int failureStatus, int argc, char** argv, const CommandLine& line,
              CQtProfileStore& stored, QTextStream& err);
