// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Cards.h"
#include "platform/ReportLog.h"
#include "platform/TextGrid.h"

// A suit statistic as shown: two decimals with the locale's decimal separator,
// the value first reduced to at most three significant digits, halves going up.
QString formatSuitStatistic(long double value);

// The same with a separator the caller has read once, for a batch of chains.
QString formatSuitStatistic(long double value, QChar decimalSeparator);

// The factor a hexagram column with this balance mark gives a suit whose cell in
// it is marked or not: 0.5 for a column all four suits share, 0.66 for a suit on
// the side of a three-to-one majority, 1.0 otherwise.
long double BalanceFactor(const QString &mark, bool marked);

// The four suit statistics from the hexagram table: SuitStatistics of Chain,
// column 9 of the table and the report line "P(п,б,к,ч) = {…}".
void ComputeSuitStatistics(TTLKoloda &Chain, TextGrid &StringGrid3, ReportLog &report);
