#pragma once
// The headless report: the tallies of a charge file as text tables or JSON, without a display.

#include "document/PeriodLabels.h"

#include <QString>
#include <QTextStream>

class CPeloraDoc;

struct ReportOptions {
    QString file;
    CivilDate today{};
    int closingDay = 31;
    bool json = false;
    bool csv = false;
    bool todayGiven = false; // --today: the date stands still (else it follows the clock)
};

// Flushes out to standard output; false when the text did not all get there (a full disk, a
// closed pipe).
bool WrittenToStandardOutput(QTextStream& out);

// Exit status: 0 printed, 2 the file could not be opened.
int RunReport(const ReportOptions& options, QTextStream& out, QTextStream& err);

// Each as of the document's date (a date given, or the day it last looked at the file).
QString ReportText(const CPeloraDoc& doc);
// The JSON object's format: 2 added "format" and the slots' full dates.
inline constexpr int kReportFormat = 2;
QString ReportJson(const CPeloraDoc& doc);
// The 30 days and 12 billing months as CSV (RFC 4180, UTF-8, CRLF), for a spreadsheet.
QString ReportCsv(const CPeloraDoc& doc);
