#include "Collapse.h"

#include <algorithm>
#include <array>

namespace {

bool matches(const TKarta &left, const TKarta &right)
{
    return left.Suit == right.Suit || left.Rank == right.Rank;
}

// The working row: entries of the chain in their current order. Pointers keep
// the letters where they are while cards leave the row.
struct WorkingRow
{
    std::array<const TKarta *, 36> cards{};
    int count = 36;

    explicit WorkingRow(const TTLKoloda &chain)
    {
        for (int n = 1; n <= 36; ++n)
            cards[std::size_t(n - 1)] = &chain.Cards[n];
    }

    // 1-based working position.
    const TKarta &at(int j) const { return *cards[std::size_t(j - 1)]; }

    void removeAt(int j)
    {
        for (int k = j; k < count; ++k)
            cards[std::size_t(k - 1)] = cards[std::size_t(k)];
        --count;
    }

    // The leftmost working position j from `from` on whose card matches the card
    // at j + 2, or 0 when there is none.
    int leftmostCollapsible(int from) const
    {
        for (int j = std::max(from, 1); j + 2 <= count; ++j)
            if (matches(at(j), at(j + 2)))
                return j;
        return 0;
    }
};

bool validPosition(std::int32_t position) { return position >= 1 && position <= 36; }

} // namespace

// The scan starts again from the left after every collapse. The triples left
// of j - 2 were tested before the collapse at j and no card of theirs moved, so
// none of them can match now: resuming the scan at j - 2 finds the same triple.
std::int32_t CountCollapse(const TTLKoloda &Chain)
{
    WorkingRow row(Chain);
    int from = 1;
    while (row.count >= 3) {
        const int j = row.leftmostCollapsible(from);
        if (j == 0)
            break;
        row.removeAt(j);
        from = j - 2;
    }
    return row.count;
}

void CollapseWithMetrics(TTLKoloda &Chain)
{
    // The row reads the letters and positions of Chain's entries, and results go
    // into their counters only, so writing never disturbs what the scan compares.
    WorkingRow row(Chain);

    std::int32_t transit = 0;   // T: Position of the current transit card, 0 = none yet
    std::int32_t stageDepth = 0; // D: collapses since T became the transit
    std::int32_t lastCollapse = 0; // L: collapse position of the latest collapse
    std::int32_t transitCounter = 0;

    int from = 1;
    while (row.count >= 3) {
        const int j = row.leftmostCollapsible(from);
        if (j == 0)
            break;
        from = j - 2;
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
        row.removeAt(j);
        ++stageDepth;
        lastCollapse = j + 1;
    }

    if (validPosition(transit)) {
        Chain.Cards[transit].Depth = stageDepth;
        Chain.Cards[transit].Remainder = lastCollapse;
    }
    // The last card never becomes a middle card, yet it always counts as moved.
    Chain.Cards[36].MobileCount = 1;
    Chain.TransitTotal = transitCounter;
}

void AnalyseChain(TTLKoloda &Chain) { CollapseWithMetrics(Chain); }
