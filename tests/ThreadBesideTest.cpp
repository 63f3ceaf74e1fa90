#include "platform/core/ThreadBeside.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <sched.h>

namespace {
// Whatever core it starts on, the work runs free to move to any core its starter may use (a thread
// left where it started would crowd those cores for the rest of its work); so too from a starter
// held to one core, where there is no other to start on.
TEST(ThreadBeside, WorkMayRunWhereverItsStarterMay)
{
    for (const bool confined : {false, true}) {
        std::thread([confined] {
            cpu_set_t cores;
            sched_getaffinity(0, sizeof cores, &cores);
            if (confined) {
                CPU_ZERO(&cores);
                CPU_SET(sched_getcpu(), &cores);
                ASSERT_EQ(sched_setaffinity(0, sizeof cores, &cores), 0);
            }
            cpu_set_t workCores;
            CPU_ZERO(&workCores);
            StartThreadBeside([&] { sched_getaffinity(0, sizeof workCores, &workCores); }).join();
            EXPECT_TRUE(CPU_EQUAL(&workCores, &cores)) << (confined ? "one core" : "every core");
        }).join();
    }
}
} // namespace
#endif
