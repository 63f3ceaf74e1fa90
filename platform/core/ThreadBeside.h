#pragma once
// A thread for work beside the calling one. Where the system runs on virtual processors, it often
// queues a new thread behind its creator, on the creator's core, for a tick of its scheduler or
// more, while the other cores idle (it may count a halted virtual processor as taken): work split
// in two then runs one half after the other for that long. A thread started here begins on
// another core the caller may use, where there is one, and may run on any of them once it runs.

#include <functional>
#include <thread>

std::thread StartThreadBeside(std::function<void()> work);
