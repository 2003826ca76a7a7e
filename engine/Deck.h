// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Cards.h"
#include "ChainState.h"
#include "platform/RandomSource.h"

#include <cstdint>

// Fills OrderedDeck with the 36 cards in deck order (Position = ordinal) and
// sets Text to the deck text: every card followed by one blank, 108 characters.
// No other field of the record is touched.
void MakeOrderedDeck(TTLKoloda &OrderedDeck, QString &Text);

// The deck text alone, as MakeOrderedDeck gives it.
QString orderedDeckText();

// Deals the 36 cards in random order into Chain (Position n for the n-th card,
// counters 0) and sets Text to them joined by single blanks, 107 characters.
void MakeRandomChain(RandomSource &random, TTLKoloda &Chain, QString &Text);

// A uniformly drawn whole number from Low to High inclusive (Low <= High).
std::uint8_t RandomInRange(RandomSource &random, std::uint8_t Low, std::uint8_t High);

// The first card with the largest MobileCount: its name, index and count as text;
// element 1 of ExtremeNames gets the name. With no moved card Name and Index
// keep what the caller gave and ValueText is "0".
void FindMostMobileCard(TTLKoloda &Chain, QString &Name, std::uint8_t &Index, QString &ValueText);

// The cards with the largest Depth (the EFL): the first one's name and index, the
// EFL as text, every such card's name in ExtremeNames (the first one first, the
// others in position order), their number in ExtremeCount; state's MaxDepth =
// the EFL.
void FindDeepestCards(ChainState &state, TTLKoloda &Chain, QString &Name, std::uint8_t &Index,
                      QString &ValueText);

// The same search without touching any state; returns the EFL.
std::int32_t findDeepestCardsOf(TTLKoloda &Chain, QString &Name, std::uint8_t &Index,
                                QString &ValueText);

// Exchanges two cards, two suits ("?п") or two ranks ("Т?") throughout Chain; only
// the letters of CardA and CardB are used. Position and counters stay.
void ExchangeCards(TTLKoloda &Chain, TKarta CardA, TKarta CardB);
