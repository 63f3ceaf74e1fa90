#include "TestSupport.h"
#include "document/SlotClassifier.h"

#include <gtest/gtest.h>
#include <random>

namespace {
TEST(SlotClassifier, ClosingDaySplitsTheCalendarMonth)
{
    const CBillingCalendar w({1996, 12, 20}, 20);
    CSlotClassifier classifier(w);
    EXPECT_EQ(classifier.Classify("96/12/15 line").day, 24);
    EXPECT_EQ(classifier.Classify("96/12/15 line").month, 11);
    EXPECT_EQ(classifier.Classify("96/11/25 line").month, 11);
    EXPECT_EQ(classifier.Classify("96/11/20 line").month, 10);
    EXPECT_EQ(classifier.Classify("95/12/21 line").month, 0); // from the month before slot 0
    EXPECT_EQ(classifier.Classify("95/12/20 line").month, -1);
    EXPECT_EQ(classifier.Classify("96/12/21 line").month, -1);
    EXPECT_EQ(classifier.Classify("96/12/2").month, 11);     // short line: day 2
}

TEST(SlotClassifier, EndOfMonthClosingNeverUsesThePredecessor)
{
    const CBillingCalendar w({1997, 2, 10}, 31);
    CSlotClassifier classifier(w);
    EXPECT_EQ(classifier.Classify("97/01/31 x").month, 10);
    EXPECT_EQ(classifier.Classify("97/02/01 x").month, 11);
    EXPECT_EQ(classifier.Classify("96/02/29 x").month, -1);
}

// The remembered answers must equal the rule for every date, whatever order lines come in.
TEST(SlotClassifier, RememberedAnswersEqualTheRule)
{
    std::mt19937 random(3);
    for (const int closingDay : {1, 15, 20, 28, 31, 0, 45}) {
        const CBillingCalendar w({1997, 3, 10}, closingDay);
        CSlotClassifier classifier(w);
        for (int n = 0; n < 20000; ++n) {
            char line[16];
            std::snprintf(line, sizeof line, "%02u/%02u/%02u", unsigned(95 + random() % 4),
                          unsigned(random() % 14), unsigned(random() % 34));
            if (random() % 50 == 0)
                line[6] = ' ';
            const SlotPair fast = classifier.Classify(line);
            const SlotPair rule = classifier.ClassifyByLabels(line);
            ASSERT_EQ(fast.day, rule.day) << line;
            ASSERT_EQ(fast.month, rule.month) << line;
        }
    }
}
} // namespace
