#include "platform/core/EndSignals.h"

#include "platform/core/EndRequest.h"

#include <QSocketNotifier>

#ifndef _WIN32
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_pipe[2] = {-1, -1};
// An interrupt, a kill, and the hang-up a terminal or session sends as it ends.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

void OnSignal(int)
{
    RequestEnd();
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_pipe[1], &byte, 1);
}
} // namespace

CEndSignals::CEndSignals(QObject* parent) : QObject(parent)
{
    if (g_pipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int ending : kEndingSignals) {
        if (::sigaction(ending, &action, nullptr) != 0)
            return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(g_pipe[0], &byte, 1);
        emit ended();
    });
}

CEndSignals::~CEndSignals()
{
    if (!m_notifier)
        return;
    for (const int ending : kEndingSignals)
        std::signal(ending, SIG_DFL);
}
#else
CEndSignals::CEndSignals(QObject* parent) : QObject(parent) {}
CEndSignals::~CEndSignals() = default;
#endif
