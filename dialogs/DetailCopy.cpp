#include "dialogs/DetailCopy.h"

#include "document/FigureText.h"

namespace {
// Counts and yen as bare numbers, so a spreadsheet takes them as numbers.
QStringList Cells(const FigureRow& row)
{
    return {QString::fromStdString(row.label), QString::number(row.calls), QString::fromStdString(FormatDuration(row.seconds)),
            QString::number(row.yen)};
}

constexpr qsizetype kTimeColumn = 2;

// The rows as they are listed: each slot (oldest first), the total, the average.
std::vector<const FigureRow*> ListedRows(const FigureTable& table)
{
    std::vector<const FigureRow*> rows;
    for (const FigureRow& slot : table.rows)
        rows.push_back(&slot);
    rows.push_back(&table.total);
    rows.push_back(&table.average);
    return rows;
}

// A connect time as spreadsheets take a duration: its value in days (LibreOffice's sdval, Excel
// reads the text) and a format that counts hours past 24, beside the text as it reads here.
QString DurationCell(Figure seconds, const QString& text)
{
    return QStringLiteral("<td sdval=\"%1\" sdnum=\"1033;0;[HH]:MM:SS\" style=\"mso-number-format:'\\[h\\]\\:mm\\:ss'\">%2</td>")
        .arg(QString::number(static_cast<double>(seconds) / 86400.0, 'g', 15), text);
}
} // namespace

std::vector<QStringList> DetailRows(const FigureTable& table)
{
    if (table.Empty())
        return {};
    std::vector<QStringList> rows{{QString::fromUtf8(kDateHeading), QString::fromUtf8(kCallsHeading),
                                   QString::fromUtf8(kTimeHeading), QString::fromUtf8(kYenHeading)}};
    for (const FigureRow* row : ListedRows(table))
        rows.push_back(Cells(*row));
    return rows;
}

DetailCopy CopyOfDetail(const FigureTable& table)
{
    const std::vector<QStringList> rows = DetailRows(table);
    if (rows.empty())
        return {};
    std::vector<const FigureRow*> figures = ListedRows(table);
    figures.insert(figures.begin(), nullptr); // beside each row of cells: none for the header
    DetailCopy copy;
    copy.html = QStringLiteral("<table>");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        copy.tsv += rows[r].join(QLatin1Char('\t')) + QLatin1Char('\n');
        copy.html += QStringLiteral("<tr>");
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const QString text = rows[r][c].toHtmlEscaped();
            copy.html += !figures[r] ? QStringLiteral("<th>%1</th>").arg(text)
                         : c == kTimeColumn ? DurationCell(figures[r]->seconds, text)
                                            : QStringLiteral("<td>%1</td>").arg(text);
        }
        copy.html += QStringLiteral("</tr>");
    }
    copy.html += QStringLiteral("</table>");
    return copy;
}
