#include "document/ChargeFields.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {
// The C library's way: copy the field, drop its commas, strtol (blanks, tabs, signs, stops at the
// first other byte or a NUL).
long ReferenceField(const std::string& line, std::size_t column, std::size_t width, bool commas)
{
    char field[16] = {};
    if (column < line.size())
        line.copy(field, std::min(width, line.size() - column), column);
    if (commas)
        *std::remove(field, field + std::strlen(field), ',') = '\0';
    return std::strtol(field, nullptr, 10);
}

// "96/12/15 10:23:45  OUT00:03:20    1,230 0312345678": the connect time in columns 22 to 29, the
// charge in 31 to 38, read as the C library reads them whatever the bytes.
TEST(ChargeFields, LineValuesMatchTheCLibraryOnAnyBytes)
{
    std::mt19937 random(11);
    const char alphabet[] = " 0123456789012345678901234567890123456789,+-\t\0x";
    for (int n = 0; n < 50000; ++n) {
        std::string line = "96/12/15 10:23:45  OUT";
        const std::size_t length = 22 + random() % 25;
        while (line.size() < length)
            line += alphabet[random() % (sizeof alphabet - 1)];
        const ChargeLineValues values = ValuesOfLine(line);
        ASSERT_EQ(values.yen, ReferenceField(line, 31, 8, true)) << line;
        ASSERT_EQ(values.seconds, ReferenceField(line, 22, 2, false) * 3600
                                      + ReferenceField(line, 25, 2, false) * 60
                                      + ReferenceField(line, 28, 2, false))
            << line;
    }
}
} // namespace
