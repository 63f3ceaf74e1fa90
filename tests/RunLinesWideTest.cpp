#include "document/ChargeFields.h"
#include "document/RunLinesWide.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {
const std::string kDate = "26/12/07";
const std::string kPlain = kDate + " 10:00:00  OUT00:03:20      230 0312345678";

std::uint64_t KeyOf(const std::string& line)
{
    std::uint64_t key = 0;
    std::memcpy(&key, line.data(), sizeof key);
    return key;
}

// What the one-by-one way adds for the whole lines in text[0, taken), or nothing when one of them
// is of a shape it would not take in a run: the four-at-a-time way may take only such lines.
struct Expected {
    bool takeable = true;
    ChargeRun run;
};
Expected OneByOne(const std::string& text, std::size_t taken)
{
    Expected expected;
    for (std::size_t at = 0; at < taken;) {
        const std::size_t lf = text.find('\n', at);
        std::string_view line(text.data() + at, lf - at);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ChargeLineValues values;
        if (lf == std::string::npos || lf - at >= 64 || line.size() < 39 || line.substr(0, 8) != kDate
            || !FastValuesOfLine(line, values))
            return {false, {}};
        expected.run.count += 1;
        expected.run.yen += values.yen;
        expected.run.seconds += values.seconds;
        at = lf + 1;
    }
    return expected;
}

// Takes lines from text as a run of kDate and checks them against the one-by-one way. The bytes
// lie in a buffer of their exact size, so a sanitizer sees any read past them.
std::size_t TakeAndCheck(const std::string& text, const std::string& context)
{
    ChargeRun run;
    const std::vector<char> bytes(text.begin(), text.end());
    const std::size_t taken = TakeRunLinesWide(bytes.data(), bytes.size(), KeyOf(kDate), true, run);
    EXPECT_TRUE(taken == 0 || text[taken - 1] == '\n') << context;
    const Expected expected = OneByOne(text, taken);
    EXPECT_TRUE(expected.takeable) << context;
    EXPECT_EQ(run.count, expected.run.count) << context;
    EXPECT_EQ(run.yen, expected.run.yen) << context;
    EXPECT_EQ(run.seconds, expected.run.seconds) << context;
    return taken;
}

class RunLinesWideTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!RunLinesWideAvailable())
            GTEST_SKIP() << "this processor takes lines one by one only";
    }
};

// One line of each shape among plain ones, at each place in a group of four and the next: the
// common shapes go with the run, with their sums; any other stops it before the line.
TEST_F(RunLinesWideTest, LineShapesAreTakenOnlyWhereTheOneByOneWayWouldBe)
{
    const struct {
        const char* name;
        std::string line;
        bool taken;
    } rows[] = {
        {"plain", kPlain, true},
        {"thousands comma", kDate + " 10:00:00  OUT01:02:03    1,230 0312345678", true},
        {"comma and no blanks", kDate + " 10:00:00  OUT01:02:03 1234,567 0312345678", true},
        {"blank charge", kDate + " 10:00:00  OUT00:00:09          0312345678", true},
        {"eight digits", kDate + " 10:00:00  OUT99:59:59 99999999", true},
        {"39 bytes and a return", kDate + " 10:00:00  OUT00:03:20      230", true},
        {"62 bytes and a return", kDate + " 10:00:00  OUT00:03:20      230 " + std::string(22, '7'), true},
        {"40 bytes and a line feed alone", kDate + " 10:00:00  OUT00:03:20      230 \n", true},
        {"38 bytes and a return", kDate + " 10:00:00  OUT00:03:20      23", false},
        {"63 bytes and a return", kDate + " 10:00:00  OUT00:03:20      230 " + std::string(23, '7'), false},
        {"refund", kDate + " 10:00:00  OUT00:03:20      -50 0312345678", false},
        {"blank among digits", kDate + " 10:00:00  OUT00:03:20   12 345 0312345678", false},
        {"comma elsewhere", kDate + " 10:00:00  OUT00:03:20  12,345 0312345678", false},
        {"byte just below the digits", kDate + " 10:00:00  OUT00:03:20      2/0 0312345678", false},
        {"byte just above the digits", kDate + " 10:00:00  OUT00:03:20      2:0 0312345678", false},
        {"letter in time", kDate + " 10:00:00  OUT00:0x:20      230 0312345678", false},
        {"blank in time", kDate + " 10:00:00  OUT 0:03:20      230 0312345678", false},
        {"another date", "26/12/08 10:00:00  OUT00:03:20      230 0312345678", false},
        {"the date's day blank", "26/12/0  10:00:00  OUT00:03:20      230 0312345678", false},
    };
    for (const auto& row : rows) {
        for (int place = 0; place < 8; ++place) {
            std::string text;
            for (int k = 0; k < 40; ++k) {
                text += k == place ? row.line : kPlain;
                text += row.line.ends_with('\n') && k == place ? "" : "\r\n";
            }
            const std::size_t start = (kPlain.size() + 2) * static_cast<std::size_t>(place);
            const std::size_t taken = TakeAndCheck(text, std::string(row.name) + " at " + std::to_string(place));
            if (row.taken)
                EXPECT_GT(taken, start + row.line.size()) << row.name << " at " << place;
            else
                EXPECT_LE(taken, start) << row.name << " at " << place;
        }
    }
}

