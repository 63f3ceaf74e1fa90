#pragma once
// A named single-instance lock. Testing and claiming it is one atomic step, and the system drops
// it when the process ends, so a crashed instance never blocks the next start.

#include <QString>

class CInstanceLock {
public:
    CInstanceLock() = default;
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    // False when another process holds the lock of that name. folder: where the lock lives
    // (default: the user's runtime folder).
    bool Acquire(const QString& name, const QString& folder = QString());
    void Release();

private:
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};
