// SPDX-License-Identifier: GPL-3.0-or-later
#include "MicroChainConstruct.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

namespace {

// Cards are deck ordinals 0 to 35 ((suit - 1) * 9 + rank - 1); the target has
// its own code, since a pattern target is no card of the deck.
using Mask = std::uint64_t;
constexpr int DeckSize = 36;
constexpr int TargetCode = 36;
constexpr int MaxLength = 36;

Mask bit(int card)
{
    return Mask(1) << card;
}

int cardCount(Mask mask)
{
    return std::popcount(mask);
}

int nthCard(Mask mask, int k)
{
    while (k-- > 0)
        mask &= mask - 1;
    return std::countr_zero(mask);
}

int randomCard(RandomSource &random, Mask mask)
{
    return nthCard(mask, int(random.below(std::uint32_t(cardCount(mask)))));
}

double unitRandom(RandomSource &random)
{
    return double(random.next() >> 11) * 0x1.0p-53;
}

// A chain as it grows, entries 1 to len, and the cards still in the pool.
struct Row
{
    std::array<std::uint8_t, MaxLength + 2> c{};
    int len = 0;
    Mask pool = 0;
};

Row inserted(const Row &row, int r, int card)
{
    Row child = row;
    for (int k = row.len; k >= r; --k)
        child.c[std::size_t(k + 1)] = row.c[std::size_t(k)];
    child.c[std::size_t(r)] = std::uint8_t(card);
    child.len = row.len + 1;
    child.pool = row.pool & ~bit(card);
    return child;
}

// The cards a growth step may put at entry r: fit is what generate-and-test
// draws from (the pool's cards that agree with the card that will lie two places
// to the right), allowed what survives the pruning.
struct Option
{
    int r = 0;
    Mask fit = 0;
    Mask allowed = 0;
};

// A class of cards whose phi after the step is base plus their agreements with
// the cards of b and of d (either may be empty): those below the steps left are
// allowed at once, those exactly at it (with steps left) only if the forced run
// that must follow can be finished.
struct Judged
{
    explicit Judged(int stepsLeft) : left(stepsLeft) {}

    void add(Mask cards, int base, Mask b, Mask d)
    {
        const std::array<Mask, 3> byAgreements{cards & ~b & ~d, cards & (b ^ d), cards & b & d};
        for (int k = 0; k < 3; ++k) {
            const Mask these = byAgreements[std::size_t(k)];
            if (base + k < left || (base + k == left && left == 0))
                below |= these;
            else if (base + k == left)
                tight |= these;
        }
    }

    int left;
    Mask below = 0;
    Mask tight = 0;
};

enum class Descent
{
    Found,
    Dead,    // no micro-chain below this choice
    Restart, // start a new descent: a dead end without backtracking, or the budget spent
    Stop,    // the caller's limits say stop
};

// One choice of a descent: r is 0 for the first and second card.
struct PathStep
{
    int r = 0;
    int card = 0;
};

} // namespace

int microCandidateCount(int efl)
{
    // The share of candidates that still count after weighting falls from about
    // 0.5 at e = 6 to 0.19 at e = 9, 0.04 at e = 12, 0.002 at e = 16 and 0.00004
    // at e = 20, while a candidate costs a few microseconds up to e = 16 and about
    // 2 ms at e = 34. Up to e = 16 the count buys some tens of effective
    // candidates (at e = 9 and 12 enough to match generate-and-test within the
    // noise of 10^4 to 10^5 draws) for at most some 10 ms; beyond that even a
    // thousand leave less than one, so a few only pull the choice towards
    // generate-and-test's while a micro-chain stays in the milliseconds.
    if (efl <= 9)
        return 256;
    if (efl <= 11)
        return 512;
    if (efl <= 16)
        return 1024;
    if (efl <= 19)
        return 256;
    if (efl <= 25)
        return 64;
    if (efl <= 30)
        return 16;
    return 4;
}

