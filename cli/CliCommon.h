#pragma once

#include "mainwindow/ProgramState.h"
#include "platform/Services.h"

#include <QCommandLineParser>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// Exit status for a command line that was not understood.
constexpr int BadUsage = 2;

// Every command is handed the program's state and services by main; tests hand
// fresh ones.
using CommandFunction = int (*)(const QStringList &arguments, ProgramState &state,
                                platform::Services &services);

// Parses the command's own arguments (the program name first, the command name
// left out). On failure writes the parser's error and the command's help to
// standard error and returns false.
bool parseCommandLine(QCommandLineParser &parser, const QStringList &arguments);

// Writes a line of text and a line end to standard output (UTF-8).
void writeLine(const QString &line);

// Writes text and a line end to standard error (UTF-8).
void writeError(const QString &line);

// One JSON object as one line of standard output.
void writeJsonLine(const QJsonObject &object);
