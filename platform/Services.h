// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RandomSource.h"

#include <QDateTime>
#include <QString>

#include <functional>

// What the routines expect from their platform beyond Qt itself: a place to
// show a modal message, a way to let pending events run, the local clock and
// the random source. The running program hands one object to its windows and
// commands; a test makes its own, with a recorder, a scripted clock or a seed.
namespace platform {

using MessageHandler = std::function<void(const QString &text)>;
using PendingEventsHook = std::function<void()>;
using Clock = std::function<QDateTime()>;

class Services
{
public:
    // Messages go to standard error, pending events to the application object
    // when there is one, the clock is the system's, and the random source is
    // seeded once from the random device and a high-resolution clock.
    Services();
    explicit Services(std::uint64_t seed);

    // Shows text through the installed handler and returns when it returns, as a
    // modal box returns when the user closes it.
    void showMessage(const QString &text) const;
    void processPendingEvents() const;
    QDateTime now() const;
    RandomSource &random() { return random_; }

    // Each setter returns the previous handler; an empty one restores the default.
    MessageHandler setMessageHandler(MessageHandler handler);
    PendingEventsHook setPendingEventsHook(PendingEventsHook hook);
    Clock setClock(Clock clock);

private:
    MessageHandler messages_;
    PendingEventsHook pendingEvents_;
    Clock clock_;
    RandomSource random_;
};

// Installs a message handler on a services object for the guard's lifetime.
class ScopedMessageHandler
{
public:
    ScopedMessageHandler(Services &services, MessageHandler handler);
    ~ScopedMessageHandler();
    ScopedMessageHandler(const ScopedMessageHandler &) = delete;
    ScopedMessageHandler &operator=(const ScopedMessageHandler &) = delete;

private:
    Services &services_;
    MessageHandler previous_;
};

} // namespace platform
