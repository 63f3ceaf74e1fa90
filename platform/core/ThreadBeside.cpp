#include "platform/core/ThreadBeside.h"

#ifdef __linux__
#include <latch>
#include <memory>
#include <pthread.h>
#include <sched.h>

std::thread StartThreadBeside(std::function<void()> work)
{
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    const int here = sched_getcpu();
    if (here < 0 || sched_getaffinity(0, sizeof allowed, &allowed) != 0 || !CPU_ISSET(here, &allowed)
        || CPU_COUNT(&allowed) < 2)
        return std::thread(std::move(work));
    // The thread waits until it is placed elsewhere, so that the cores it may run on once running
    // are set after, and not before, those it starts on.
    auto placed = std::make_shared<std::latch>(1);
    std::thread thread([work = std::move(work), placed, allowed] {
        placed->wait();
        pthread_setaffinity_np(pthread_self(), sizeof allowed, &allowed);
        work();
    });
    cpu_set_t others = allowed;
    CPU_CLR(here, &others);
    pthread_setaffinity_np(thread.native_handle(), sizeof others, &others);
    placed->count_down();
    return thread;
}
#else
std::thread StartThreadBeside(std::function<void()> work)
{
    return std::thread(std::move(work));
}
#endif
