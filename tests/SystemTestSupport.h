// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>

// What the tests do with threads, pipes and other processes, on POSIX systems
// and on Windows alike.

// Whether the test runs as a Windows program under Wine, whose stand-ins for
// the Windows fonts measure otherwise than the fonts themselves.
bool runsUnderWine();

// The threads of this process that carry the given name.
int threadsNamed(const char *name);

// A pipe as two descriptors, read end first, that carries bytes unchanged; 0 on
// success, as pipe() returns.
int openPipe(int fds[2]);

// Readies a process, before it starts, to be asked to stop by requestStop.
void allowStopRequests(QProcess &process);
// Asks a running process to stop as a user would: the signal on POSIX systems;
// on Windows Ctrl+Break, whichever signal is given. False if it could not be sent.
bool requestStop(QProcess &process, int signal);
// The signal number a stop request of requestStop(…, signal) arrives as.
int signalReceived(int signal);
