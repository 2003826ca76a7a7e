// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Cards.h"
#include "platform/ReportLog.h"
#include "platform/TextGrid.h"

// The balance mark of a rank column with k marked suits (0..4): "--", "-", "=",
// "+", "++".
QString BalanceMark(int k);

// Marks the mobile cards in the rank-by-suit table, counts them per suit and
// per rank, gives every rank its balance mark and appends the two verdict lines.
void AnalyseRankSuitTable(TTLKoloda Chain, TextGrid &StringGrid2, ReportLog &report);

// Carries the six hexagram ranks over into the hexagram table and counts and
// marks them.
void BuildHexagramTable(const TextGrid &StringGrid2, TextGrid &StringGrid3);

// Looks up the four suit hexagrams: HexagramNumbers of Chain and column 8.
void FindChainHexagrams(TTLKoloda &Chain, TextGrid &StringGrid3);
