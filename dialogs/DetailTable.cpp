#include "dialogs/DetailTable.h"

#include "document/PeloraDoc.h"
#include "view/SplitSeconds.h"

#include <array>

namespace {
constexpr unsigned kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr unsigned kRight = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

struct Span {
    int from, to;
};
using Columns = std::array<Span, 4>;

// One period's figures and the three figures of a summary box.
struct Period {
    QString label;
    Figure count, seconds, yen;
};

class CTableBuilder {
public:
    std::vector<DetailItem> items;

    void Frame(int l, int t, int r, int b, int sunken) { items.push_back({DetailItem::Frame, {l, t, r, b}, sunken, {}, 0}); }
    void Text(int l, int t, int r, int b, const QString& text, unsigned format)
    {
        items.push_back({DetailItem::Text, {l, t, r, b}, 0, text, format});
    }
    void Cell(int l, int t, int r, int b, const QString& text, unsigned format)
    {
        Frame(l, t, r, b, 0);
        Text(l, t, r, b, text, format);
    }

    // The four raised head cells first, then their texts.
    void Heads(const Columns& c, int top, int bottom)
    {
        for (const Span& s : c)
            Frame(s.from, top, s.to, bottom, 0);
        const char* heads[] = {"日付", "回数", "時間", "料金"};
        for (std::size_t i = 0; i < c.size(); ++i)
            Text(c[i].from, top, c[i].to, bottom, QString::fromUtf8(heads[i]), kCentred);
    }

    void Row(const Columns& c, int top, const Period& p)
    {
        const int bottom = top + 15;
        Cell(c[0].from, top, c[0].to, bottom, p.label, kCentred);
        Cell(c[1].from, top, c[1].to, bottom, CountText(p.count), kRight);
        Cell(c[2].from, top, c[2].to, bottom, TimeText(p.seconds), kRight);
        Cell(c[3].from, top, c[3].to, bottom, YenText(p.yen), kRight);
    }

    // A summary box: its title cell, then three rows of a caption cell and a value cell.
    void Summary(const QString& title, Span titleSpan, int titleTop, Span caption, Span value,
                 const std::array<int, 3>& rowTops, const Period& figures)
    {
        Cell(titleSpan.from, titleTop, titleSpan.to, titleTop + 15, title, kCentred);
        const char* captions[] = {"回数", "時間", "料金"};
        const QString values[] = {CallsText(figures.count), TimeText(figures.seconds), YenText(figures.yen)};
        for (std::size_t i = 0; i < rowTops.size(); ++i) {
            const int top = rowTops[i];
            Frame(caption.from, top, caption.to, top + 15, 0);
            Frame(value.from, top, value.to, top + 15, 0);
            Text(caption.from, top, caption.to, top + 15, QString::fromUtf8(captions[i]), kCentred);
            Text(value.from, top, value.to, top + 15, values[i], kRight);
        }
    }
};

Period MonthPeriod(const CPeloraDoc& d, int i)
{
    return {QString::fromLatin1(d.GetMonthLabel(i)), d.GetMonthCount(i), d.GetMonthSeconds(i), d.GetMonthYen(i)};
}

Period DayPeriod(const CPeloraDoc& d, int i)
{
    return {QString::fromLatin1(d.GetDayLabel(i)), d.GetDayCount(i), d.GetDaySeconds(i), d.GetDayYen(i)};
}
} // namespace

QString CountText(Figure count) { return QStringLiteral("%1 ").arg(count); }
QString CallsText(Figure count) { return QStringLiteral("%1 回 ").arg(count); }
QString YenText(Figure yen) { return QStringLiteral("%1 円 ").arg(yen); }

QString TimeText(Figure total)
{
    Figure hours = 0, minutes = 0, seconds = total;
    SplitSeconds(hours, minutes, seconds);
    return QString::asprintf("%lld:%02lld:%02lld ", static_cast<long long>(hours), static_cast<long long>(minutes),
                             static_cast<long long>(seconds));
}

std::vector<DetailItem> MonthDetailItems(const CPeloraDoc& d)
{
    CTableBuilder b;
    if (d.IsLoadFailed())
        return b.items;
    b.Frame(10, 10, 285, 280, 1);
    b.Frame(295, 10, 461, 107, 1);
    b.Frame(295, 117, 461, 214, 1);
    const Columns columns{{{20, 65}, {75, 120}, {130, 195}, {205, 275}}};
    b.Heads(columns, 20, 35);
    for (int i = 0; i < kMonthSlots; ++i)
        b.Row(columns, 46 + 19 * i, MonthPeriod(d, i));
    b.Summary(QStringLiteral("過去12ヵ月の合計"), {305, 450}, 20, {305, 350}, {360, 450}, {46, 65, 84},
              {{}, d.GetMonthCountTotal(), d.GetMonthSecondsTotal(), d.GetMonthYenTotal()});
    b.Summary(QStringLiteral("一月当たりの平均"), {305, 450}, 127, {305, 350}, {360, 450}, {153, 172, 191},
              {{}, d.GetMonthCountAverage(), d.GetMonthSecondsAverage(), d.GetMonthYenAverage()});
    return b.items;
}

std::vector<DetailItem> DayDetailItems(const CPeloraDoc& d)
{
    CTableBuilder b;
    if (d.IsLoadFailed())
        return b.items;
    b.Frame(10, 10, 543, 331, 1);
    b.Frame(10, 341, 176, 438, 1);
    b.Frame(186, 341, 352, 438, 1);
    const Columns left{{{20, 85}, {95, 125}, {135, 195}, {205, 265}}};
    Columns right = left;
    for (Span& s : right)
        s = {s.from + 269, s.to + 269};
    b.Heads(left, 20, 35);
    for (int i = 0; i < 15; ++i)
        b.Row(left, 41 + 19 * i, DayPeriod(d, i));
    b.Frame(275, 20, 279, 322, 0);
    b.Heads(right, 20, 35);
    for (int i = 15; i < kDaySlots; ++i)
        b.Row(right, 41 + 19 * (i - 15), DayPeriod(d, i));
    b.Summary(QStringLiteral("過去30日の合計"), {21, 166}, 350, {21, 66}, {76, 166}, {376, 395, 414},
              {{}, d.GetDayCountTotal(), d.GetDaySecondsTotal(), d.GetDayYenTotal()});
    b.Summary(QStringLiteral("一日当たりの平均"), {196, 341}, 350, {196, 241}, {251, 341}, {376, 395, 414},
              {{}, d.GetDayCountAverage(), d.GetDaySecondsAverage(), d.GetDayYenAverage()});
    return b.items;
}
