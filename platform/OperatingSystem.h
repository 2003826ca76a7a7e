// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <thread>
#include <vector>

// What the command-line program does differently on POSIX systems and on
// Windows, behind one set of calls. The rest of the program knows neither.
namespace os {

// Whether the program's arguments arrive as Unicode text (Windows hands a
// program its command line in UTF-16) rather than as bytes in whatever encoding
// the sender used.
#ifdef _WIN32
inline constexpr bool ArgumentsAreUnicode = true;
#else
inline constexpr bool ArgumentsAreUnicode = false;
#endif

// The arguments, program name first: the bytes given on POSIX systems, the
// UTF-16 command line as UTF-8 on Windows (whose argv holds only what the ANSI
// code page can).
std::vector<QByteArray> commandLineArguments(int argc, char *argv[]);

// Readies the standard streams of a command-line program: the bytes written are
// the bytes that arrive (Windows would put CR before every line end), a console
// shows the UTF-8 written to it and hands typed text over as Windows-1251,
// which the input reader knows, and a reader that closes the pipe early makes a
// write fail with EPIPE rather than end the process by a signal.
void prepareStandardStreams();

// Whether standard error is a terminal (a console), as it was before
// prepareStandardStreams.
bool standardErrorIsTerminal();

// The C library's text for an errno value, in English whatever the locale.
QString errorText(int error);

// The errno value of the write that just failed, EIO if it set none. A pipe
// whose reader has gone is EPIPE everywhere; Windows' C runtime says EINVAL.
int writeError();

// Whether reading the descriptor now would wait: nothing has arrived yet and the
// writer has not closed its end.
bool readWouldWait(int fd);

// Calls request with the signal's number on every request to stop the program:
// Ctrl+C (SIGINT) and SIGTERM on POSIX systems; Ctrl+C (SIGINT), Ctrl+Break
// (SIGBREAK) and the console window closing (SIGTERM) on Windows. request runs
// in a signal handler or on a thread of the system's, so it may only touch
// lock-free atomics. The first request is request's alone; the next one ends the
// process at once, for a program that does not answer.
void onStopRequest(void (*request)(int signal));
// Takes the next request as a first one again (for tests).
void rearmStopRequest();

// Names a thread, so that a look at the process's threads (top -H, a debugger,
// a test) tells it from any other. Names longer than 15 bytes are cut on Linux.
void nameThread(std::thread &thread, const char *name);

} // namespace os
