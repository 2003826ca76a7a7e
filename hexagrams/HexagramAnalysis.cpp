// SPDX-License-Identifier: GPL-3.0-or-later
#include "HexagramAnalysis.h"
#include "HexagramPatterns.h"

#include <QString>

#include <array>

namespace {

const QString Marked = QStringLiteral("X");

// The rank-by-suit column each hexagram line is taken from, bottom line first:
// 9, 6, X, Д, К, Т. The ranks 7, 8 and В have no line.
constexpr std::array<int, 6> LineRankColumns = {4, 1, 5, 7, 8, 9};

int markedInColumn(const TextGrid &grid, int column)
{
    int k = 0;
    for (int row = 1; row <= 4; ++row)
        if (grid.cell(column, row) == Marked)
            ++k;
    return k;
}

void writeColumnBalance(TextGrid &grid, int column)
{
    const int k = markedInColumn(grid, column);
    grid.setCell(column, 5, QString::number(k));
    grid.setCell(column, 6, BalanceMark(k));
}

} // namespace

QString BalanceMark(int k)
{
    switch (k) {
    case 0:
        return QStringLiteral("--");
    case 1:
        return QStringLiteral("-");
    case 2:
        return QStringLiteral("=");
    case 3:
        return QStringLiteral("+");
    case 4:
        return QStringLiteral("++");
    default:
        return QString();
    }
}

void AnalyseRankSuitTable(TTLKoloda Chain, TextGrid &StringGrid2, ReportLog &report)
{
    for (int r = 1; r <= 4; ++r) {
        int suitCount = 0;
        for (int c = 1; c <= 9; ++c)
            for (int n = 1; n <= 36; ++n) {
                const TKarta &card = Chain.Cards[n];
                if (card.MobileCount > 0 && card.Suit == SuitLetters[r] &&
                    card.Rank == RankLetters[c]) {
                    // Only ever sets a mark: the caller has emptied the table.
                    StringGrid2.setCell(c, r, Marked);
                    ++suitCount;
                }
            }
        StringGrid2.setCell(10, r, QString::number(suitCount));
    }

    for (int c = 1; c <= 9; ++c)
        writeColumnBalance(StringGrid2, c);

    const QString balanced = BalanceMark(2);
    int n = 0;
    for (int c = 1; c <= 9; ++c)
        if (StringGrid2.cell(c, 6) == balanced)
            ++n;

    report.append(QStringLiteral(" Сбалансированных участков  = ") + QString::number(n) +
                  QStringLiteral(" шт."));
    report.append(n >= 6 ? QStringLiteral(" Полная балансировка возможна.")
                         : QStringLiteral(" Полная балансировка невозможна."));
}

void BuildHexagramTable(const TextGrid &StringGrid2, TextGrid &StringGrid3)
{
    for (int r = 1; r <= 4; ++r)
        for (int line = 1; line <= 6; ++line)
            StringGrid3.setCell(line, r, StringGrid2.cell(LineRankColumns[line - 1], r));

    for (int r = 1; r <= 4; ++r) {
        int count = 0;
        for (int line = 1; line <= 6; ++line)
            if (StringGrid3.cell(line, r) == Marked)
                ++count;
        StringGrid3.setCell(7, r, QString::number(count));
    }

    for (int line = 1; line <= 6; ++line)
        writeColumnBalance(StringGrid3, line);
}

void FindChainHexagrams(TTLKoloda &Chain, TextGrid &StringGrid3)
{
    for (int r = 1; r <= 4; ++r) {
        QString pattern;
        for (int line = 1; line <= 6; ++line)
            pattern += StringGrid3.cell(line, r) == Marked ? u'1' : u'0';
        // The 64 patterns cover every string of six lines, so a number is always found.
        const int number = HexagramPatterns.find(pattern);
        Chain.HexagramNumbers[r] = std::uint8_t(number);
        StringGrid3.setCell(8, r, QString::number(number));
    }
}