// A line cut in columns no check reads, among lines short enough that its cut is now and then the
// third line end of its 64 bytes: the two pieces together would look like a whole line.
TEST_F(RunLinesWideTest, EveryLineEndOfABlockEndsALine)
{
    const std::string shortest = kDate + " 10:00:00  OUT00:03:20      230\r\n";
    const std::string cut = kDate + " 10:00\n00  OUT00:03:20      230 0312345678\r\n";
    for (std::size_t place = 0; place < 32; ++place) {
        std::string text;
        for (std::size_t k = 0; k < 40; ++k)
            text += k == place ? cut : shortest;
        EXPECT_LE(TakeAndCheck(text, "cut at " + std::to_string(place)), shortest.size() * place) << place;
    }
    // A flood of empty lines after a few lines, however it falls on the blocks: every block full of
    // line ends, all listed.
    for (int lines = 0; lines < 8; ++lines) {
        std::string text;
        for (int k = 0; k < lines; ++k)
            text += kPlain + "\r\n";
        TakeAndCheck(text + std::string(2048, '\n') + kPlain + "\r\n", "flood after " + std::to_string(lines));
    }
    // The last of four lines short and within 39 bytes of the end of the bytes, the last block
    // whole: its fields are never read past them.
    std::string text;
    for (int k = 0; k < 6; ++k)
        text += kPlain + "\r\n";
    text += kDate + " 10:00:00  OUT00:03:20      230\r\n" + std::string(20, 'x') + "\n" + std::string(10, 'y');
    ASSERT_EQ(text.size() % 64, 0u);
    TakeAndCheck(text, "short line near the end");
}

// A long run of the largest fields: the digits summed column by column never overflow their columns.
TEST_F(RunLinesWideTest, LongRunOfTheLargestFieldsSumsExactly)
{
    std::string text;
    for (int k = 0; k < 20000; ++k)
        text += kDate + " 10:00:00  OUT99:59:59 99999999\r\n";
    EXPECT_GT(TakeAndCheck(text, "largest"), text.size() - 8 * 64);
}

// Runs of charge lines with a line of any bytes now and then: whatever stretch is taken is what
// the one-by-one way would take, summed alike; without odd lines nearly all is taken, and where
// only calls count, the same stretch is counted with no sums.
TEST_F(RunLinesWideTest, RandomRunsMatchTheOneByOneWay)
{
    std::mt19937 random(23);
    const auto digits = [&](int n) {
        std::string text;
        while (n-- > 0)
            text += static_cast<char>('0' + random() % 10);
        return text;
    };
    const char alphabet[] = " 0123456789,:-\r\t\0x/";
    for (int n = 0; n < 3000; ++n) {
        const bool odd = n % 2 == 1;
        std::string text;
        while (text.size() < 2000 + random() % 3000) {
            std::string charge = std::to_string(random() % (random() % 2 ? 1000 : 100000000));
            if (charge.size() >= 4 && charge.size() <= 7 && random() % 2)
                charge.insert(charge.size() - 3, ",");
            std::string line = kDate + " 10:00:00  OUT" + digits(2) + ":" + digits(2) + ":" + digits(2) + " "
                               + std::string(8 - std::min<std::size_t>(8, charge.size()), ' ') + charge.substr(0, 8) + " "
                               + digits(static_cast<int>(random() % 23));
            if (odd && random() % 12 == 0)
                for (std::size_t k = random() % line.size(), end = k + random() % 4; k < line.size() && k < end; ++k)
                    line[k] = alphabet[random() % (sizeof alphabet - 1)];
            text += line + (random() % 4 ? "\r\n" : "\n");
        }
        const std::size_t taken = TakeAndCheck(text, "case " + std::to_string(n));
        if (!odd) { // and outside every slot, the same lines are counted only
            EXPECT_GT(taken + 8 * 64, text.size()) << "case " << n;
            ChargeRun calls;
            EXPECT_EQ(TakeRunLinesWide(text.data(), text.size(), KeyOf(kDate), false, calls), taken) << "case " << n;
            EXPECT_EQ(calls.count, std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(taken), '\n'));
            EXPECT_EQ(calls.yen + calls.seconds, 0);
        }
    }
}
} // namespace
