// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChainState.h"

#include "Deck.h"

ChainState::ChainState()
{
    QString text;
    MakeOrderedDeck(OrderedDeck, text);
}
