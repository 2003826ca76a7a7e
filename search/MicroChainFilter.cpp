// SPDX-License-Identifier: GPL-3.0-or-later
#include "MicroChainFilter.h"

#include "MicroChainSearch.h"

bool microChainCollapses(const TTLKoloda &chain)
{
    return microChainRoot(chain).size() == 2;
}
