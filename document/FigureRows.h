#pragma once
// The figures as rows, for every place that shows them as a table: the detail dialogs (painted,
// copied and read out) and the text, JSON and CSV reports. Every heading and caption of those
// tables and of the totals panel is written here, once; each place only formats the figures.

#include "document/BillingCalendar.h"
#include "document/TallySeries.h"

#include <string>
#include <vector>

class CPeloraDoc;

// The column headings; the three quantities' names are also the units' names.
inline constexpr const char* kDateHeading = "日付";
inline constexpr const char* kCallsHeading = "回数";
inline constexpr const char* kTimeHeading = "時間";
inline constexpr const char* kYenHeading = "料金";

// The totals panel's rows, and the group they form.
inline constexpr const char* kTodayTotalCaption = "今日の合計";
inline constexpr const char* kMonthTotalCaption = "今月の合計";
inline constexpr const char* kForecastCaption = "今月合計予測";
inline constexpr const char* kTotalsCaption = "合計";

// One row: a slot with its label and dates, or a summary with its caption.
struct FigureRow {
    std::string label;
    DateSpan dates{}; // slots only
    Figure calls = 0;
    Figure seconds = 0;
    Figure yen = 0;
    bool operator==(const FigureRow&) const = default;
};

// The 30 days or the 12 billing months: a row a slot (oldest first), then the maximum, total and
// average of each quantity.
struct FigureTable {
    bool days = true;
    std::string title; // "過去30日", "過去12ヵ月"
    std::vector<FigureRow> rows;
    FigureRow maximum, total, average;
    // No figures: the document has none to show (never read, or its last load failed).
    bool Empty() const { return rows.empty(); }
    bool operator==(const FigureTable&) const = default;
};

// The document's figures as they stand; empty where it has none.
FigureTable FigureTableOf(const CPeloraDoc& doc, bool days);
// The forecast of the current billing month in each quantity.
FigureRow ForecastRow(const CPeloraDoc& doc);
