// SPDX-License-Identifier: GPL-3.0-or-later
#include "CellCard.h"

#include "engine/Cards.h"

CellCard cardInCell(const QString &text)
{
    return CellCard{rankIndex(text.mid(0, 1)), suitIndex(text.mid(1, 1))};
}

QPoint suitDirection(int suit)
{
    switch (suit) {
    case 1:
        return {0, -1};
    case 2:
        return {1, 0};
    case 3:
        return {-1, 0};
    case 4:
        return {0, 1};
    default:
        return {0, 0};
    }
}
