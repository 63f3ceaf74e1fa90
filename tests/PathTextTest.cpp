#include "platform/core/PathText.h"

#include <gtest/gtest.h>
#include <random>

namespace {
TEST(PathTextTest, AnyBytesComeBackExactly)
{
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 40, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() % 256);
        EXPECT_EQ(EncodePath(DecodePath(bytes)), bytes);
    }
}

TEST(PathTextTest, Utf8NamesReadAsTheirText)
{
    // Two, three and four bytes a character, each at the end of its range (U+07FF, U+FFFD, U+10FFFF).
    const std::string name = "/home/ユーザー/電話料金 😀 \u07FF\uFFFD\U0010FFFF.log";
    EXPECT_TRUE(IsValidUtf8(name));
    EXPECT_EQ(DecodePath(name), QString::fromUtf8(name.c_str()));
    EXPECT_EQ(EncodePath(QString::fromUtf8(name.c_str())), name);
    const std::string shiftJis = "/tmp/\x93\x64\x98\x62.log"; // 電話 in Shift-JIS
    EXPECT_FALSE(IsValidUtf8(shiftJis));
    EXPECT_EQ(DecodePath(shiftJis).left(5), QStringLiteral("/tmp/"));
    EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80")); // an encoded surrogate is not UTF-8
}
} // namespace
