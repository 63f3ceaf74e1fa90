#include "app/Report.h"

#include "doc/PeloraDoc.h"
#include "platform/Clock.h"
#include "platform/MessageSink.h"
#include "view/SplitSeconds.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace {
class CCollectingSink : public IMessageSink {
public:
    void ShowMessage(const std::string& text) override { messages << QString::fromStdString(text); }
    QStringList messages;
};

QString Time(Figure total)
{
    Figure hours = 0, minutes = 0, seconds = total;
    SplitSeconds(hours, minutes, seconds);
    return QString::asprintf("%lld:%02lld:%02lld", static_cast<long long>(hours),
                             static_cast<long long>(minutes), static_cast<long long>(seconds));
}

QString Row(const QString& label, Figure count, Figure seconds, Figure yen)
{
    return QStringLiteral("%1 %2 回 %3 %4 円\n")
        .arg(label, 10)
        .arg(count, 8)
        .arg(Time(seconds), 12)
        .arg(yen, 12);
}

QString Header(const QString& title)
{
    return QStringLiteral("%1\n%2 %3 %4 %5\n")
        .arg(title)
        .arg(QStringLiteral("日付"), 10)
        .arg(QStringLiteral("回数"), 10)
        .arg(QStringLiteral("時間"), 12)
        .arg(QStringLiteral("料金"), 14);
}

// One series as {"slots": [...], "max", "average", "total"}, slots oldest first.
template <class Getter>
QJsonObject Series(int slotCount, Getter slot, Figure max, Figure average, Figure total)
{
    QJsonArray values;
    for (int i = 0; i < slotCount; ++i)
        values.append(static_cast<qint64>(slot(i)));
    return {{"slots", values}, {"max", static_cast<qint64>(max)},
            {"average", static_cast<qint64>(average)}, {"total", static_cast<qint64>(total)}};
}
} // namespace

QString ReportText(const CPeloraDoc& d, const CivilDate& today)
{
    QString text = QStringLiteral("料金ファイル: %1\n今日: %2年%3月%4日  〆切日: %5\n\n")
                       .arg(QString::fromStdString(d.GetLogPath()))
                       .arg(today.year).arg(today.month).arg(today.day).arg(d.GetClosingDay());
    text += Header(QStringLiteral("過去30日"));
    for (int i = 0; i < kDaySlots; ++i)
        text += Row(d.GetDayLabel(i), d.GetDayCount(i), d.GetDaySeconds(i), d.GetDayYen(i));
    text += Row(QStringLiteral("最大"), d.GetDayCountMax(), d.GetDaySecondsMax(), d.GetDayYenMax());
    text += Row(QStringLiteral("一日平均"), d.GetDayCountAverage(), d.GetDaySecondsAverage(),
                d.GetDayYenAverage());
    text += Row(QStringLiteral("合計"), d.GetDayCountTotal(), d.GetDaySecondsTotal(), d.GetDayYenTotal());
    text += QLatin1Char('\n') + Header(QStringLiteral("過去12ヵ月"));
    for (int i = 0; i < kMonthSlots; ++i)
        text += Row(d.GetMonthLabel(i), d.GetMonthCount(i), d.GetMonthSeconds(i), d.GetMonthYen(i));
    text += Row(QStringLiteral("最大"), d.GetMonthCountMax(), d.GetMonthSecondsMax(), d.GetMonthYenMax());
    text += Row(QStringLiteral("一月平均"), d.GetMonthCountAverage(), d.GetMonthSecondsAverage(),
                d.GetMonthYenAverage());
    text += Row(QStringLiteral("合計"), d.GetMonthCountTotal(), d.GetMonthSecondsTotal(),
                d.GetMonthYenTotal());
    text += QLatin1Char('\n')
            + Row(QStringLiteral("今月合計予測"), d.GetForecastCount(), d.GetForecastSeconds(),
                  d.GetForecastYen());
    return text;
}

QString ReportJson(const CPeloraDoc& d, const CivilDate& today)
{
    QJsonArray dayLabels, monthLabels;
    for (int i = 0; i < kDaySlots; ++i)
        dayLabels.append(QString::fromLatin1(d.GetDayLabel(i)));
    for (int i = 0; i < kMonthSlots; ++i)
        monthLabels.append(QString::fromLatin1(d.GetMonthLabel(i)));
    const QJsonObject days{
        {"labels", dayLabels},
        {"count", Series(kDaySlots, [&](int i) { return d.GetDayCount(i); }, d.GetDayCountMax(),
                         d.GetDayCountAverage(), d.GetDayCountTotal())},
        {"yen", Series(kDaySlots, [&](int i) { return d.GetDayYen(i); }, d.GetDayYenMax(),
                       d.GetDayYenAverage(), d.GetDayYenTotal())},
        {"seconds", Series(kDaySlots, [&](int i) { return d.GetDaySeconds(i); }, d.GetDaySecondsMax(),
                           d.GetDaySecondsAverage(), d.GetDaySecondsTotal())}};
    const QJsonObject months{
        {"labels", monthLabels},
        {"count", Series(kMonthSlots, [&](int i) { return d.GetMonthCount(i); }, d.GetMonthCountMax(),
                         d.GetMonthCountAverage(), d.GetMonthCountTotal())},
        {"yen", Series(kMonthSlots, [&](int i) { return d.GetMonthYen(i); }, d.GetMonthYenMax(),
                       d.GetMonthYenAverage(), d.GetMonthYenTotal())},
        {"seconds", Series(kMonthSlots, [&](int i) { return d.GetMonthSeconds(i); },
                           d.GetMonthSecondsMax(), d.GetMonthSecondsAverage(), d.GetMonthSecondsTotal())}};
    const QJsonObject forecast{{"count", static_cast<qint64>(d.GetForecastCount())},
                               {"yen", static_cast<qint64>(d.GetForecastYen())},
                               {"seconds", static_cast<qint64>(d.GetForecastSeconds())}};
    const QJsonObject root{
        {"today", QString::asprintf("%04d-%02d-%02d", today.year, today.month, today.day)},
        {"closing_day", d.GetClosingDay()},
        {"previous_month_label", QString::fromLatin1(d.GetPrevMonthLabel())},
        {"days", days},
        {"months", months},
        {"forecast", forecast}};
    return QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

int RunReport(const ReportOptions& options, QTextStream& out, QTextStream& err)
{
    // The report must not touch the user's settings, so the document gets a store of its own.
    CMemoryProfileStore profile;
    CSettings settings(profile);
    settings.SetLogPath(options.file.toStdString());
    settings.SetClosingDay(options.closingDay);
    CFixedClock clock(LocalNoon(options.today));
    CCollectingSink messages;
    CPeloraDoc doc(profile, clock, messages);
    if (doc.IsLoadFailed()) {
        err << messages.messages.join(QLatin1Char('\n')) << '\n'
            << options.file << ": " << QString::fromStdString(doc.GetLoadError()) << '\n';
        return 2;
    }
    out << (options.json ? ReportJson(doc, options.today) : ReportText(doc, options.today));
    return 0;
}
