// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ReportLog.h"
#include "platform/TextGrid.h"

// Selecting a cell of the hexagram table: a hexagram number (column 8, rows 1
// to 4) writes the cell, then the hexagram's number and title, then its
// judgement. Any other cell writes nothing. An empty number cell (before the
// first analysis) writes the first line only.
void AppendHexagramSelection(const TextGrid &StringGrid3, int column, int row, ReportLog &report);
