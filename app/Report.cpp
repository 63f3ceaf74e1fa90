#include "app/Report.h"

#include "app/HeadlessDocument.h"

#include "document/PeloraDoc.h"
#include "platform/core/Clock.h"
#include "platform/core/MessageSink.h"
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

QString Row(const QString& label, const QString& count, const QString& time, const QString& yen)
{
    return Padded(label, 12) + Padded(count, 12) + Padded(time, 13) + Padded(yen, 15) + QLatin1Char('\n');
}

QString Row(const QString& label, Figure count, Figure seconds, Figure yen)
{
    return Row(label, QString::fromStdString(CallsText(count)), Time(seconds), QString::fromStdString(YenText(yen)));
}

using LabelOf = std::function<const char*(int)>;

// One window as a table: a row a slot, oldest first, then maximum, average and total.
template <int N>
QString Table(const QString& title, const QString& averageCaption, const LabelOf& label,
              const TallySeries<N>& count, const TallySeries<N>& yen, const TallySeries<N>& seconds)
{
    QString text = title + QLatin1Char('\n')
                   + Row(QStringLiteral("日付"), QStringLiteral("回数"), QStringLiteral("時間"),
                         QStringLiteral("料金"));
    for (int i = 0; i < N; ++i)
        text += Row(QString::fromLatin1(label(i)), count.Slot(i), seconds.Slot(i), yen.Slot(i));
    text += Row(QStringLiteral("最大"), count.Max(), seconds.Max(), yen.Max());
    text += Row(averageCaption, count.Average(), seconds.Average(), yen.Average());
    text += Row(QStringLiteral("合計"), count.Total(), seconds.Total(), yen.Total());
    return text;
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

template <class Item> QString List(int count, const Item& item)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << item(i);
    return QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']');
}

template <int N> QString Series(const TallySeries<N>& series)
{
    return Object({{"slots", List(N, [&](int i) { return Number(series.Slot(i)); })},
                   {"max", Number(series.Max())},
                   {"average", Number(series.Average())},
                   {"total", Number(series.Total())}});
}

QString IsoDate(const CivilDate& date)
{
    return QString::asprintf("%04d-%02d-%02d", date.year, date.month, date.day);
}

// The slots' full dates: each day's date, or each billing month's first and last date.
QString DayDates(const CBillingCalendar& calendar)
{
    return Object({{"dates", List(kDaySlots, [&](int i) { return Text(IsoDate(calendar.DayDate(i))); })}});
}

QString MonthDates(const CBillingCalendar& calendar)
{
    return Object({{"starts", List(kMonthSlots, [&](int i) { return Text(IsoDate(calendar.MonthDates(i).first)); })},
                   {"ends", List(kMonthSlots, [&](int i) { return Text(IsoDate(calendar.MonthDates(i).last)); })}});
}

// The members of an object without its braces, to splice into another.
QString Inner(const QString& object)
{
    return object.mid(1, object.size() - 2);
}

template <int N>
QString Window(const LabelOf& label, const QString& dates, const TallySeries<N>& count, const TallySeries<N>& yen,
               const TallySeries<N>& seconds)
{
    return QStringLiteral("{\"labels\": %1, %2, \"count\": %3, \"yen\": %4, \"seconds\": %5}")
        .arg(List(N, [&](int i) { return Text(QString::fromLatin1(label(i))); }), Inner(dates), Series(count),
             Series(yen), Series(seconds));
}

// One CSV record, RFC 4180: the fields need no quotes (dates, numbers and two words).
QString CsvRecord(const char* period, const DateSpan& dates, Figure calls, Figure seconds, Figure yen)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6\r\n")
        .arg(QLatin1String(period), IsoDate(dates.first), IsoDate(dates.last))
        .arg(calls)
        .arg(seconds)
        .arg(yen);
}
} // namespace

QString ReportText(const CPeloraDoc& d, const CivilDate& today)
{
    const Tallies& t = d.GetTallies();
    return QStringLiteral("料金ファイル: %1\n今日: %2年%3月%4日  〆切日: %5\n\n")
               .arg(QString::fromStdString(d.GetLogPath()))
               .arg(today.year).arg(today.month).arg(today.day).arg(d.GetClosingDay())
           + Table(QStringLiteral("過去30日"), QStringLiteral("一日平均"),
                   [&](int i) { return d.GetDayLabel(i); }, t.dayCount, t.dayYen, t.daySeconds)
           + QLatin1Char('\n')
           + Table(QStringLiteral("過去12ヵ月"), QStringLiteral("一月平均"),
                   [&](int i) { return d.GetMonthLabel(i); }, t.monthCount, t.monthYen, t.monthSeconds)
           + QLatin1Char('\n')
           + Row(QStringLiteral("今月合計予測"), d.GetForecastCount(), d.GetForecastSeconds(),
                 d.GetForecastYen());
}

QString ReportJson(const CPeloraDoc& d, const CivilDate& today)
{
    const Tallies& t = d.GetTallies();
    return Object({{"format", Number(kReportFormat)},
                   {"today", Text(IsoDate(today))},
                   {"closing_day", Number(d.GetClosingDay())},
                   {"previous_month_label", Text(QString::fromLatin1(d.GetPrevMonthLabel()))},
                   {"days", Window([&](int i) { return d.GetDayLabel(i); }, DayDates(d.GetCalendar()), t.dayCount, t.dayYen,
                                   t.daySeconds)},
                   {"months", Window([&](int i) { return d.GetMonthLabel(i); }, MonthDates(d.GetCalendar()),
                                     t.monthCount, t.monthYen, t.monthSeconds)},
                   {"forecast", Object({{"count", Number(d.GetForecastCount())},
                                        {"yen", Number(d.GetForecastYen())},
                                        {"seconds", Number(d.GetForecastSeconds())}})}})
           + QLatin1Char('\n');
}

QString ReportCsv(const CPeloraDoc& d, const CivilDate& today)
{
    const Tallies& t = d.GetTallies();
    QString csv = QStringLiteral("period,start,end,calls,seconds,yen\r\n");
    const CBillingCalendar& calendar = d.GetCalendar();
    for (int i = 0; i < kDaySlots; ++i) {
        const CivilDate date = calendar.DayDate(i);
        csv += CsvRecord("day", {date, date}, t.dayCount.Slot(i), t.daySeconds.Slot(i), t.dayYen.Slot(i));
    }
    for (int i = 0; i < kMonthSlots; ++i)
        csv += CsvRecord("month", calendar.MonthDates(i), t.monthCount.Slot(i),
                         t.monthSeconds.Slot(i), t.monthYen.Slot(i));
    return csv;
}

int RunReport(const ReportOptions& options, QTextStream& out, QTextStream& err)
{
    CHeadlessDocument headless(options.file, options.today, options.closingDay);
    if (!headless.Load(err))
        return kUnopenableExitCode;
    const CPeloraDoc& doc = headless.Document();
    out << (options.json  ? ReportJson(doc, options.today)
            : options.csv ? ReportCsv(doc, options.today)
                          : ReportText(doc, options.today));
    return 0;
}

bool WrittenToStandardOutput(QTextStream& out)
{
    out.flush();
    return out.status() == QTextStream::Ok && std::fflush(stdout) == 0 && !std::ferror(stdout);
}