class MicroChainConstructor::Impl
{
public:
    Impl(const QString &target, int efl, const MicroConstructSettings &settings)
        : efl_(efl), length_(efl + 2), settings_(settings), targetRank_(target.mid(0, 1)),
          targetSuit_(target.mid(1, 1))
    {
        if (settings_.candidates <= 0)
            settings_.candidates = microCandidateCount(efl);
        settings_.firstBudget = std::max<std::int64_t>(settings_.firstBudget, 1);
        settings_.budgetGrowth = std::max(settings_.budgetGrowth, 1.0);

        // Agreement stays plain text equality, so a pattern's "?" agrees with no
        // card's letter and an odd target with whatever shares a letter.
        for (int a = 0; a < DeckSize; ++a) {
            names_[std::size_t(a)] = rankOf(a) + suitOf(a);
            for (int b = 0; b < DeckSize; ++b)
                if (a != b && (rankOf(a) == rankOf(b) || suitOf(a) == suitOf(b)))
                    agree_[std::size_t(a)] |= bit(b);
            if (rankOf(a) == targetRank_ || suitOf(a) == targetSuit_) {
                agree_[std::size_t(a)] |= bit(TargetCode);
                agree_[TargetCode] |= bit(a);
            }
        }
        // The search serves the targets the lists offer; a placeholder such as
        // "Выбери" is none of them.
        const bool rankKnown = rankIndex(targetRank_) > 0;
        const bool suitKnown = suitIndex(targetSuit_) > 0;
        knownTarget_ = target.size() == 2 && (rankKnown || targetRank_ == u"?") &&
                       (suitKnown || targetSuit_ == u"?") && (rankKnown || suitKnown);
        startPool_ = (Mask(1) << DeckSize) - 1;
        for (int a = 0; a < DeckSize; ++a) {
            if (names_[std::size_t(a)] == target) {
                startPool_ &= ~bit(a);
                agree_[TargetCode] &= ~bit(a);
                break;
            }
        }
    }

    bool possible() const
    {
        return knownTarget_ && efl_ >= 1 && efl_ <= 34 && firstOptions(startPool_) != 0;
    }

    bool build(RandomSource &random, TTLKoloda &chain, MicroChainHistory *history,
               const MicroBuildLimits &limits, MicroConstructStats *stats)
    {
        if (!possible())
            return false;
        MicroConstructStats local;
        random_ = &random;
        limits_ = &limits;
        stats_ = stats ? stats : &local;

        // One candidate kept in proportion to its weight, drawn as the candidates
        // come so that none has to be stored.
        double totalWeight = 0;
        Row kept;
        std::array<PathStep, MaxLength> keptPath{};
        for (int k = 0; k < settings_.candidates; ++k) {
            if (!candidate())
                return false;
            ++stats_->candidates;
            stats_->weightSum += weight_;
            stats_->weightSquares += weight_ * weight_;
            totalWeight += weight_;
            if (k == 0 || unitRandom(random) * totalWeight < weight_) {
                kept = leaf_;
                keptPath = path_;
            }
        }

        chain = TTLKoloda{};
        for (int m = 1; m <= length_; ++m) {
            const int code = kept.c[std::size_t(m)];
            chain.Cards[m].Rank = code == TargetCode ? targetRank_ : rankOf(code);
            chain.Cards[m].Suit = code == TargetCode ? targetSuit_ : suitOf(code);
        }
        if (history) {
            history->first = names_[std::size_t(keptPath[0].card)];
            history->second = names_[std::size_t(keptPath[1].card)];
            history->growth.clear();
            for (int s = 2; s < length_ - 1; ++s)
                history->growth.push_back({keptPath[std::size_t(s)].r,
                                           names_[std::size_t(keptPath[std::size_t(s)].card)]});
        }
        return true;
    }

