#include "document/PeriodLabels.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

CivilDate CivilFromDays(long long z)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const long long y = static_cast<long long>(yoe) + era * 400 + (m <= 2);
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

// Writes text into a label, cut to fit (only years far beyond 2100 could need cutting).
void SetLabel(PeriodLabel& label, const char* text)
{
    const std::size_t length = std::min(std::strlen(text), label.size() - 1);
    std::memcpy(label.data(), text, length);
    label[length] = '\0';
}

// "YY/MM" (and "/DD" after it, day 1 to 31): written digit by digit for the years 1900 to 2099
// every charge file holds, as labels are made for each load; printed for any other year.
void FormatLabel(PeriodLabel& label, int year, int month, int day = 0)
{
    const int twoDigits = TwoDigitYear(year);
    if (twoDigits < 0 || twoDigits > 99 || month < 1 || month > 12 || day < 0 || day > 31) {
        char text[48];
        std::snprintf(text, sizeof text, day ? "%02d/%02d/%02d" : "%02d/%02d", twoDigits, month, day);
        SetLabel(label, text);
        return;
    }
    char* out = label.data();
    const auto put = [&out](int value) {
        *out++ = static_cast<char>('0' + value / 10);
        *out++ = static_cast<char>('0' + value % 10);
    };
    put(twoDigits);
    *out++ = '/';
    put(month);
    if (day > 0) {
        *out++ = '/';
        put(day);
    }
    *out = '\0';
}

// Calendar month `offset` months away from (year, month), offset in any range.
void ShiftMonth(int& year, int& month, int offset)
{
    const int zeroBased = year * 12 + (month - 1) + offset;
    year = zeroBased >= 0 ? zeroBased / 12 : (zeroBased - 11) / 12;
    month = zeroBased - year * 12 + 1;
}
} // namespace

int DaysInMonth(int year, int month)
{
    switch (month) {
    case 0: case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    case 4: case 6: case 9: case 11:
        return 30;
    case 2:
        return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
    default:
        return 0;
    }
}

int TwoDigitYear(int year)
{
    return year < 2000 ? year - 1900 : year - 2000;
}

CivilDate LocalDate(std::time_t time)
{
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &time);
#else
    localtime_r(&time, &parts);
#endif
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

std::time_t LocalNoon(const CivilDate& date)
{
    std::tm parts{};
    parts.tm_year = date.year - 1900;
    parts.tm_mon = date.month - 1;
    parts.tm_mday = date.day;
    parts.tm_hour = 12;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

CivilDate AddDays(const CivilDate& date, int days)
{
    return CivilFromDays(DaysFromCivil(date.year, static_cast<unsigned>(date.month),
                                       static_cast<unsigned>(date.day)) + days);
}

PeriodLabel DayLabelOf(const CivilDate& date)
{
    PeriodLabel label{};
    FormatLabel(label, date.year, date.month, date.day);
    return label;
}

PeriodLabel MonthLabelOf(const CivilDate& date, int offset)
{
    const CivilDate month = MonthStart(date, offset);
    PeriodLabel label{};
    FormatLabel(label, month.year, month.month);
    return label;
}

CivilDate MonthStart(const CivilDate& date, int offset)
{
    int year = date.year;
    int month = date.month;
    ShiftMonth(year, month, offset);
    return {year, month, 1};
}
