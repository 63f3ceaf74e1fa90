#include "platform/core/MappedRange.h"

#ifdef _WIN32

bool CMappedRange::Map(int, std::int64_t, std::size_t)
{
    return false;
}

void CMappedRange::Unmap() {}

void CMappedRange::Release(std::size_t) {}

void CMappedRange::FaultIn(std::size_t, std::size_t) const {}

bool mapped_range_detail::RunGuarded(const CMappedRange&, void (*read)(void*), void* context)
{
    read(context);
    return true;
}

#else

#include <algorithm>
#include <csetjmp>
#include <csignal>
#include <mutex>
#include <sys/mman.h>

namespace {
// Where the system keeps a file in pages this large, it maps each with one entry (and one fault)
// rather than 512, as long as the mapping neither starts nor is given back inside one.
constexpr std::int64_t kLargePage = 2 << 20;
// The system maps the file's pages around a fault, this much at a time, where it holds them.
constexpr std::size_t kFaultAround = 64 << 10;
} // namespace

bool CMappedRange::Map(int descriptor, std::int64_t offset, std::size_t size)
{
    Unmap();
    if (size == 0 || offset < 0)
        return false;
    // From and to large-page boundaries of the file. Only [offset, offset + size) is read.
    const std::int64_t start = offset / kLargePage * kLargePage;
    const auto lead = static_cast<std::size_t>(offset - start);
    const std::size_t length = (lead + size + kLargePage - 1) / kLargePage * kLargePage;
    void* mapping = ::mmap(nullptr, length, PROT_READ, MAP_SHARED, descriptor, static_cast<off_t>(start));
    if (mapping == MAP_FAILED)
        return false;
    // Read once from start to end.
    ::madvise(mapping, length, MADV_SEQUENTIAL);
    m_mapping = mapping;
    m_mappingSize = length;
    m_data = static_cast<const char*>(mapping) + lead;
    m_size = size;
    return true;
}

void CMappedRange::Release(std::size_t end)
{
    if (!m_mapping)
        return;
    const auto lead = static_cast<std::size_t>(m_data - static_cast<const char*>(m_mapping));
    const std::size_t upTo = (lead + std::min(end, m_size)) / kLargePage * kLargePage;
    if (upTo > m_released) {
        // The file's pages stay where the system keeps them; only this mapping of them goes.
        ::madvise(static_cast<char*>(m_mapping) + m_released, upTo - m_released, MADV_DONTNEED);
        m_released = upTo;
    }
}

void CMappedRange::FaultIn(std::size_t from, std::size_t size) const
{
    const std::size_t end = std::min(m_size, from + size);
    // A read in each stretch the system maps at once, which lie between multiples of its size in
    // memory: the first from where the range begins, the rest from their starts.
    const auto base = reinterpret_cast<std::uintptr_t>(m_data);
    for (std::size_t at = from; at < end; at = (base + at) / kFaultAround * kFaultAround + kFaultAround - base)
        static_cast<void>(*static_cast<const volatile char*>(m_data + at));
}

void CMappedRange::Unmap()
{
    if (m_mapping)
        ::munmap(m_mapping, m_mappingSize);
    m_mapping = nullptr;
    m_mappingSize = 0;
    m_data = nullptr;
    m_size = 0;
    m_released = 0;
}

namespace {
// The guarded read under way on this thread, if any.
struct Guard {
    const char* begin;
    const char* end;
    sigjmp_buf resume;
};
thread_local Guard* t_guard = nullptr;
struct sigaction g_before {};

void OnBusError(int signal, siginfo_t* info, void* context)
{
    Guard* guard = t_guard;
    const auto* at = static_cast<const char*>(info->si_addr);
    if (guard && at >= guard->begin && at < guard->end)
        siglongjmp(guard->resume, 1);
    // Not ours: as the process would have had it without us.
    if (g_before.sa_flags & SA_SIGINFO) {
        g_before.sa_sigaction(signal, info, context);
    } else if (g_before.sa_handler != SIG_IGN && g_before.sa_handler != SIG_DFL) {
        g_before.sa_handler(signal);
    } else {
        ::sigaction(SIGBUS, &g_before, nullptr); // the fault comes again on return, and is handled so
    }
}
} // namespace

bool mapped_range_detail::RunGuarded(const CMappedRange& range, void (*read)(void*), void* context)
{
    static std::once_flag installed;
    std::call_once(installed, [] {
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &g_before);
    });
    Guard guard{range.Data(), range.Data() + range.Size(), {}};
    // The signal mask is saved: the jump back leaves the handler's blocking of SIGBUS behind.
    if (sigsetjmp(guard.resume, 1) != 0) {
        t_guard = nullptr;
        return false;
    }
    t_guard = &guard;
    read(context);
    t_guard = nullptr;
    return true;
}

#endif
