#pragma once

#include <functional>

// Processing the application's pending events, behind one hook so that headless
// routines (the generator above all) can offer the points where a window would
// stay responsive, and tests can count or script those points.
namespace platform {

using PendingEventsHook = std::function<void()>;

// Runs the installed hook; by default QCoreApplication::processEvents when an
// application object exists, else nothing.
void processPendingEvents();

PendingEventsHook setPendingEventsHook(PendingEventsHook hook);

} // namespace platform