    bool admits(const MicroChainHistory &history) const
    {
        if (!possible() || int(history.growth.size()) != efl_ - 1)
            return false;
        const int first = codeOf(history.first);
        const int second = codeOf(history.second);
        if (first < 0 || second < 0 || !(firstOptions(startPool_) & bit(first)))
            return false;
        const Mask pool = startPool_ & ~bit(first);
        if (!(secondOptions(pool) & bit(second)))
            return false;
        Row row = startRow(first, second, pool & ~bit(second));
        for (const MicroGrowthStep &step : history.growth) {
            const int card = codeOf(step.card);
            std::array<Option, MaxLength> options;
            const int count = growthOptions(row, options);
            const auto found = std::find_if(options.begin(), options.begin() + count,
                                            [&](const Option &o) { return o.r == step.r; });
            if (card < 0 || found == options.begin() + count || !(found->allowed & bit(card)))
                return false;
            row = inserted(row, step.r, card);
        }
        return true;
    }

private:
    QString rankOf(int card) const { return RankLetters[card % 9 + 1]; }
    QString suitOf(int card) const { return SuitLetters[card / 9 + 1]; }

    int codeOf(const QString &name) const
    {
        const auto found = std::find(names_.begin(), names_.end(), name);
        return found == names_.end() ? -1 : int(found - names_.begin());
    }

    bool agree(int a, int b) const { return (agree_[std::size_t(a)] >> b) & 1; }

    Row startRow(int first, int second, Mask pool) const
    {
        Row row;
        row.c[1] = std::uint8_t(first);
        row.c[2] = std::uint8_t(second);
        row.c[3] = TargetCode;
        row.len = 3;
        row.pool = pool;
        return row;
    }

    // From e = 2 on the last growth step lays a card that agrees with the target
    // (any other step there would leave a collapse before the target), so one
    // such card must stay in the pool until then.
    Mask firstOptions(Mask pool) const
    {
        const Mask fits = pool & agree_[TargetCode];
        return length_ > 3 && cardCount(fits) < 2 ? 0 : fits;
    }

    Mask secondOptions(Mask pool) const
    {
        if (length_ == 3)
            return pool;
        const Mask fits = pool & agree_[TargetCode];
        return cardCount(fits) == 1 ? pool & ~fits : fits ? pool : 0;
    }

    // The pruning. Let j0 be the leftmost pair (j, j + 2) that agrees (the pair
    // ending on the target always does, so there is one), and
    //   phi = (len - j0 - 2) + the agreeing neighbours (k, k + 1), j0 < k <= len - 2.
    // A finished micro-chain has phi = 0, and one growth step lowers phi by at
    // most one (only a step at r = j0 + 2 lowers it at all), so a branch whose phi
    // exceeds the steps left is dead. phi after putting card x at r depends on x
    // only through whether x agrees with the cards at r - 2, r - 1 and r, so each
    // r's fitting cards fall into a few classes judged at once. A card after
    // which no step is left to spare is allowed only if the forced run it leaves
    // can be finished.
    int growthOptions(const Row &row, std::array<Option, MaxLength> &options) const
    {
        const int i = row.len;
        const int left = length_ - (i + 1);
        Mask reserved = 0;
        if (left >= 1) {
            const Mask fits = row.pool & agree_[TargetCode];
            if (fits == 0)
                return 0;
            if (cardCount(fits) == 1)
                reserved = fits;
        }

        std::array<int, MaxLength + 2> nb{};
        std::array<int, MaxLength + 2> suffix{};
        const int j0 = leftmostAgreeingPair(row);
        for (int k = 1; k <= i - 1; ++k)
            nb[std::size_t(k)] = agree(row.c[std::size_t(k)], row.c[std::size_t(k + 1)]);
        for (int k = i - 2; k >= 1; --k)
            suffix[std::size_t(k)] = nb[std::size_t(k)] + suffix[std::size_t(k + 1)];
        const int phi = (i - 2 - j0) + suffix[std::size_t(j0 + 1)];
        if (phi > left + 1)
            return 0;
        // With no step to spare only r = j0 + 2 lowers phi; with one, r <= j0
        // raises it.
        const int lowestR = phi == left + 1 ? j0 + 2 : phi == left ? j0 + 1 : 1;
        const int highestR = phi == left + 1 ? std::min(j0 + 2, i - 1) : i - 1;

        int count = 0;
        for (int r = std::max(lowestR, 1); r <= highestR; ++r) {
            const Mask fit = row.pool & agree_[row.c[std::size_t(r + 1)]];
            const Mask cards = fit & ~reserved;
            if (cards == 0)
                continue;
            const Mask twoBefore = r >= 3 ? agree_[row.c[std::size_t(r - 2)]] : 0;
            const Mask before = r >= 2 ? agree_[row.c[std::size_t(r - 1)]] : 0;
            const Mask after = agree_[row.c[std::size_t(r)]];
            const int nbBefore = r >= 2 ? nb[std::size_t(r - 1)] : 0;
            Judged judged(left);
            if (j0 <= r - 3) {
                // j0 stays; the neighbours (r - 1, r) become (r - 1, x) and (x, r).
                judged.add(cards, phi + 1 - nbBefore, before, after);
            } else {
                // The new leftmost agreeing pair is (r - 2, r) when x agrees with
                // the card at r - 2, else (r - 1, r + 1) when the old neighbours
                // at r - 1 agree, else (r, r + 2), x's own pair.
                const int base = (i - 1 - r) + suffix[std::size_t(r)];
                judged.add(cards & twoBefore, base + 2, before, after);
                if (nbBefore)
                    judged.add(cards & ~twoBefore, base + 1, 0, after);
                else
                    judged.add(cards & ~twoBefore, base, 0, 0);
            }
            Mask allowed = judged.below;
            for (Mask rest = judged.tight; rest; rest &= rest - 1) {
                const int x = std::countr_zero(rest);
                if (forcedRunFeasible(inserted(row, r, x)))
                    allowed |= bit(x);
            }
            if (allowed)
                options[std::size_t(count++)] = {r, fit, allowed};
        }
        return count;
    }

