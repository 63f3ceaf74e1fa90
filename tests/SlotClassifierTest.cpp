#include "TestSupport.h"
#include "document/SlotClassifier.h"

#include <gtest/gtest.h>
#include <random>

namespace {
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
