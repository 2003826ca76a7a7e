// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Cards.h"
#include "engine/ChainState.h"
#include "platform/ReportLog.h"
#include "platform/Services.h"
#include "platform/TextGrid.h"

// The main window's three tables and its report, as text. The analyses hand
// their results on through these cells; the window only shows them.
struct MainTables
{
    TextGrid StringGrid1{38, 8}; // the analysis table
    TextGrid StringGrid2{11, 8}; // rank-by-suit table
    TextGrid StringGrid3{11, 8}; // hexagram table ("Таблица №3")
    ReportLog RichEdit1;         // the report

    MainTables() { setTableTitles(); }

    // The title cells of row 0 and column 0 of the three tables.
    void setTableTitles();
};

// The targets a condition or replacement list offers after its "Выбери": the 36
// cards in deck order, the suit patterns "?п" … "?ч", the rank patterns "6?" … "Т?".
QStringList targetItems();

// What the analysis run tells the user of a text shorter than a deck.
inline const QString ShortChainMessage = QStringLiteral("Цепочка маловата");

// ReadChain as the window's runs read a chain text: a short text is shown as
// ShortChainMessage through the services, and read all the same.
void readChainShowingShort(const QString &text, TTLKoloda &chain,
                           const platform::Services &services);

// Empties every cell outside the title row and column of the three tables.
void ClearResultTables(MainTables &tables);

// Rows 1 to 7 of columns 1 to 37 of the analysis table from an analysed chain;
// sets the state's MaxMobileCount. Works on a copy: the caller's record is
// unchanged.
void FillAnalysisTable(MainTables &tables, ChainState &state, TTLKoloda Chain);

// The analyses that follow the analysis table, in their fixed order, each on the
// analysed chain: marks and balance, hexagram table, suit hexagrams, statistics.
void RunHexagramAnalyses(MainTables &tables, TTLKoloda &Chain);

// The analysis run of the check button without its window: empties the chain
// records, tables and report, reads the text, writes the collapse line, analyses,
// sets the state's CurrentChain and fills the tables. Returns the analysed chain
// (which, unlike CurrentChain, holds the hexagram numbers and statistics).
TTLKoloda RunAnalysis(MainTables &tables, ChainState &state, const platform::Services &services,
                      const QString &text);
