// SPDX-License-Identifier: GPL-3.0-or-later
#include "MicroChainSearch.h"

#include "ChainGenerator.h"

#include "engine/Collapse.h"
#include "engine/Deck.h"
#include "platform/IntConvert.h"
#include "platform/LocaleFormats.h"

#include <QDateTime>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// One micro-chain's attempts on a compact encoding: every letter text is turned
// into a small number once, so that agreement stays plain text equality (a
// pattern's "?" or an odd target letter equals only itself) while the attempts,
// which may run by the million, compare integers. Slot 0 is the target, slots 1
// to 36 the entries of the ordered deck.
class MicroChainBuilder
{
public:
    MicroChainBuilder(const TTLKoloda &orderedDeck, const QString &target, int efl)
        : deck_(orderedDeck), length_(efl + 2), targetRank_(target.mid(0, 1)),
          targetSuit_(target.mid(1, 1))
    {
        codes_[0] = {intern(targetRank_), intern(targetSuit_)};
        for (int i = 1; i <= 36; ++i) {
            const TKarta &card = deck_.Cards[i];
            codes_[std::size_t(i)] = {intern(card.Rank), intern(card.Suit)};
            startPool_[std::size_t(i)] = !card.Rank.isEmpty() && !card.Suit.isEmpty();
        }
        // A pattern names no card, so with a pattern target all 36 stay in the pool.
        for (int i = 1; i <= 36; ++i) {
            if (startPool_[std::size_t(i)] && deck_.Cards[i].name() == target) {
                startPool_[std::size_t(i)] = false;
                break;
            }
        }
    }

    // Without a card that agrees with the target no first card can ever be drawn.
    bool possible() const
    {
        for (int i = 1; i <= 36; ++i)
            if (startPool_[std::size_t(i)] && agree(i, 0))
                return true;
        return false;
    }

    // The draws are generate-and-test's own: r as RandomInRange(1, i - 1) would
    // give it (no draw when the range holds one number), then a card uniformly
    // among those that fit, so a seed gives the same micro-chains as ever.
    bool attempt(RandomSource &random, MicroBuildStats &stats)
    {
        ++stats.attempts;
        pool_ = startPool_;

        const int first = drawAgreeingWith(random, 0);
        if (first == 0) {
            ++stats.noFittingCard;
            return false;
        }
        pool_[std::size_t(first)] = false;
        const int second = drawAgreeingWith(random, -1);
        if (second == 0) {
            ++stats.noFittingCard;
            return false;
        }
        pool_[std::size_t(second)] = false;

        work_[1] = first;
        work_[2] = second;
        first_ = first;
        second_ = second;
        work_[3] = 0;
        int count = 3;
        // Each growth step undoes one collapse: the new card at r agrees with the
        // card that then lies two places to its right, the target staying last.
        while (count < length_) {
            const int r = RandomInRange(random, 1, std::uint8_t(count - 1));
            for (int m = count; m >= r; --m)
                work_[std::size_t(m + 1)] = work_[std::size_t(m)];
            const int card = drawAgreeingWith(random, work_[std::size_t(r + 2)]);
            if (card == 0) {
                ++stats.noFittingCard;
                return false;
            }
            work_[std::size_t(r)] = card;
            steps_[std::size_t(count - 3)] = {r, card};
            pool_[std::size_t(card)] = false;
            ++count;
        }

        // The pair ending on the target is meant to agree: it starts the collapse.
        for (int j = 1; j <= length_ - 3; ++j) {
            if (agree(work_[std::size_t(j)], work_[std::size_t(j + 2)])) {
                ++stats.collapsing;
                return false;
            }
        }
        return true;
    }

    // The accepted micro-chain as a record: letters only, everything else empty.
    void store(TTLKoloda &chain, MicroChainHistory *history) const
    {
        if (history) {
            history->first = deck_.Cards[first_].name();
            history->second = deck_.Cards[second_].name();
            history->growth.clear();
            for (int s = 0; s < length_ - 3; ++s)
                history->growth.push_back(
                    {steps_[std::size_t(s)].r, deck_.Cards[steps_[std::size_t(s)].card].name()});
        }
        chain = TTLKoloda{};
        for (int m = 1; m <= length_; ++m) {
            const int slot = work_[std::size_t(m)];
            TKarta &entry = chain.Cards[m];
            if (slot == 0) {
                entry.Rank = targetRank_;
                entry.Suit = targetSuit_;
            } else {
                entry.Rank = deck_.Cards[slot].Rank;
                entry.Suit = deck_.Cards[slot].Suit;
            }
        }
    }

private:
    struct Code
    {
        int rank = 0;
        int suit = 0;
    };

