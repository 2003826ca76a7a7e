// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardReplacement.h"

#include "analysis/MainTables.h"
#include "engine/ChainReader.h"
#include "engine/Deck.h"

namespace {

bool questionAt(const QString &text, int index)
{
    return characterAt(text, index) == u"?";
}

} // namespace

TKarta exchangeArgument(const QString &listText)
{
    TKarta card;
    card.Rank = characterAt(listText, 0);
    card.Suit = characterAt(listText, 1);
    return card;
}

QString kindAlikeText(const QString &changedText, const QString &otherText)
{
    // Four checks, each reading the other text as the one before left it.
    QString other = otherText;
    if (questionAt(changedText, 0) && !questionAt(other, 0))
        other = changedText;
    if (questionAt(changedText, 1) && !questionAt(other, 1))
        other = changedText;
    if (!questionAt(changedText, 0) && questionAt(other, 0))
        other = changedText;
    if (!questionAt(changedText, 1) && questionAt(other, 1))
        other = changedText;
    return other;
}

QString replaceCards(const QString &text, const QString &a, const QString &b,
                     const platform::Services &services)
{
    TTLKoloda chain;
    readChainShowingShort(text, chain, services);
    ExchangeCards(chain, exchangeArgument(a), exchangeArgument(b));
    QString result;
    for (int n = 1; n <= 36; ++n)
        result += chain.Cards[n].Rank + chain.Cards[n].Suit + u' ';
    return result;
}
