#include "dialogs/DetailCopy.h"

#include "document/FigureText.h"

namespace {
// Counts and yen as bare numbers, so a spreadsheet takes them as numbers.
QStringList Cells(const FigureRow& row)
{
    return {QString::fromStdString(row.label), QString::number(row.calls), QString::fromStdString(FormatDuration(row.seconds)),
            QString::number(row.yen)};
}
} // namespace

std::vector<QStringList> DetailRows(const FigureTable& table)
{
    if (table.Empty())
        return {};
    std::vector<QStringList> rows{{QString::fromUtf8(kDateHeading), QString::fromUtf8(kCallsHeading),
                                   QString::fromUtf8(kTimeHeading), QString::fromUtf8(kYenHeading)}};
    for (const FigureRow& slot : table.rows)
        rows.push_back(Cells(slot));
    rows.push_back(Cells(table.total));
    rows.push_back(Cells(table.average));
    return rows;
}

DetailCopy CopyOfDetail(const FigureTable& table)
{
    const std::vector<QStringList> rows = DetailRows(table);
    if (rows.empty())
        return {};
    DetailCopy copy;
    copy.html = QStringLiteral("<table>");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        copy.tsv += rows[r].join(QLatin1Char('\t')) + QLatin1Char('\n');
        const QString cell = r == 0 ? QStringLiteral("th") : QStringLiteral("td");
        copy.html += QStringLiteral("<tr>");
        for (const QString& text : rows[r])
            copy.html += QStringLiteral("<%1>%2</%1>").arg(cell, text.toHtmlEscaped());
        copy.html += QStringLiteral("</tr>");
    }
    copy.html += QStringLiteral("</table>");
    return copy;
}