    // j0 of the pruning: the leftmost j whose card agrees with the card at j + 2;
    // len - 2 when there is none.
    int leftmostAgreeingPair(const Row &row) const
    {
        for (int j = 1; j <= row.len - 2; ++j)
            if (agree(row.c[std::size_t(j)], row.c[std::size_t(j + 2)]))
                return j;
        return row.len - 2;
    }

    // Whether a row with no step to spare can still be finished. Every step left
    // must then lower phi, which only a step at r = j0 + 2 does, so the rest is a
    // fixed sequence of wants. With P, Z, Y0, Y1 the cards at j0 to j0 + 3, the
    // next card goes between Z and Y0 and must agree with Y1 but not with P. If
    // Z and Y0 agree, it must not agree with Y0 either and becomes the new Z,
    // with Z the new P, and Y1 wants one more card; otherwise it becomes the new
    // P, Y0 the new Z and Y1 the new Y0. So each card from j0 + 3 to the target
    // wants one card, and one more before it when its two left neighbours agree;
    // a want's card must not agree with a fixed card, or, where P is the card of
    // the want before, with that card.
    bool forcedRunFeasible(const Row &row) const
    {
        const int j0 = leftmostAgreeingPair(row);
        ForcedRun run;
        const std::uint8_t *y = row.c.data() + j0 + 2; // y[-2] = P, y[-1] = Z, y[0] = Y0
        for (int m = 1; m <= row.len - j0 - 2; ++m) {
            // Only the first want's P is a fixed card; after a want that made
            // its card the new P, P is that card.
            const Mask notP = m == 1 ? ~agree_[y[-2]] : ~Mask(0);
            const int z = y[m - 2];
            const Mask fits = row.pool & agree_[y[m]];
            if (agree(z, y[m - 1])) {
                run.add(fits & notP & ~agree_[y[m - 1]], m > 1);
                run.add(fits & ~agree_[std::size_t(z)], false);
            } else {
                run.add(fits & notP, m > 1);
            }
        }
        if (!chainable(run, agree_) || !matched(run.domain, run.count, row.pool))
            return false;
        run.nodesLeft = ForcedRunNodeCap;
        return runFrom(run, 0, 0, row.pool);
    }

    // A forced run whose search needs more nodes than this is let through, and
    // the descent finds out for itself. A larger bound prunes a little more but
    // costs more than it saves at EFL 30 to 34.
    static constexpr int ForcedRunNodeCap = 200;

