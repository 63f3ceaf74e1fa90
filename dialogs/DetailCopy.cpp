#include "dialogs/DetailCopy.h"

#include "document/FigureText.h"
#include "document/PeloraDoc.h"


namespace {
// Counts and yen as bare numbers, so a spreadsheet takes them as numbers.
QStringList Cells(const QString& label, Figure calls, Figure seconds, Figure yen)
{
    return {label, QString::number(calls), QString::fromStdString(FormatDuration(seconds)), QString::number(yen)};
}
} // namespace

std::vector<QStringList> DetailRows(const CPeloraDoc& d, bool days)
{
    if (d.IsLoadFailed())
        return {};
    std::vector<QStringList> rows{{QStringLiteral("日付"), QStringLiteral("回数"), QStringLiteral("時間"), QStringLiteral("料金")}};
    const int count = days ? kDaySlots : kMonthSlots;
    for (int i = 0; i < count; ++i) {
        rows.push_back(days ? Cells(QString::fromLatin1(d.GetDayLabel(i)), d.GetDayCount(i), d.GetDaySeconds(i), d.GetDayYen(i))
                            : Cells(QString::fromLatin1(d.GetMonthLabel(i)), d.GetMonthCount(i), d.GetMonthSeconds(i),
                                    d.GetMonthYen(i)));
    }
    const Tallies& t = d.GetTallies();
    if (days) {
        rows.push_back(Cells(QStringLiteral("過去30日の合計"), t.dayCount.Total(), t.daySeconds.Total(), t.dayYen.Total()));
        rows.push_back(Cells(QStringLiteral("一日当たりの平均"), t.dayCount.Average(), t.daySeconds.Average(), t.dayYen.Average()));
    } else {
        rows.push_back(Cells(QStringLiteral("過去12ヵ月の合計"), t.monthCount.Total(), t.monthSeconds.Total(), t.monthYen.Total()));
        rows.push_back(Cells(QStringLiteral("一月当たりの平均"), t.monthCount.Average(), t.monthSeconds.Average(), t.monthYen.Average()));
    }
    return rows;
}

DetailCopy CopyOfDetail(const CPeloraDoc& d, bool days)
{
    const std::vector<QStringList> rows = DetailRows(d, days);
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
