#include "dialogs/DetailTable.h"

#include "document/FigureText.h"

#include <array>

namespace {
constexpr unsigned kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr unsigned kRight = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

struct Span {
    int from, to;
};
using Columns = std::array<Span, 4>;

class CTableBuilder {
public:
    std::vector<DetailItem> items;

    void Frame(int l, int t, int r, int b, bool sunken) { items.push_back({DetailItem::Frame, {l, t, r, b}, sunken, {}, 0}); }
    void Text(int l, int t, int r, int b, const QString& text, unsigned format)
    {
        items.push_back({DetailItem::Text, {l, t, r, b}, 0, text, format});
    }
    void Cell(int l, int t, int r, int b, const QString& text, unsigned format)
    {
        Frame(l, t, r, b, false);
        Text(l, t, r, b, text, format);
    }

    // The four raised head cells first, then their texts.
    void Heads(const Columns& c, int top, int bottom)
    {
        for (const Span& s : c)
            Frame(s.from, top, s.to, bottom, false);
        const char* heads[] = {kDateHeading, kCallsHeading, kTimeHeading, kYenHeading};
        for (std::size_t i = 0; i < c.size(); ++i)
            Text(c[i].from, top, c[i].to, bottom, QString::fromUtf8(heads[i]), kCentred);
    }

    void Row(const Columns& c, int top, const FigureRow& p)
    {
        const int bottom = top + 15;
        Cell(c[0].from, top, c[0].to, bottom, QString::fromStdString(p.label), kCentred);
        Cell(c[1].from, top, c[1].to, bottom, CountCell(p.calls), kRight);
        Cell(c[2].from, top, c[2].to, bottom, TimeCell(p.seconds), kRight);
        Cell(c[3].from, top, c[3].to, bottom, YenCell(p.yen), kRight);
    }

    // A summary box: its title cell, then three rows of a caption cell and a value cell.
    void Summary(Span titleSpan, int titleTop, Span caption, Span value, const std::array<int, 3>& rowTops,
                 const FigureRow& figures)
    {
        Cell(titleSpan.from, titleTop, titleSpan.to, titleTop + 15, QString::fromStdString(figures.label), kCentred);
        const char* captions[] = {kCallsHeading, kTimeHeading, kYenHeading};
        const QString values[] = {CallsCell(figures.calls), TimeCell(figures.seconds), YenCell(figures.yen)};
        for (std::size_t i = 0; i < rowTops.size(); ++i) {
            const int top = rowTops[i];
            Frame(caption.from, top, caption.to, top + 15, false);
            Frame(value.from, top, value.to, top + 15, false);
            Text(caption.from, top, caption.to, top + 15, QString::fromUtf8(captions[i]), kCentred);
            Text(value.from, top, value.to, top + 15, values[i], kRight);
        }
    }
};
} // namespace

QString CountCell(Figure count) { return QStringLiteral("%1 ").arg(count); }
QString CallsCell(Figure count) { return QString::fromStdString(CallsText(count) + ' '); }
QString YenCell(Figure yen) { return QString::fromStdString(YenText(yen) + ' '); }
QString TimeCell(Figure total) { return QString::fromStdString(FormatDuration(total) + ' '); }

namespace {
// Where one table's parts go: three sunken boxes, one or two groups of rows, the summary boxes.
struct Group {
    Columns columns;
    int firstSlot, slotCount, firstRowTop;
};
struct SummaryPlace {
    Span titleSpan;
    int titleTop;
    Span caption, value;
    std::array<int, 3> rowTops;
};
struct TableLayout {
    std::array<PixelBox, 3> outer;
    std::vector<Group> groups;
    PixelBox divider; // between two groups
    SummaryPlace total, average;
};

std::vector<DetailItem> BuildTable(const TableLayout& t, const FigureTable& table)
{
    if (table.Empty())
        return {};
    CTableBuilder b;
    for (const PixelBox& box : t.outer)
        b.Frame(box.left, box.top, box.right, box.bottom, true);
    for (std::size_t g = 0; g < t.groups.size(); ++g) {
        if (g > 0)
            b.Frame(t.divider.left, t.divider.top, t.divider.right, t.divider.bottom, false);
        const Group& group = t.groups[g];
        b.Heads(group.columns, 20, 35);
        for (int k = 0; k < group.slotCount; ++k)
            b.Row(group.columns, group.firstRowTop + 19 * k, table.rows[static_cast<std::size_t>(group.firstSlot + k)]);
    }
    for (const auto& [place, figures] : {std::pair{t.total, table.total}, std::pair{t.average, table.average}})
        b.Summary(place.titleSpan, place.titleTop, place.caption, place.value, place.rowTops, figures);
    return b.items;
}

Columns Shifted(Columns columns, int dx)
{
    for (Span& s : columns)
        s = {s.from + dx, s.to + dx};
    return columns;
}
} // namespace

std::vector<DetailItem> MonthDetailItems(const FigureTable& table)
{
    const TableLayout layout{
        {{{10, 10, 285, 280}, {295, 10, 461, 107}, {295, 117, 461, 214}}},
        {{{{{20, 65}, {75, 120}, {130, 195}, {205, 275}}}, 0, kMonthSlots, 46}},
        {},
        {{305, 450}, 20, {305, 350}, {360, 450}, {46, 65, 84}},
        {{305, 450}, 127, {305, 350}, {360, 450}, {153, 172, 191}}};
    return BuildTable(layout, table);
}

// Two groups of 15 days side by side, the right one 269 pixels further on.
std::vector<DetailItem> DayDetailItems(const FigureTable& table)
{
    const Columns left{{{20, 85}, {95, 125}, {135, 195}, {205, 265}}};
    const TableLayout layout{
        {{{10, 10, 543, 331}, {10, 341, 176, 438}, {186, 341, 352, 438}}},
        {{left, 0, 15, 41}, {Shifted(left, 269), 15, 15, 41}},
        {275, 20, 279, 322},
        {{21, 166}, 350, {21, 66}, {76, 166}, {376, 395, 414}},
        {{196, 341}, 350, {196, 241}, {251, 341}, {376, 395, 414}}};
    return BuildTable(layout, table);
}
