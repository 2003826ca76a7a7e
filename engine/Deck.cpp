// SPDX-License-Identifier: GPL-3.0-or-later
#include "Deck.h"

#include "FastDeal.h"

void MakeOrderedDeck(TTLKoloda &OrderedDeck, QString &Text)
{
    Text.clear();
    for (int s = 1; s <= 4; ++s)
        for (int r = 1; r <= 9; ++r) {
            const int e = (s - 1) * 9 + r;
            TKarta &card = OrderedDeck.Cards[e];
            card.Rank = RankLetters[r];
            card.Suit = SuitLetters[s];
            card.Position = e;
            Text += RankLetters[r] + SuitLetters[s] + u' ';
        }
}

QString orderedDeckText()
{
    TTLKoloda deck;
    QString text;
    MakeOrderedDeck(deck, text);
    return text;
}

void MakeRandomChain(RandomSource &random, TTLKoloda &Chain, QString &Text)
{
    // The same deal as the generator's fast path, so that a seeded run gives the
    // same chains on either path. Every other field is emptied, as a copy of the
    // ordered deck has it.
    fastdeal::Deal deal;
    fastdeal::dealRandom(random, deal);
    Chain = TTLKoloda{};
    fastdeal::toRecord(deal, Chain);
    Text = fastdeal::toText(deal);
}

std::uint8_t RandomInRange(RandomSource &random, std::uint8_t Low, std::uint8_t High)
{
    if (High <= Low)
        return Low;
    return std::uint8_t(Low + random.below(std::uint32_t(High - Low) + 1));
}

namespace {

// The first card with the largest value of a counter above 0: its name, index,
// and element 1 of ExtremeNames. Only a strictly greater value replaces an
// earlier card, so among equals the one nearest the start wins. Returns the
// largest value, 0 when no card has one above 0.
std::int32_t findFirstLargest(TTLKoloda &Chain, std::int32_t TKarta::*counter, QString &Name,
                              std::uint8_t &Index, QString &ValueText)
{
    std::int32_t best = 0;
    for (int k = 1; k <= 36; ++k) {
        const TKarta &card = Chain.Cards[k];
        if (card.*counter > best) {
            best = card.*counter;
            Name = card.name();
            Index = std::uint8_t(k);
            Chain.ExtremeNames[1] = Name;
        }
    }
    ValueText = QString::number(best);
    return best;
}

} // namespace

void FindMostMobileCard(TTLKoloda &Chain, QString &Name, std::uint8_t &Index, QString &ValueText)
{
    findFirstLargest(Chain, &TKarta::MobileCount, Name, Index, ValueText);
}

std::int32_t findDeepestCardsOf(TTLKoloda &Chain, QString &Name, std::uint8_t &Index,
                                QString &ValueText)
{
    const std::int32_t best = findFirstLargest(Chain, &TKarta::Depth, Name, Index, ValueText);
    if (best == 0) {
        // No collapse: every card ties at 0. List each card once, in position
        // order, rather than counting past the 36 names the list can hold.
        Name = Chain.Cards[1].name();
        Index = 1;
        for (int k = 1; k <= 36; ++k)
            Chain.ExtremeNames[k] = Chain.Cards[k].name();
        Chain.ExtremeCount = 36;
        return 0;
    }

    int count = 1;
    for (int k = 1; k <= 36; ++k)
        if (Chain.Cards[k].Depth == best && k != Index) {
            ++count;
            Chain.ExtremeNames[count] = Chain.Cards[k].name();
        }
    Chain.ExtremeCount = std::uint8_t(count);
    return best;
}

void FindDeepestCards(ChainState &state, TTLKoloda &Chain, QString &Name, std::uint8_t &Index,
                      QString &ValueText)
{
    state.MaxDepth = findDeepestCardsOf(Chain, Name, Index, ValueText);
}

void ExchangeCards(TTLKoloda &Chain, TKarta CardA, TKarta CardB)
{
    // Every test reads the unchanged Chain and writes the work record, so the
    // exchanges happen at once and never undo each other.
    TTLKoloda work = Chain;
    const bool pattern = CardA.Rank == u"?" || CardA.Suit == u"?";
    for (int k = 1; k <= 36; ++k) {
        const TKarta &entry = Chain.Cards[k];
        TKarta &out = work.Cards[k];
        if (pattern) {
            if (entry.Rank == CardA.Rank)
                out.Rank = CardB.Rank;
            if (entry.Suit == CardA.Suit)
                out.Suit = CardB.Suit;
            if (entry.Rank == CardB.Rank)
                out.Rank = CardA.Rank;
            if (entry.Suit == CardB.Suit)
                out.Suit = CardA.Suit;
        }
        if (entry.Rank == CardA.Rank && entry.Suit == CardA.Suit) {
            out.Rank = CardB.Rank;
            out.Suit = CardB.Suit;
        }
        if (entry.Rank == CardB.Rank && entry.Suit == CardB.Suit) {
            out.Rank = CardA.Rank;
            out.Suit = CardA.Suit;
        }
    }
    Chain = work;
}
