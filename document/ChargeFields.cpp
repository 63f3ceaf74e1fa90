#include "document/ChargeFields.h"

#include <algorithm>
#include <cstring>

namespace {
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
} // namespace

std::string_view FieldAt(std::string_view line, std::size_t column, std::size_t width)
{
    if (column >= line.size())
        return {};
    return line.substr(column, width);
}

std::int64_t ConvertField(std::string_view field)
{
    // The usual two zero-padded digits, without the general walk.
    if (field.size() == 2 && IsDigit(field[0]) && IsDigit(field[1]))
        return (field[0] - '0') * 10 + (field[1] - '0');
    std::size_t i = 0;
    while (i < field.size() && IsCSpace(field[i]))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        negative = field[i++] == '-';
    std::int64_t value = 0;
    // Fields are at most a few bytes wide, so the value cannot overflow.
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        value = value * 10 + (field[i] - '0');
    return negative ? -value : value;
}

std::string_view StripCommas(std::string_view field, char* scratch)
{
    std::size_t length = 0;
    for (const char c : field) {
        if (c == '\0')
            break;
        if (c != ',')
            scratch[length++] = c;
    }
    return {scratch, length};
}

int DayOfLine(std::string_view line)
{
    return static_cast<int>(ConvertField(FieldAt(line, 6, 2)));
}

ChargeLineValues GeneralValuesOfLine(std::string_view line)
{
    ChargeLineValues values;
    char scratch[kChargeWidth];
    values.yen = ConvertField(StripCommas(FieldAt(line, 31, kChargeWidth), scratch));
    values.seconds = ConvertField(FieldAt(line, 22, 2)) * 3600 + ConvertField(FieldAt(line, 25, 2)) * 60
                     + ConvertField(FieldAt(line, 28, 2));
    return values;
}
