#include "PendingEvents.h"

#include <QCoreApplication>

namespace platform {
namespace {

void processApplicationEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

PendingEventsHook &currentHook()
{
    static PendingEventsHook hook = processApplicationEvents;
    return hook;
}

} // namespace

void processPendingEvents()
{
    const PendingEventsHook hook = currentHook();
    hook();
}

PendingEventsHook setPendingEventsHook(PendingEventsHook hook)
{
    PendingEventsHook previous = currentHook();
    currentHook() = hook ? std::move(hook) : PendingEventsHook(processApplicationEvents);
    return previous;
}

} // namespace platform
