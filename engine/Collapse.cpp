// SPDX-License-Identifier: GPL-3.0-or-later
#include "Collapse.h"

namespace {

bool validPosition(std::int32_t position)
{
    return position >= 1 && position <= 36;
}

} // namespace

std::int32_t CountCollapse(const TTLKoloda &Chain)
{
    CollapseRow row(Chain.Cards, 36);
    return row.collapse([](int) {});
}

void CollapseWithMetrics(TTLKoloda &Chain)
{
    // The row reads the letters and positions of Chain's entries, and results go
    // into their counters only, so writing never disturbs what the scan compares.
    CollapseRow row(Chain.Cards, 36);

    std::int32_t transit = 0;      // T: Position of the current transit card, 0 = none yet
    std::int32_t stageDepth = 0;   // D: collapses since T became the transit
    std::int32_t lastCollapse = 0; // L: collapse position of the latest collapse
    std::int32_t transitCounter = 0;

    row.collapse([&](int j) {
        const std::int32_t right = row.at(j + 2).Position;
        if (right > transit) {
            if (validPosition(transit)) {
                Chain.Cards[transit].Remainder = lastCollapse;
                Chain.Cards[transit].Depth = stageDepth;
            }
            transit = right;
            if (validPosition(transit))
                Chain.Cards[transit].Transit += 1;
            ++transitCounter;
            stageDepth = 0;
        }
        const std::int32_t middle = row.at(j + 1).Position;
        if (validPosition(middle))
            Chain.Cards[middle].MobileCount += 1;
        ++stageDepth;
        lastCollapse = j + 1;
    });

    if (validPosition(transit)) {
        Chain.Cards[transit].Depth = stageDepth;
        Chain.Cards[transit].Remainder = lastCollapse;
    }
    // The last card never becomes a middle card, yet it always counts as moved.
    Chain.Cards[36].MobileCount = 1;
    Chain.TransitTotal = transitCounter;
}

void AnalyseChain(TTLKoloda &Chain)
{
    CollapseWithMetrics(Chain);
}
