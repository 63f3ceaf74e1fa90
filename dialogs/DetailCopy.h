#pragma once
// A detail table as other programs take it from the clipboard: tab-separated text with a header,
// a row per slot (oldest first), the total and the average; and the same as an HTML table, which
// office programs paste as cells.

#include <QString>
#include <QStringList>
#include <vector>

class CPeloraDoc;

// The table's rows: a header, a row per slot (oldest first), the total and the average. Empty in
// the failed state.
std::vector<QStringList> DetailRows(const CPeloraDoc& doc, bool days);

struct DetailCopy {
    QString tsv;
    QString html;
};

// The 30 days (days) or the 12 billing months; empty in the failed state.
DetailCopy CopyOfDetail(const CPeloraDoc& doc, bool days);
