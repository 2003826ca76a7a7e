// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>
#include <QString>

#include <cstdint>

class CommandLine;

// Exit statuses of every command.
constexpr int IoFailure = 1;    // reading the input or writing the output failed
constexpr int BadUsage = 2;     // a command line that was not understood, or a value out of range
constexpr int LimitReached = 3; // a search ended by its own bound before it found everything

// "tlcalc-cli COMMAND: message" on standard error ("tlcalc-cli: message" for no
// command); returns status, so that a command can end with `return failWith(…)`.
int failWith(const QString &command, const QString &message, int status);

// Ends a command's output: flushes standard output and, when any write failed,
// writes "tlcalc-cli COMMAND: write error: <reason>" to standard error and
// returns IoFailure; else returns status.
int finishOutput(const QString &command, int status = 0);

// How a note on standard error names input line number (from 1): "строка 17".
QString lineLabel(qint64 number);

// Says on standard error, once for the whole run, that what ("строка 3",
// "argument 2") was not valid UTF-8 and is read as Windows-1251.
void noteCp1251(const QString &command, const QString &what);

// How a search that its own bound ended finishes: standard output is flushed (a
// failed write ends as finishOutput ends it), then the bound is named, "--max-tries
// reached after N WHAT" when the tries were spent, else "--time-limit of S s
// reached", followed by ": " and what was done; returns LimitReached.
int finishAtLimit(const CommandLine &line, const QCommandLineOption &timeLimit, bool triesSpent,
                  std::uint64_t tries, const QString &what, const QString &done);

// How a search that SIGINT or SIGTERM ended finishes: standard output is flushed (a
// failed write ends as finishOutput ends it), then "interrupted by SIGINT: " and
// what was done; returns 128 + the signal's number, the status a shell gives a
// process that the signal ended.
int finishInterrupted(const CommandLine &line, int signal, const QString &done);