    struct ForcedRun
    {
        // The cards each want may take, and whether the card must also not
        // agree with the card of the want before.
        std::array<Mask, MaxLength> domain{};
        std::array<bool, MaxLength> linked{};
        int count = 0;
        int nodesLeft = 0;

        void add(Mask cards, bool linkedToBefore)
        {
            domain[std::size_t(count)] = cards;
            linked[std::size_t(count)] = linkedToBefore;
            ++count;
        }
    };

    // Whether the wants can be met one after the other, distinctness aside:
    // the cards each want can take given some card of the want before.
    static bool chainable(const ForcedRun &run, const std::array<Mask, DeckSize + 1> &agree)
    {
        Mask reachable = run.domain[0];
        for (int t = 1; t < run.count && reachable; ++t) {
            Mask next = 0;
            for (Mask rest = run.domain[std::size_t(t)]; rest; rest &= rest - 1) {
                const int x = std::countr_zero(rest);
                const Mask before = reachable & ~bit(x);
                if (run.linked[std::size_t(t)] ? (before & ~agree[std::size_t(x)]) : before)
                    next |= bit(x);
            }
            reachable = next;
        }
        return reachable != 0;
    }

    // agreeingWithPrevious: the cards that agree with the card of the want before.
    bool runFrom(ForcedRun &run, int t, Mask agreeingWithPrevious, Mask pool) const
    {
        if (t == run.count || --run.nodesLeft < 0)
            return true;
        Mask cards = run.domain[std::size_t(t)] & pool;
        if (run.linked[std::size_t(t)])
            cards &= ~agreeingWithPrevious;
        for (; cards; cards &= cards - 1) {
            const int x = std::countr_zero(cards);
            if (runFrom(run, t + 1, agree_[std::size_t(x)], pool & ~bit(x)))
                return true;
        }
        return false;
    }

    // Whether each want can have a distinct card of its own.
    static bool matched(const std::array<Mask, MaxLength> &wants, int count, Mask pool)
    {
        if (count > cardCount(pool))
            return false;
        std::array<int, DeckSize> owner;
        owner.fill(-1);
        for (int u = 0; u < count; ++u) {
            if (wants[std::size_t(u)] == 0)
                return false;
            Mask visited = 0;
            if (!augment(u, wants, owner, visited))
                return false;
        }
        return true;
    }

    static bool augment(int u, const std::array<Mask, MaxLength> &adjacent,
                        std::array<int, DeckSize> &owner, Mask &visited)
    {
        for (Mask free = adjacent[std::size_t(u)] & ~visited; free;
             free = adjacent[std::size_t(u)] & ~visited) {
            const int v = std::countr_zero(free);
            visited |= bit(v);
            if (owner[std::size_t(v)] < 0 ||
                augment(owner[std::size_t(v)], adjacent, owner, visited)) {
                owner[std::size_t(v)] = u;
                return true;
            }
        }
        return false;
    }

    // One weighted candidate into leaf_, path_ and weight_; restarts with a
    // growing budget until a descent finds one. False when the limits stop it or
    // an exhaustive descent shows that there is none.
    bool candidate()
    {
        double budget = double(settings_.firstBudget);
        for (;;) {
            if (limits_->attemptLimit > 0 && stats_->attempts >= limits_->attemptLimit)
                return false;
            ++stats_->attempts;
            budgetLeft_ = std::int64_t(budget);
            switch (descendFromStart()) {
            case Descent::Found:
                return true;
            case Descent::Restart:
                budget *= settings_.budgetGrowth;
                break;
            case Descent::Dead:
            case Descent::Stop:
                return false;
            }
        }
    }

    Descent choose()
    {
        if (--budgetLeft_ < 0)
            return Descent::Restart;
        if (++stats_->choices % MicroChoicesPerCheck == 0 && limits_->keepTrying &&
            !limits_->keepTrying())
            return Descent::Stop;
        return Descent::Found;
    }

