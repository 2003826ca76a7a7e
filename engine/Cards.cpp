// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cards.h"

const OneBased<QString, 4> SuitLetters{
    {QStringLiteral("п"), QStringLiteral("б"), QStringLiteral("к"), QStringLiteral("ч")}};
const OneBased<QString, 9> RankLetters{
    {QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
     QStringLiteral("X"), QStringLiteral("В"), QStringLiteral("Д"), QStringLiteral("К"),
     QStringLiteral("Т")}};

int suitIndex(const QString &letter)
{
    for (int s = 1; s <= 4; ++s)
        if (SuitLetters[s] == letter)
            return s;
    return 0;
}

int rankIndex(const QString &letter)
{
    for (int r = 1; r <= 9; ++r)
        if (RankLetters[r] == letter)
            return r;
    return 0;
}

int suitIndexOf(char32_t letter)
{
    switch (letter) {
    case U'п':
        return 1;
    case U'б':
        return 2;
    case U'к':
        return 3;
    case U'ч':
        return 4;
    default:
        return 0;
    }
}

int rankIndexOf(char32_t letter)
{
    switch (letter) {
    case U'6':
        return 1;
    case U'7':
        return 2;
    case U'8':
        return 3;
    case U'9':
        return 4;
    case U'X':
        return 5;
    case U'В':
        return 6;
    case U'Д':
        return 7;
    case U'К':
        return 8;
    case U'Т':
        return 9;
    default:
        return 0;
    }
}

void ClearChain(TTLKoloda &Chain)
{
    for (int n = 1; n <= 36; ++n) {
        TKarta &card = Chain.Cards[n];
        card.Rank.clear();
        card.Suit.clear();
        card.Position = 0;
        card.MobileCount = 0;
        card.Transit = 0;
        card.Remainder = 0;
        card.Depth = 0;
    }
    for (int n = 1; n <= 36; ++n)
        Chain.ExtremeNames[n].clear();
    for (int n = 1; n <= 5; ++n)
        Chain.SuitStatistics[n].clear();
    for (int n = 1; n <= 4; ++n)
        Chain.HexagramNumbers[n] = 0;
    Chain.TransitTotal = 0;
}
