// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainTables.h"

#include "engine/ChainReader.h"
#include "engine/Collapse.h"
#include "engine/Deck.h"
#include "hexagrams/HexagramAnalysis.h"
#include "hexagrams/SuitStatistics.h"

void MainTables::setTableTitles()
{
    for (int k = 1; k <= 36; ++k)
        StringGrid1.setCell(k, 0, QString::number(k));
    const QStringList rowTitles{QStringLiteral("Колода"),  QStringLiteral("Формула"),
                                QStringLiteral("Мобилы"),  QStringLiteral("Стац-ы"),
                                QStringLiteral("Транз-ы"), QStringLiteral("Глубина"),
                                QStringLiteral("Остаток")};
    for (int r = 1; r <= 7; ++r)
        StringGrid1.setCell(0, r, rowTitles[r - 1]);

    for (int c = 1; c <= 9; ++c)
        StringGrid2.setCell(c, 0, RankLetters[c]);
    for (TextGrid *grid : {&StringGrid2, &StringGrid3}) {
        for (int r = 1; r <= 4; ++r)
            grid->setCell(0, r, SuitLetters[r]);
        grid->setCell(0, 5, QStringLiteral("m"));
        grid->setCell(0, 6, QStringLiteral("hb"));
    }
    StringGrid2.setCell(10, 0, QStringLiteral("m"));
    const QStringList hexagramTitles{
        QStringLiteral("9|7"), QStringLiteral("6|8"), QStringLiteral("X"),
        QStringLiteral("Д|В"), QStringLiteral("К"),   QStringLiteral("Т"),
        QStringLiteral("m"),   QStringLiteral("#g"),  QStringLiteral("{R}")};
    for (int c = 1; c <= 9; ++c)
        StringGrid3.setCell(c, 0, hexagramTitles[c - 1]);
}

QStringList targetItems()
{
    QStringList items;
    for (int s = 1; s <= 4; ++s)
        for (int r = 1; r <= 9; ++r)
            items << RankLetters[r] + SuitLetters[s];
    for (int s = 1; s <= 4; ++s)
        items << u'?' + SuitLetters[s];
    for (int r = 1; r <= 9; ++r)
        items << RankLetters[r] + u'?';
    return items;
}

void readChainShowingShort(const QString &text, TTLKoloda &chain,
                           const platform::Services &services)
{
    if (ReadChain(text, chain).isShort)
        services.showMessage(ShortChainMessage);
}

void ClearResultTables(MainTables &tables)
{
    tables.StringGrid1.clearRange(1, 1, 37, 7);
    tables.StringGrid2.clearRange(1, 1, 10, 7);
    tables.StringGrid3.clearRange(1, 1, 10, 7);
}

void FillAnalysisTable(MainTables &tables, ChainState &state, TTLKoloda Chain)
{
    TextGrid &grid = tables.StringGrid1;
    int depthSum = 0;
    for (int k = 1; k <= 36; ++k) {
        const TKarta &card = Chain.Cards[k];
        const QString name = card.name();
        grid.setCell(k, 1, name);
        if (card.MobileCount == 0) {
            grid.setCell(k, 3, QStringLiteral(" "));
            grid.setCell(k, 2, u'[' + name + u']');
            grid.setCell(k, 4, QStringLiteral("X"));
        } else {
            grid.setCell(k, 3, QString::number(card.MobileCount));
            grid.setCell(k, 2, name);
            grid.setCell(k, 4, QString());
        }
        if (card.Transit != 0) {
            grid.setCell(k, 5, QStringLiteral("X"));
            grid.setCell(k, 6, QString::number(card.Depth));
            grid.setCell(k, 7, QString::number(card.Remainder));
        }
        depthSum += card.Depth;
    }
    grid.setCell(37, 5, QString::number(Chain.TransitTotal));
    grid.setCell(37, 6, QString::number(depthSum));

    QString name, value;
    std::uint8_t index = 0;
    FindMostMobileCard(Chain, name, index, value);
    state.MaxMobileCount = value.toInt();
    grid.setCell(37, 3, QString::number(state.MaxMobileCount));
}

void RunHexagramAnalyses(MainTables &tables, TTLKoloda &Chain)
{
    AnalyseRankSuitTable(Chain, tables.StringGrid2, tables.RichEdit1);
    BuildHexagramTable(tables.StringGrid2, tables.StringGrid3);
    FindChainHexagrams(Chain, tables.StringGrid3);
    ComputeSuitStatistics(Chain, tables.StringGrid3, tables.RichEdit1);
}

TTLKoloda RunAnalysis(MainTables &tables, ChainState &state, const platform::Services &services,
                      const QString &text)
{
    TTLKoloda chain;
    ClearChain(chain);
    ClearChain(state.CurrentChain);
    ClearResultTables(tables);
    tables.RichEdit1.clear();
    readChainShowingShort(text, chain, services);
    tables.RichEdit1.append(QStringLiteral("Свёртка до %1 карт").arg(CountCollapse(chain)));
    AnalyseChain(chain);
    state.CurrentChain = chain;
    FillAnalysisTable(tables, state, chain);
    RunHexagramAnalyses(tables, chain);
    return chain;
}
