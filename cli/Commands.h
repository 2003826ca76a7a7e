// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandOptions.h"

#include <QString>

#include <vector>

// One command of tlcalc-cli: how its command line is declared and what runs it.
struct Command
{
    CommandDeclaration (*declaration)();
    CommandFunction run;
};

// Every command, in the order the program's help lists them.
const std::vector<Command> &commands();

// The program's own --help: its usage, each command's synopsis (every option of
// every command) with what the command does, and the exit statuses.
QString programHelp();
