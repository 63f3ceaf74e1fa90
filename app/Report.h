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
    bool todayGiven = false; // --today: the date stands still (else it follows the clock)
};

// Flushes out to standard output; false when the text did not all get there (a full disk, a
// closed pipe).
bool WrittenToStandardOutput(QTextStream& out);

// Exit status: 0 printed, 2 the file could not be opened.
int RunReport(const ReportOptions& options, QTextStream& out, QTextStream& err);

QString ReportText(const CPeloraDoc& doc, const CivilDate& today);
QString ReportJson(const CPeloraDoc& doc, const CivilDate& today);
