#include "app/Report.h"

#include "app/HeadlessDocument.h"

#include "document/PeloraDoc.h"
#include "document/FigureRows.h"
#include "document/FigureText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
QString Time(Figure total)
{
    return QString::fromStdString(FormatDuration(total));
}

// Right-aligned to a width in terminal columns, where Japanese characters take two.
QString Padded(const QString& text, int columns)
{
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x2E80 ? 2 : 1;
    return QString(std::max(0, columns - width), QLatin1Char(' ')) + text;
}

QString Line(const QString& label, const QString& count, const QString& time, const QString& yen)
{
    return Padded(label, 16) + Padded(count, 12) + Padded(time, 13) + Padded(yen, 15) + QLatin1Char('\n');
}

QString Line(const FigureRow& row)
{
    return Line(QString::fromStdString(row.label), QString::fromStdString(CallsText(row.calls)), Time(row.seconds),
                QString::fromStdString(YenText(row.yen)));
}

// One window as a table: a row a slot, oldest first, then maximum, average and total.
QString TextTable(const FigureTable& table)
{
    QString text = QString::fromStdString(table.title) + QLatin1Char('\n')
                   + Line(QString::fromUtf8(kDateHeading), QString::fromUtf8(kCallsHeading),
                          QString::fromUtf8(kTimeHeading), QString::fromUtf8(kYenHeading));
    for (const FigureRow& slot : table.rows)
        text += Line(slot);
    return text + Line(table.maximum) + Line(table.average) + Line(table.total);
}

// JSON members in the documented order (QJsonObject would sort them by name).
using Members = std::initializer_list<std::pair<const char*, QString>>;

QString Object(Members members)
{
    QStringList parts;
    for (const auto& [name, value] : members)
        parts << QStringLiteral("\"%1\": %2").arg(QLatin1String(name), value);
    return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

QString Text(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString Number(Figure value)
{
    return QString::number(value);
}

QString IsoDate(const CivilDate& date)
{
    return QString::asprintf("%04d-%02d-%02d", date.year, date.month, date.day);
}

// A list of one member of every slot.
QString List(const FigureTable& table, const std::function<QString(const FigureRow&)>& item)
{
    QStringList parts;
    for (const FigureRow& slot : table.rows)
        parts << item(slot);
    return QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']');
}

QString Series(const FigureTable& table, Figure FigureRow::*quantity)
{
    return Object({{"slots", List(table, [&](const FigureRow& slot) { return Number(slot.*quantity); })},
                   {"max", Number(table.maximum.*quantity)},
                   {"average", Number(table.average.*quantity)},
                   {"total", Number(table.total.*quantity)}});
}

// A window with its slots' labels and full dates: each day's date, or each billing month's first
// and last date.
QString Window(const FigureTable& table)
{
    const auto first = [](const FigureRow& slot) { return Text(IsoDate(slot.dates.first)); };
    const auto last = [](const FigureRow& slot) { return Text(IsoDate(slot.dates.last)); };
    const QString dates = table.days ? QStringLiteral("\"dates\": %1").arg(List(table, first))
                                     : QStringLiteral("\"starts\": %1, \"ends\": %2").arg(List(table, first), List(table, last));
    return QStringLiteral("{\"labels\": %1, %2, \"count\": %3, \"yen\": %4, \"seconds\": %5}")
        .arg(List(table, [](const FigureRow& slot) { return Text(QString::fromStdString(slot.label)); }), dates,
             Series(table, &FigureRow::calls), Series(table, &FigureRow::yen), Series(table, &FigureRow::seconds));
}

// One CSV record, RFC 4180: the fields need no quotes (dates, numbers and two words).
QString CsvRecord(const char* period, const FigureRow& slot)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6\r\n")
        .arg(QLatin1String(period), IsoDate(slot.dates.first), IsoDate(slot.dates.last))
        .arg(slot.calls)
        .arg(slot.seconds)
        .arg(slot.yen);
}
} // namespace

QString ReportText(const CPeloraDoc& d)
{
    const CivilDate& today = d.GetCalendar().Today();
    return QStringLiteral("料金ファイル: %1\n今日: %2年%3月%4日  〆切日: %5\n\n")
               .arg(QString::fromStdString(d.GetLogPath()))
               .arg(today.year).arg(today.month).arg(today.day).arg(d.GetClosingDay())
           + TextTable(FigureTableOf(d, true)) + QLatin1Char('\n') + TextTable(FigureTableOf(d, false))
           + QLatin1Char('\n') + Line(ForecastRow(d));
}

QString ReportJson(const CPeloraDoc& d)
{
    const FigureRow forecast = ForecastRow(d);
    return Object({{"format", Number(kReportFormat)},
                   {"today", Text(IsoDate(d.GetCalendar().Today()))},
                   {"closing_day", Number(d.GetClosingDay())},
                   {"previous_month_label", Text(QString::fromLatin1(d.GetPrevMonthLabel()))},
                   {"days", Window(FigureTableOf(d, true))},
                   {"months", Window(FigureTableOf(d, false))},
                   {"forecast", Object({{"count", Number(forecast.calls)},
                                        {"yen", Number(forecast.yen)},
                                        {"seconds", Number(forecast.seconds)}})}})
           + QLatin1Char('\n');
}

QString ReportCsv(const CPeloraDoc& d)
{
    QString csv = QStringLiteral("period,start,end,calls,seconds,yen\r\n");
    for (const FigureRow& slot : FigureTableOf(d, true).rows)
        csv += CsvRecord("day", slot);
    for (const FigureRow& slot : FigureTableOf(d, false).rows)
        csv += CsvRecord("month", slot);
    return csv;
}

int RunReport(const ReportOptions& options, QTextStream& out, QTextStream& err)
{
    CHeadlessDocument headless(options.file, options.today, options.closingDay);
    if (!headless.Load(err))
        return kUnopenableExitCode;
    const CPeloraDoc& doc = headless.Document();
    out << (options.json ? ReportJson(doc) : options.csv ? ReportCsv(doc) : ReportText(doc));
    return 0;
}

bool WrittenToStandardOutput(QTextStream& out)
{
    out.flush();
    return out.status() == QTextStream::Ok && std::fflush(stdout) == 0 && !std::ferror(stdout);
}
