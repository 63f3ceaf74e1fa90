#include "document/FigureText.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
struct SplitCase {
    Figure total, hours, minutes, seconds;
};

TEST(SplitSecondsTest, CarriesSecondsIntoMinutesAndHours)
{
    for (const SplitCase c : {SplitCase{3599, 0, 59, 59}, SplitCase{3600, 1, 0, 0}, SplitCase{60, 0, 1, 0}, SplitCase{59, 0, 0, 59},
                              SplitCase{90000, 25, 0, 0}, SplitCase{-540, 0, 0, -540}}) {
        Figure hours = 0, minutes = 0, seconds = c.total;
        SplitSeconds(hours, minutes, seconds);
        EXPECT_EQ((std::array{hours, minutes, seconds}), (std::array{c.hours, c.minutes, c.seconds})) << c.total;
    }
}

TEST(SplitSecondsTest, DurationTextKeepsItsSign)
{
    EXPECT_EQ(FormatDuration(3725), "1:02:05");
    EXPECT_EQ(FormatDuration(-540), "-0:09:00");
    EXPECT_EQ(FormatDuration(std::numeric_limits<Figure>::min()), "-2562047788015215:30:08");
}
} // namespace
