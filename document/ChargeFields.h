#pragma once
// The values a charge-file line carries at fixed columns (columns count from 0).
// A field is cut at the end of the line; a missing field converts to 0.

#include <bit>
#include <cstdint>
#include <cstring>
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
// The same values for any bytes, field by field.
ChargeLineValues GeneralValuesOfLine(std::string_view line);

namespace charge_fields {
inline constexpr std::uint64_t kEach = 0x0101010101010101ull;

inline std::uint64_t EightBytes(const char* p)
{
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Whether each of the eight bytes is a decimal digit (no carry crosses a byte that is one).
inline bool EightDigitBytes(std::uint64_t word)
{
    return ((word & 0xF0 * kEach) | (((word + 0x06 * kEach) & 0xF0 * kEach) >> 4)) == 0x33 * kEach;
}

// The value of eight digits, the first byte the most significant.
inline std::uint64_t EightDigits(std::uint64_t word)
{
    std::uint64_t digits = word & 0x0F * kEach;
    digits = digits * 10 + (digits >> 8);
    return (((digits & 0x000000FF000000FFull) * (100 + (1000000ull << 32)))
            + (((digits >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32))))
           >> 32;
}

// The given bytes of word replaced by '0'.
inline std::uint64_t ZeroDigitsAt(std::uint64_t word, std::uint64_t bytes)
{
    return (word & ~bytes) | ('0' * kEach & bytes);
}
} // namespace charge_fields

// The connect time and the charge of a line of the common shape, each as a word of eight digits,
// the first the most significant: a zero-padded connect time (its separators read as '0'), and a
// charge of blanks followed by digits, with at most a thousands comma in its usual place ("   1,230"
// read as "00001230"). False for any other line, which the general way then reads.
#if defined(__GNUC__)
__attribute__((always_inline))
#endif
inline bool CommonFieldDigits(std::string_view line, std::uint64_t& time, std::uint64_t& charge)
{
    using namespace charge_fields;
    if constexpr (std::endian::native != std::endian::little)
        return false;
    if (line.size() < 31 + kChargeWidth)
        return false;
    time = ZeroDigitsAt(EightBytes(line.data() + 22), 0x0000FF0000FF0000ull); // HH:MM:SS
    charge = EightBytes(line.data() + 31);
    const std::uint64_t nonBlank = charge ^ ' ' * kEach;
    if (nonBlank != 0) {
        const int blankBits = std::countr_zero(nonBlank) & ~7;
        charge = ZeroDigitsAt(charge, (std::uint64_t{1} << blankBits) - 1);
        if ((charge >> 32 & 0xFF) == ',')
            charge = (charge & 0xFFFFFF0000000000ull) | (charge & 0xFFFFFFFFull) << 8 | '0';
    } else {
        charge = '0' * kEach;
    }
    return EightDigitBytes(time) && EightDigitBytes(charge);
}

// The seconds of a connect time read by CommonFieldDigits.
inline std::int64_t SecondsOfTimeDigits(std::uint64_t time)
{
    const std::uint64_t digits = time & 0x0F * charge_fields::kEach;
    const std::uint64_t pairs = digits * 10 + (digits >> 8); // byte k: 10 * digit k + digit k + 1
    return static_cast<std::int64_t>((pairs & 0xFF) * 3600 + (pairs >> 24 & 0xFF) * 60 + (pairs >> 48 & 0xFF));
}

inline bool FastValuesOfLine(std::string_view line, ChargeLineValues& values)
{
    std::uint64_t time = 0;
    std::uint64_t charge = 0;
    if (!CommonFieldDigits(line, time, charge))
        return false;
    values.seconds = SecondsOfTimeDigits(time);
    values.yen = static_cast<std::int64_t>(charge_fields::EightDigits(charge));
    return true;
}

inline ChargeLineValues ValuesOfLine(std::string_view line)
{
    ChargeLineValues values;
    return FastValuesOfLine(line, values) ? values : GeneralValuesOfLine(line);
}
