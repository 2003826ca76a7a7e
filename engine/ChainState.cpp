#include "ChainState.h"

#include "Deck.h"

ChainState::ChainState()
{
    QString text;
    MakeOrderedDeck(OrderedDeck, text);
}
