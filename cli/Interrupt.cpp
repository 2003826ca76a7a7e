// SPDX-License-Identifier: GPL-3.0-or-later
#include "Interrupt.h"

#include <atomic>
#include <csignal>

namespace {

// Written by the handler, read by the command's loop: a lock-free atomic is safe
// to touch from a signal handler.
std::atomic<int> caughtSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void onInterrupt(int signal)
{
    int none = 0;
    caughtSignal.compare_exchange_strong(none, signal);
    // The next one takes the default action and ends the process.
    std::signal(signal, SIG_DFL);
}

} // namespace

void InterruptWatch::install()
{
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
}

int InterruptWatch::caught()
{
    return caughtSignal.load(std::memory_order_relaxed);
}

void InterruptWatch::reset()
{
    caughtSignal.store(0);
    install();
}

QString signalName(int signal)
{
    switch (signal) {
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    default:
        return QStringLiteral("signal %1").arg(signal);
    }
}
