#pragma once
// The one source of "now": every reader of the current time asks a clock, so tests can set any date.

#include <ctime>

class IClock {
public:
    virtual ~IClock() = default;
    virtual std::time_t Now() const = 0;
};

class CSystemClock : public IClock {
public:
    std::time_t Now() const override;
};

// A clock that stands still until it is set; tests and the report command use it.
class CFixedClock : public IClock {
public:
    explicit CFixedClock(std::time_t now = 0) : m_now(now) {}
    std::time_t Now() const override { return m_now; }
    void Set(std::time_t now) { m_now = now; }

private:
    std::time_t m_now;
};
