#include "platform/core/ThreadBeside.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <sched.h>

namespace {
cpu_set_t CoresOfThisThread()
{
    cpu_set_t cores;
    CPU_ZERO(&cores);
    sched_getaffinity(0, sizeof cores, &cores);
    return cores;
}

// Whatever core it starts on, the work runs, and runs free to move to any core its starter may
// use: a thread left on the cores it started on would crowd them for the rest of its work.
TEST(ThreadBeside, WorkMayRunWhereverItsStarterMay)
{
    const cpu_set_t all = CoresOfThisThread();
    cpu_set_t firstOnly;
    CPU_ZERO(&firstOnly);
    for (int core = 0; core < CPU_SETSIZE; ++core) {
        if (CPU_ISSET(core, &all)) {
            CPU_SET(core, &firstOnly);
            break;
        }
    }
    const struct {
        const char* name;
        bool confined; // the starter to one core, where no other is left to start on
    } cases[] = {{"every core", false}, {"one core", true}};
    for (const auto& c : cases) {
        std::thread starter([&] {
            if (c.confined) {
                ASSERT_EQ(pthread_setaffinity_np(pthread_self(), sizeof firstOnly, &firstOnly), 0);
            }
            const cpu_set_t starterCores = CoresOfThisThread();
            cpu_set_t workCores;
            CPU_ZERO(&workCores);
            bool ran = false;
            StartThreadBeside([&] {
                workCores = CoresOfThisThread();
                ran = true;
            }).join();
            EXPECT_TRUE(ran) << c.name;
            EXPECT_TRUE(CPU_EQUAL(&workCores, &starterCores)) << c.name;
        });
        starter.join();
    }
}
} // namespace
