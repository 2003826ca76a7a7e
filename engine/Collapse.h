// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Cards.h"

#include <algorithm>
#include <array>

// The collapse: wherever a card and the card two places to its right share
// suit or rank, the left one leaves the row; the scan always takes the leftmost
// such triple and starts again from the left, until none is left or two cards
// remain.

// Cards left after collapsing a copy of Chain (2 to 36); Chain is unchanged.
std::int32_t CountCollapse(const TTLKoloda &Chain);

// Collapses a working copy and adds the per-card results (MobileCount, Transit,
// Remainder, Depth) and TransitTotal into Chain. The counters must be zero before.
void CollapseWithMetrics(TTLKoloda &Chain);

// The analysis step shared by the analysis run, the generator and the replacement.
void AnalyseChain(TTLKoloda &Chain);

// The collapse rule on a row of up to 36 entries, in one place for every record
// collapse of the program: the chain's own, with or without its metrics, and the
// roots of micro-chains. The row points at the entries, so their letters stay
// where they are while cards leave it; the generator's byte paths are tested
// equal to it.
class CollapseRow
{
public:
    template <typename Entries> CollapseRow(const Entries &entries, int count) : count_(count)
    {
        Q_ASSERT(count >= 0 && count <= 36);
        for (int k = 0; k < count; ++k)
            cards_[std::size_t(k)] = &entries[k + 1];
    }

    int count() const { return count_; }
    // 1-based working position.
    const TKarta &at(int j) const
    {
        Q_ASSERT(j >= 1 && j <= count_);
        return *cards_[std::size_t(j - 1)];
    }

    // Collapses the row to its end, calling onCollapse(j) before the card at
    // working position j leaves it; returns the cards left. The triples left of
    // j - 2 were tested before a collapse at j and no card of theirs moved, so
    // resuming the scan at j - 2 finds the same triple a scan from the left would.
    template <typename OnCollapse> int collapse(OnCollapse onCollapse)
    {
        int from = 1;
        while (count_ >= 3) {
            const int j = leftmostCollapsible(from);
            if (j == 0)
                break;
            onCollapse(j);
            removeAt(j);
            from = j - 2;
        }
        return count_;
    }

private:
    int leftmostCollapsible(int from) const
    {
        for (int j = std::max(from, 1); j + 2 <= count_; ++j)
            if (cardsAgree(at(j), at(j + 2)))
                return j;
        return 0;
    }

    void removeAt(int j)
    {
        for (int k = j; k < count_; ++k)
            cards_[std::size_t(k - 1)] = cards_[std::size_t(k)];
        --count_;
    }

    std::array<const TKarta *, 36> cards_{};
    int count_;
};
