#pragma once
// pelora --watch: the report at start and again after every change of the charge file, for
// scripts and status bars, until SIGINT or SIGTERM.

#include "app/Report.h"

#include <QTextStream>

// Exit status: 0 ended by a signal, 2 the file could not be opened at start, 74 a report could not
// be written (the reader of a pipe has gone, the disk is full).
int RunWatch(const ReportOptions& options, QTextStream& out, QTextStream& err);
