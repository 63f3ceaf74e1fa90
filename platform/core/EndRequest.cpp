#include "platform/core/EndRequest.h"

#include <atomic>

namespace {
std::atomic<bool> g_endRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");
} // namespace

bool EndRequested()
{
    return g_endRequested.load(std::memory_order_relaxed);
}

void RequestEnd()
{
    g_endRequested.store(true, std::memory_order_relaxed);
}
