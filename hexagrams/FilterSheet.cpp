// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilterSheet.h"
#include "HexagramAnalysis.h"
#include "HexagramPatterns.h"
#include "engine/Cards.h"

#include <array>

namespace {

const QString Undecided = QStringLiteral("?");
const QString Marked = QStringLiteral("X");

// The pattern's lines from the bottom up: ranks 6, 9, X, Д, К, Т. Unlike the
// main window's hexagram table, the six is the bottom line here and the nine
// the second; the sheet has always read patterns this way.
constexpr std::array<int, 6> LineColumns = {1, 4, 5, 7, 8, 9};

} // namespace

FilterSheet::FilterSheet() = default;

bool FilterSheet::isUserCell(int column, int row)
{
    return column >= 1 && column <= 9 && row >= 1 && row <= 4;
}

bool FilterSheet::hasNoLine(int column)
{
    return column == 2 || column == 3 || column == 6;
}

void FilterSheet::activate()
{
    for (int c = 1; c <= 9; ++c)
        grid_.setCell(c, 0, RankLetters[c]);
    for (int r = 1; r <= 4; ++r)
        grid_.setCell(0, r, SuitLetters[r]);
    grid_.setCell(0, CountRow, QStringLiteral("m"));
    grid_.setCell(0, MarkRow, QStringLiteral("hb"));
    grid_.setCell(CountColumn, 0, QStringLiteral("m"));
    grid_.setCell(NumberColumn, 0, QStringLiteral("#g"));
    grid_.setCell(PatternColumn, 0, QStringLiteral("Гексаграмма"));

    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 9; ++c)
            grid_.setCell(c, r, Undecided);
}

void FilterSheet::select(int column, int row)
{
    if (isUserCell(column, row)) {
        const QString &text = grid_.cell(column, row);
        if (text == Marked)
            grid_.setCell(column, row, QString());
        else if (text.isEmpty())
            grid_.setCell(column, row, Undecided);
        else
            grid_.setCell(column, row, Marked);
    }
    recompute();
}

void FilterSheet::recompute()
{
    for (int r = 1; r <= 4; ++r) {
        QString pattern;
        int count = 0;
        for (const int c : LineColumns) {
            const QString &text = grid_.cell(c, r);
            if (text == Marked) {
                ++count;
                pattern += u'1';
            } else if (text.isEmpty()) {
                pattern += u'0';
            } else {
                pattern += u'?';
            }
        }
        grid_.setCell(PatternColumn, r, pattern);
        grid_.setCell(CountColumn, r, QString::number(count));
        // A pattern still holding a "?" matches no hexagram: no number.
        const int number = HexagramPatterns.find(pattern);
        grid_.setCell(NumberColumn, r, number > 0 ? QString::number(number) : QString());
    }

    for (int c = 1; c <= 9; ++c) {
        int k = 0;
        for (int r = 1; r <= 4; ++r)
            if (grid_.cell(c, r) == Marked)
                ++k;
        grid_.setCell(c, CountRow, QString::number(k));
        grid_.setCell(c, MarkRow, BalanceMark(k));
    }
}
