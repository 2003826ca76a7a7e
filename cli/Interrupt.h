// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Ctrl+C (SIGINT) and a polite kill (SIGTERM) during a long command. The first
// one only asks: the command notices it at its next check, writes what it has
// done and ends with 128 + the signal's number, as shells report a death by
// that signal. A second one ends the process at once, for a command that does
// not answer.
class InterruptWatch
{
public:
    // Catches the two signals from now on; the first one caught is kept.
    static void install();
    // The signal caught so far, 0 for none.
    static int caught();
    // For tests: forget the signal caught and catch again.
    static void reset();
};

// "SIGINT", "SIGTERM", or "signal N".
QString signalName(int signal);
