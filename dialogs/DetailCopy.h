#pragma once
// A detail table as other programs take it from the clipboard: tab-separated text with a header,
// a row per slot (oldest first), the total and the average; and the same as an HTML table, which
// office programs paste as cells.

#include "document/FigureRows.h"

#include <QString>
#include <QStringList>
#include <vector>

// The table's rows as cells: a header, a row per slot (oldest first), the total and the average.
// Nothing for an empty table.
std::vector<QStringList> DetailRows(const FigureTable& table);

struct DetailCopy {
    QString tsv;
    QString html;
};

DetailCopy CopyOfDetail(const FigureTable& table);
