// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandOptions.h"
#include "platform/Services.h"

#include <QStringList>

// tlcalc-cli stats --deals N [--seed S] [--threads T] [--progress] [--json]:
// deals N random chains on the fast path and tells how far they collapse and,
// over those that collapse to two cards, their EFL, transits, full balance and
// suit hexagrams; as a table with shares in per cent, or with --json as one
// object. With a seed the numbers are the same on any number of threads. A
// command line that is not understood ends with status 2, a failed write with 1.
// The declaration of stats's command line.
CommandDeclaration statsDeclaration();

int runStats(const QStringList &arguments, platform::Services &services);
