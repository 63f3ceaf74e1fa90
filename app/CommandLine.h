#pragma once
// What the command line asks for: the window (with an optional charge file), or the report.

#include "app/Report.h"

#include <QStringList>
#include <functional>

struct CommandLine {
    enum Mode { Window, Report, Exit };
    Mode mode = Window;
    int exitCode = 0;       // with Exit
    QString output;         // with Exit: help, version or the reason and usage
    QString file;           // with Window: the charge file to open, if any
    ReportOptions report;   // with Report
};

inline constexpr int kUsageExitCode = 64;

// args includes the program name. storedClosingDay gives the default of --closing-day; it is asked
// only for a report, so the window's start never touches the settings before its instance check.
CommandLine ParseCommandLine(const QStringList& args, const CivilDate& today,
                             const std::function<int()>& storedClosingDay);
