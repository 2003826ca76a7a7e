// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>

// A card as the analysis table's chain row writes it: the rank letter, then the
// suit letter ("6п", "Xч"). Both walks read their cards this way.
struct CellCard
{
    int Rank = 0; // index in RankLetters, 0 when the first letter is none of them
    int Suit = 0; // index in SuitLetters, 0 when the second letter is none of them

    // A cell without a known suit letter holds no card: it moves nothing and draws nothing.
    bool isCard() const { return Suit != 0; }
};

CellCard cardInCell(const QString &text);

// One unit step in the direction of a suit, on screen axes (y grows downward):
// "п" north, "б" east, "к" west, "ч" south; (0, 0) for no suit.
QPoint suitDirection(int suit);