    int intern(const QString &letter)
    {
        const auto found = std::find(letters_.begin(), letters_.end(), letter);
        if (found != letters_.end())
            return int(found - letters_.begin());
        letters_.push_back(letter);
        return int(letters_.size()) - 1;
    }

    bool agree(int a, int b) const
    {
        const Code &x = codes_[std::size_t(a)];
        const Code &y = codes_[std::size_t(b)];
        return x.rank == y.rank || x.suit == y.suit;
    }

    // Drawing until a fitting entry comes up is the same as drawing uniformly
    // among the fitting entries, and this way an exhausted pool is seen at once.
    // slot -1 asks for any card. Returns the deck slot, 0 when none fits.
    int drawAgreeingWith(RandomSource &random, int slot)
    {
        int fitting[36];
        int count = 0;
        for (int i = 1; i <= 36; ++i)
            if (pool_[std::size_t(i)] && (slot < 0 || agree(i, slot)))
                fitting[count++] = i;
        if (count == 0)
            return 0;
        return fitting[random.below(std::uint32_t(count))];
    }

    const TTLKoloda &deck_;
    int length_;
    QString targetRank_;
    QString targetSuit_;
    std::vector<QString> letters_;
    std::array<Code, 37> codes_{};
    std::array<bool, 37> startPool_{};
    std::array<bool, 37> pool_{};
    std::array<int, 38> work_{};
    struct Step
    {
        int r = 0;
        int card = 0;
    };
    int first_ = 0;
    int second_ = 0;
    std::array<Step, 36> steps_{};
};

QString numberText(int k)
{
    return QStringLiteral("%1").arg(k, 3, 10, QChar(u'0'));
}

QString headerLine(int length)
{
    QString line;
    for (int j = 1; j <= length; ++j)
        line += QStringLiteral("%1 ").arg(j, 2, 10, QChar(u'0'));
    return line + QStringLiteral("  № ЦС");
}

QString microChainLine(const TTLKoloda &chain, int length, int k)
{
    QString line;
    for (int m = 1; m <= length; ++m)
        line += chain.Cards[m].Rank + chain.Cards[m].Suit + u' ';
    return line + QStringLiteral("  # ") + numberText(k) + u'.';
}

QString elapsedLine(std::int64_t ms)
{
    return QStringLiteral("Времени ушло = %1 часов, %2 минут, %3 секунд, %4 миллисекунд")
        .arg(ms / 3600000)
        .arg(ms / 60000 % 60)
        .arg(ms / 1000 % 60)
        .arg(ms % 1000);
}

bool isEmptyEntry(const TKarta &card)
{
    return card.Rank.isEmpty() && card.Suit.isEmpty();
}

MicroSearchResult shownFailure(const platform::Services &services,
                               MicroSearchResult::Outcome outcome, const QString &message)
{
    services.showMessage(message);
    MicroSearchResult result;
    result.outcome = outcome;
    result.message = message;
    return result;
}

} // namespace

bool BuildMicroChain(const TTLKoloda &OrderedDeck, RandomSource &random, const QString &Target,
                     std::int32_t Efl, TTLKoloda &Chain, MicroChainHistory *history,
                     const MicroBuildLimits &limits, MicroBuildStats *stats)
{
    if (Efl < 1 || Efl > MicroChainMaxEfl)
        return false;
    MicroChainBuilder builder(OrderedDeck, Target, Efl);
    if (!builder.possible())
        return false;
    MicroBuildStats local;
    MicroBuildStats &counts = stats ? *stats : local;
    for (std::int64_t failed = 1;; ++failed) {
        if (limits.attemptLimit > 0 && counts.attempts >= limits.attemptLimit)
            return false;
        if (builder.attempt(random, counts)) {
            builder.store(Chain, history);
            return true;
        }
        if (failed % MicroAttemptsPerCheck == 0 && limits.keepTrying && !limits.keepTrying())
            return false;
    }
}

