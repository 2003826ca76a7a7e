// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../TestSupport.h"
#include "engine/ChainReader.h"
#include "engine/FastDeal.h"

// A chain text as the fast path's bytes, read the way the analysis reads it.
inline fastdeal::Deal dealFromText(const QString &text)
{
    TTLKoloda chain;
    ReadChain(text, chain);
    fastdeal::Deal deal{};
    for (int n = 1; n <= 36; ++n)
        deal[std::size_t(n - 1)] =
            fastdeal::makeCard(suitIndex(chain.Cards[n].Suit), rankIndex(chain.Cards[n].Rank));
    return deal;
}
