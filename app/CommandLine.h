#pragma once
// What the command line asks for: the window (with an optional charge file), the report, a
// rendering of the view to a PNG file, or the report kept current as the file changes.

#include "app/ExitStatus.h"
#include "app/Report.h"
#include "settings/Settings.h"

#include <QStringList>
#include <functional>
#include <optional>

struct CommandLine {
    enum Mode { Window, Report, Render, Watch, Exit };
    Mode mode = Window;
    int exitCode = 0;       // with Exit
    QString output;         // with Exit: help, version or the reason and usage
    QString file;           // with Window: the charge file to open, if any
    ReportOptions report;   // with Report, Render and Watch: the file, the date and the closing day
    QString renderFile;     // with Render: the PNG to write
    std::optional<Period> dayMode; // with Render: --mode, else the stored mode
    std::optional<Unit> unitMode;  // with Render: --unit, else the stored unit
};

// args includes the program name. storedClosingDay gives the default of --closing-day; it is asked
// only for a report or rendering, so the window's start never touches the settings before its
// instance check.
CommandLine ParseCommandLine(const QStringList& args, const CivilDate& today,
                             const std::function<int()>& storedClosingDay);
