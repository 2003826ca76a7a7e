// SPDX-License-Identifier: GPL-3.0-or-later
#include "Services.h"

#include <QCoreApplication>

#include <cstdio>

namespace platform {
namespace {

void writeToStandardError(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fprintf(stderr, "%s\n", bytes.constData());
    std::fflush(stderr);
}

void processApplicationEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

QDateTime systemClock()
{
    return QDateTime::currentDateTime();
}

} // namespace

Services::Services() : Services(entropySeed()) {}

Services::Services(std::uint64_t seed)
    : messages_(writeToStandardError), pendingEvents_(processApplicationEvents),
      clock_(systemClock), random_(seed)
{
}

void Services::showMessage(const QString &text) const
{
    // Copy first: a handler may install another while it runs.
    const MessageHandler handler = messages_;
    handler(text);
}

void Services::processPendingEvents() const
{
    const PendingEventsHook hook = pendingEvents_;
    hook();
}

QDateTime Services::now() const
{
    return clock_();
}

MessageHandler Services::setMessageHandler(MessageHandler handler)
{
    MessageHandler previous = std::move(messages_);
    messages_ = handler ? std::move(handler) : MessageHandler(writeToStandardError);
    return previous;
}

PendingEventsHook Services::setPendingEventsHook(PendingEventsHook hook)
{
    PendingEventsHook previous = std::move(pendingEvents_);
    pendingEvents_ = hook ? std::move(hook) : PendingEventsHook(processApplicationEvents);
    return previous;
}

Clock Services::setClock(Clock clock)
{
    Clock previous = std::move(clock_);
    clock_ = clock ? std::move(clock) : Clock(systemClock);
    return previous;
}

ScopedMessageHandler::ScopedMessageHandler(Services &services, MessageHandler handler)
    : services_(services), previous_(services.setMessageHandler(std::move(handler)))
{
}

ScopedMessageHandler::~ScopedMessageHandler()
{
    services_.setMessageHandler(std::move(previous_));
}

} // namespace platform
