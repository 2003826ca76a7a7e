// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// The collapse with its per-card results for the fast paths, on any kind of
// card: the generator's bytes and the batch analysis's code points. The row is
// kept as a stack of cards among which no triple can collapse; a collapse gives
// the middle card back to the pending cards, so the first matching triple found
// is always the leftmost one of the whole row, as in the record collapse
// (CollapseRow), which both paths are tested equal to. Stack index k is working
// position k + 1.
//
// agree(left, right) tells whether two cards match. record is told, with
// positions 1 to 36: mobile(p) for each card that leaves the row, transit(p) when
// the card at p starts a run of collapses as their right card, and
// stageEnds(p, depth, remainder) when that run ends. Returns the cards left.
template <typename Card, typename Agree, typename Record>
int collapseOnStack(const std::array<Card, 36> &row, Agree agree, Record &record)
{
    struct Item
    {
        Card card;
        int position;
    };
    Item pending[36];
    Item stack[36];
    for (int k = 0; k < 36; ++k)
        pending[k] = {row[std::size_t(k)], k + 1};
    int transit = 0, stageDepth = 0, lastCollapse = 0;
    int p = 0, s = 0;
    while (p < 36) {
        const Item next = pending[p];
        if (s >= 2 && agree(stack[s - 2].card, next.card)) {
            // Left card at working position s - 1, middle at s, right is next.
            if (next.position > transit) {
                if (transit != 0)
                    record.stageEnds(transit, stageDepth, lastCollapse);
                transit = next.position;
                record.transit(transit);
                stageDepth = 0;
            }
            record.mobile(stack[s - 1].position);
            ++stageDepth;
            lastCollapse = s;
            pending[p - 1] = stack[s - 1];
            s -= 2;
            --p;
        } else {
            stack[s++] = next;
            ++p;
        }
    }
    if (transit != 0)
        record.stageEnds(transit, stageDepth, lastCollapse);
    return s;
}
