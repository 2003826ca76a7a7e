#include "MicroChainFilter.h"

#include "MicroChainSearch.h"

bool microChainCollapses(const TTLKoloda &chain)
{
    return microChainRoot(chain).size() == 2;
}
