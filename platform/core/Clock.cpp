#include "platform/core/Clock.h"

std::time_t CSystemClock::Now() const
{
    return std::time(nullptr);
}
