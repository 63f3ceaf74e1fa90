#pragma once
// What the command line asks for: the window (with an optional charge file), or the report.

#include "app/Report.h"

#include <QStringList>

struct CommandLine {
    enum Mode { Window, Report, Exit };
    Mode mode = Window;
    int exitCode = 0;       // with Exit
    QString output;         // with Exit: help, version or the reason and usage
    QString file;           // with Window: the charge file to open, if any
    ReportOptions report;   // with Report
};

inline constexpr int kUsageExitCode = 64;

// args includes the program name. storedClosingDay is the default of --closing-day.
CommandLine ParseCommandLine(const QStringList& args, const CivilDate& today, int storedClosingDay);
