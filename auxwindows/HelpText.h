// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The text of the help window's "Гексограммы" page: 19 lines on the six lines of
// a hexagram, from the first (bottom) line to the sixth.
QStringList hexagramHelpLines();
