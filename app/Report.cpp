#include "app/Report.h"

#include "app/HeadlessDocument.h"

#include "document/PeloraDoc.h"
#include "document/FigureRows.h"
#include "document/FigureText.h"

#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>

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

std::string IsoDate(const CivilDate& date)
{
    if (date.year < 0 || date.year > 9999) {
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
        return text;
    }
    // Digit by digit: a report of every change writes some hundred dates.
    std::string text = "0000-00-00";
    const auto put = [&](std::size_t end, int value) {
        for (std::size_t at = end; value > 0; value /= 10)
            text[--at] = static_cast<char>('0' + value % 10);
    };
    put(4, date.year);
    put(7, date.month);
    put(10, date.day);
    return text;
}

// JSON text written straight into one string (a report each time the log grows: cheap to make),
// members in the documented order.
class CJsonText {
public:
    std::string& Text() { return m_text; }
    // A member's name; its value follows. The first of an object opens it.
    CJsonText& Name(const char* name)
    {
        m_text += m_first ? "" : ", ";
        m_first = false;
        (m_text += '"') += name;
        m_text += "\": ";
        return *this;
    }
    CJsonText& Open(char bracket)
    {
        m_text += bracket;
        m_first = true;
        return *this;
    }
    CJsonText& Close(char bracket)
    {
        m_text += bracket;
        m_first = false;
        return *this;
    }
    CJsonText& Number(Figure value)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        m_text.append(digits, end);
        return *this;
    }
    // A string, escaped as RFC 8259 asks: the quote, the backslash and control characters.
    CJsonText& String(std::string_view text)
    {
        m_text += '"';
        for (const char c : text) {
            if (c == '"' || c == '\\')
                (m_text += '\\') += c;
            else if (static_cast<unsigned char>(c) >= 0x20)
                m_text += c;
            else {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                m_text += escaped;
            }
        }
        m_text += '"';
        return *this;
    }
    CJsonText& Date(const CivilDate& date) { return String(IsoDate(date)); }
    // One value of every slot, as a list.
    template <typename Item> CJsonText& List(const FigureTable& table, Item item)
    {
        Open('[');
        for (const FigureRow& slot : table.rows) {
            m_text += m_first ? "" : ", ";
            m_first = false;
            item(*this, slot);
        }
        return Close(']');
    }

private:
    std::string m_text;
    bool m_first = true;
};

void Series(CJsonText& json, const FigureTable& table, Figure FigureRow::*quantity)
{
    json.Open('{').Name("slots").List(table, [&](CJsonText& j, const FigureRow& slot) { j.Number(slot.*quantity); });
    json.Name("max").Number(table.maximum.*quantity).Name("average").Number(table.average.*quantity);
    json.Name("total").Number(table.total.*quantity).Close('}');
}

// A window with its slots' labels and full dates: each day's date, or each billing month's first
// and last date.
void Window(CJsonText& json, const FigureTable& table)
{
    json.Open('{').Name("labels").List(table, [](CJsonText& j, const FigureRow& slot) { j.String(slot.label); });
    const auto first = [](CJsonText& j, const FigureRow& slot) { j.Date(slot.dates.first); };
    if (table.days) {
        json.Name("dates").List(table, first);
    } else {
        json.Name("starts").List(table, first);
        json.Name("ends").List(table, [](CJsonText& j, const FigureRow& slot) { j.Date(slot.dates.last); });
    }
    Series(json.Name("count"), table, &FigureRow::calls);
    Series(json.Name("yen"), table, &FigureRow::yen);
    Series(json.Name("seconds"), table, &FigureRow::seconds);
    json.Close('}');
}

// One CSV record, RFC 4180: the fields need no quotes (dates, numbers and two words).
QString CsvRecord(const char* period, const FigureRow& slot)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6\r\n")
        .arg(QLatin1String(period), QString::fromStdString(IsoDate(slot.dates.first)), QString::fromStdString(IsoDate(slot.dates.last)))
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
    CJsonText json;
    json.Open('{').Name("format").Number(kReportFormat).Name("today").Date(d.GetCalendar().Today());
    json.Name("closing_day").Number(d.GetClosingDay()).Name("previous_month_label").String(d.GetPrevMonthLabel());
    Window(json.Name("days"), FigureTableOf(d, true));
    Window(json.Name("months"), FigureTableOf(d, false));
    json.Name("forecast").Open('{').Name("count").Number(forecast.calls).Name("yen").Number(forecast.yen);
    json.Name("seconds").Number(forecast.seconds).Close('}').Close('}');
    return QString::fromStdString(json.Text() + '\n');
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
