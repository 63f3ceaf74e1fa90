#pragma once
// The values a charge-file line carries at fixed columns (columns count from 0).
// A field is cut at the end of the line; a missing field converts to 0.

#include <cstdint>
#include <string_view>

// What one line adds to a slot.
struct ChargeLineValues {
    std::int64_t yen = 0;
    std::int64_t seconds = 0;
};

// The bytes of line at columns [column, column + width), cut at the line's end.
std::string_view FieldAt(std::string_view line, std::size_t column, std::size_t width);

// As strtol base 10: leading white space, an optional sign, digits up to the first other byte.
std::int64_t ConvertField(std::string_view field);

inline constexpr std::size_t kChargeWidth = 8;

// The field's text up to any NUL, without its commas, copied into scratch (at least field.size()).
std::string_view StripCommas(std::string_view field, char* scratch);

// Day of month at columns 6-7, charge at 31-38 (commas removed), connect time at 22-29.
int DayOfLine(std::string_view line);
ChargeLineValues ValuesOfLine(std::string_view line);