MicroSearchResult SearchMicroChains(MicroChainStore &store, const TTLKoloda &OrderedDeck,
                                    platform::Services &services, ReportLog &report,
                                    const QString &countText, const QString &eflText,
                                    const QString &targetText, const MicroSearchOptions &options)
{
    using Outcome = MicroSearchResult::Outcome;
    RandomSource &random = services.random();
    const bool searching = options.method == MicroMethod::Search;
    const auto possible = [&](int e) {
        return searching ? MicroChainConstructor(targetText, e).possible()
                         : MicroChainBuilder(OrderedDeck, targetText, e).possible();
    };

    // Values the store cannot hold are turned down before anything changes; texts
    // that are no numbers take the command's usual road below.
    int count = 0;
    int efl = 0;
    if (platform::tryStrToInt(countText, count)) {
        if (count > MicroChainCapacity)
            return shownFailure(services, Outcome::Refused, MicroCountTooLargeText);
        if (platform::tryStrToInt(eflText, efl)) {
            if (efl < 1 || efl > MicroChainMaxEfl)
                return shownFailure(services, Outcome::Refused, MicroEflOutOfRangeText);
            if (count > 0 && !possible(efl))
                return shownFailure(services, Outcome::Refused,
                                    MicroTargetUnmatchedText.arg(targetText));
        }
    }

    report.clear();
    try {
        count = platform::StrToInt(countText);
        store.MicroChainCount = count;
        efl = platform::StrToInt(eflText);
    } catch (const platform::ConversionError &error) {
        return shownFailure(services, Outcome::NotANumber, error.message());
    }
    const int length = efl + 2;

    report.append(QStringLiteral("Целевая Карта = ") + targetText + QStringLiteral(" | EFL = ") +
                  QString::number(efl));
    if (searching)
        report.append(MicroSearchMethodLine);
    const QDateTime start = services.now();

    MicroSearchResult result;
    MicroBuildStats testStats;
    MicroConstructStats searchStats;
    const auto attempts = [&] { return searching ? searchStats.attempts : testStats.attempts; };
    const auto goOn = [&](int built) {
        return !options.progress || options.progress(built, count, attempts());
    };
    bool stopped = false;
    if (count > 0) {
        std::unique_ptr<MicroChainConstructor> constructor;
        if (searching)
            constructor = std::make_unique<MicroChainConstructor>(targetText, efl);
        MicroBuildLimits limits;
        limits.keepTrying = [&] { return goOn(result.built); };
        limits.attemptLimit = options.maxAttempts;
        stopped = !goOn(0);
        for (int k = 1; k <= count && !stopped; ++k) {
            TTLKoloda chain;
            MicroChainHistory history;
            const bool built =
                searching ? constructor->build(random, chain, &history, limits, &searchStats)
                          : BuildMicroChain(OrderedDeck, random, targetText, efl, chain, &history,
                                            limits, &testStats);
            if (!built) {
                stopped = true;
                break;
            }
            store.MicroChains[k] = chain;
            result.histories.push_back(std::move(history));
            result.built = k;
            if (!goOn(k) && k < count)
                stopped = true;
        }
    }
    result.attempts = attempts();
    if (stopped) {
        store.MicroChainCount = result.built;
        result.outcome = Outcome::Stopped;
    }

    report.append(QStringLiteral(" EFL объём = ") + QString::number(efl));
    report.append(QStringLiteral(" EFL карта = ") + targetText);
    report.append(QString());
    report.append(headerLine(length));
    report.append(QString());
    for (int k = 1; k <= result.built; ++k)
        report.append(microChainLine(store.MicroChains[k], length, k));
    if (stopped)
        report.append(MicroSearchStoppedText.arg(result.built).arg(count));

    const QDateTime end = services.now();
    result.elapsedMs = std::abs(start.msecsTo(end));
    report.append(QString());
    for (const QString &line : startEndLines(start, end))
        report.append(line);
    report.append(elapsedLine(result.elapsedMs));
    return result;
}

QStringList microChainCards(const TTLKoloda &Chain)
{
    QStringList cards;
    for (int m = 1; m <= 36 && !isEmptyEntry(Chain.Cards[m]); ++m)
        cards.append(Chain.Cards[m].name());
    return cards;
}

QStringList microChainRoot(const TTLKoloda &Chain)
{
    int length = 0;
    while (length < 36 && !isEmptyEntry(Chain.Cards[length + 1]))
        ++length;
    CollapseRow row(Chain.Cards, length);
    row.collapse([](int) {});
    QStringList root;
    for (int j = 1; j <= row.count(); ++j)
        root.append(row.at(j).name());
    return root;
}

bool WriteMicroChainRoots(const MicroChainStore &store, const platform::Services &services,
                          ReportLog &report, const QString &eflText)
{
    // The EFL is only checked: the cards come from the records themselves.
    try {
        platform::StrToInt(eflText);
    } catch (const platform::ConversionError &error) {
        services.showMessage(error.message());
        return false;
    }
    const int last = std::min<int>(store.MicroChainCount, MicroChainCapacity);
    for (int k = 1; k <= last; ++k) {
        const QStringList cards = microChainCards(store.MicroChains[k]);
        const QString body = cards.isEmpty() ? MicroRootEmptyRecordText
                                             : cards.join(u' ') + QStringLiteral("  ->  ") +
                                                   microChainRoot(store.MicroChains[k]).join(u' ');
        report.append(body + QStringLiteral("  # ") + numberText(k) + u'.');
    }
    return true;
}