    // The weight is what generate-and-test gives the choices (one r of the
    // len - 1, one card of those that fit) over what the descent gave them (one
    // of the r that have a card left after the pruning, one of those cards).
    // Backtracking leaves it as it is: it only tells which branches were dead.
    Descent descendFromStart()
    {
        const Mask pool = startPool_;
        const Mask firsts = firstOptions(pool);
        const double firstShare =
            double(cardCount(firsts)) / double(cardCount(pool & agree_[TargetCode]));
        for (Mask rest = firsts; rest;) {
            const int first = randomCard(*random_, rest);
            rest &= ~bit(first);
            if (const Descent d = choose(); d != Descent::Found)
                return d;
            const Mask afterFirst = pool & ~bit(first);
            const Mask seconds = secondOptions(afterFirst);
            const double secondShare = double(cardCount(seconds)) / double(cardCount(afterFirst));
            for (Mask others = seconds; others;) {
                const int second = randomCard(*random_, others);
                others &= ~bit(second);
                if (const Descent d = choose(); d != Descent::Found)
                    return d;
                path_[0] = {0, first};
                path_[1] = {0, second};
                weight_ = firstShare * secondShare;
                const Descent d = descend(startRow(first, second, afterFirst & ~bit(second)));
                if (d != Descent::Dead)
                    return d;
                if (!settings_.backtrack)
                    return Descent::Restart;
            }
            if (!settings_.backtrack)
                return Descent::Restart;
        }
        return Descent::Dead;
    }

    Descent descend(const Row &row)
    {
        if (row.len == length_) {
            leaf_ = row;
            return Descent::Found;
        }
        std::array<Option, MaxLength> options;
        int count = growthOptions(row, options);
        if (count == 0)
            return Descent::Dead;
        const double rShare = double(count) / double(row.len - 1);
        const double weightHere = weight_;
        while (count > 0) {
            const int pick = int(random_->below(std::uint32_t(count)));
            const Option option = options[std::size_t(pick)];
            options[std::size_t(pick)] = options[std::size_t(--count)];
            const double share =
                rShare * double(cardCount(option.allowed)) / double(cardCount(option.fit));
            for (Mask rest = option.allowed; rest;) {
                const int card = randomCard(*random_, rest);
                rest &= ~bit(card);
                if (const Descent d = choose(); d != Descent::Found)
                    return d;
                path_[std::size_t(row.len - 1)] = {option.r, card};
                weight_ = weightHere * share;
                const Descent d = descend(inserted(row, option.r, card));
                if (d != Descent::Dead)
                    return d;
                if (!settings_.backtrack)
                    return Descent::Restart;
            }
        }
        return Descent::Dead;
    }

    int efl_;
    int length_;
    MicroConstructSettings settings_;
    QString targetRank_;
    QString targetSuit_;
    std::array<QString, DeckSize> names_;
    // agree_[a] has bit b when cards a and b agree; a and b run to TargetCode.
    std::array<Mask, DeckSize + 1> agree_{};
    Mask startPool_ = 0;
    bool knownTarget_ = false;

    // The running build.
    RandomSource *random_ = nullptr;
    const MicroBuildLimits *limits_ = nullptr;
    MicroConstructStats *stats_ = nullptr;
    std::int64_t budgetLeft_ = 0;
    std::array<PathStep, MaxLength> path_{};
    double weight_ = 1;
    Row leaf_;
};

MicroChainConstructor::MicroChainConstructor(const QString &target, int efl,
                                             const MicroConstructSettings &settings)
    : impl_(std::make_unique<Impl>(target, efl, settings))
{
}

MicroChainConstructor::~MicroChainConstructor() = default;

bool MicroChainConstructor::possible() const
{
    return impl_->possible();
}

bool MicroChainConstructor::build(RandomSource &random, TTLKoloda &chain,
                                  MicroChainHistory *history, const MicroBuildLimits &limits,
                                  MicroConstructStats *stats)
{
    return impl_->build(random, chain, history, limits, stats);
}

bool MicroChainConstructor::admits(const MicroChainHistory &history) const
{
    return impl_->admits(history);
}
