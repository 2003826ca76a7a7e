// SPDX-License-Identifier: GPL-3.0-or-later
#include "Interrupt.h"
#include "platform/OperatingSystem.h"

#include <atomic>
#include <csignal>

namespace {

// Written by the handler, read by the command's loop: a lock-free atomic is safe
// to touch from a signal handler.
std::atomic<int> caughtSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

void onInterrupt(int signal)
{
    int none = 0;
    caughtSignal.compare_exchange_strong(none, signal);
}

} // namespace

void InterruptWatch::install()
{
    os::onStopRequest(onInterrupt);
}

int InterruptWatch::caught()
{
    return caughtSignal.load(std::memory_order_relaxed);
}

void InterruptWatch::reset()
{
    caughtSignal.store(0);
    os::rearmStopRequest();
}

QString signalName(int signal)
{
    switch (signal) {
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGTERM:
        return QStringLiteral("SIGTERM");
#ifdef SIGBREAK
    case SIGBREAK:
        return QStringLiteral("SIGBREAK");
#endif
    default:
        return QStringLiteral("signal %1").arg(signal);
    }
}
