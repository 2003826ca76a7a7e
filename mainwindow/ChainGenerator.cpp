#include "ChainGenerator.h"

#include "engine/Collapse.h"
#include "engine/Deck.h"
#include "engine/FastDeal.h"
#include "platform/LocaleFormats.h"

namespace {

void call(const std::function<void()> &hook)
{
    if (hook)
        hook();
}

} // namespace

bool FixedConditions::boxChecked(int box)
{
    switch (box) {
    case 1:
        return conditions_.maxTransits.has_value();
    case 2:
        return conditions_.minEfl.has_value();
    case 3:
        return conditions_.targetPosition.has_value();
    case 4:
        return conditions_.target.has_value();
    case 5:
        return conditions_.fullBalance;
    }
    return false;
}

int FixedConditions::listNumber(int list)
{
    switch (list) {
    case 1:
        return conditions_.maxTransits.value_or(0);
    case 2:
        return conditions_.minEfl.value_or(0);
    case 3:
        return conditions_.targetPosition.value_or(0);
    }
    return 0;
}

bool matchesCardPattern(const QString &v, const QString &t)
{
    const QString v1 = v.left(1), v2 = v.mid(1, 1);
    const QString t1 = t.left(1), t2 = t.mid(1, 1);
    if (v1 == u"?" && v2 == t2)
        return true;
    if (v2 == u"?" && v1 == t1)
        return true;
    return v == t;
}

bool fullBalancePossible(const TTLKoloda &chain)
{
    int perRank[10] = {};
    for (int k = 1; k <= 36; ++k) {
        const TKarta &card = chain.Cards[k];
        if (card.MobileCount != 0)
            ++perRank[rankIndex(card.Rank)];
    }
    int balanced = 0;
    for (int r = 1; r <= 9; ++r)
        balanced += perRank[r] == 2;
    return balanced >= 6;
}

bool candidatePasses(TTLKoloda &candidate, ConditionSource &conditions,
                     const GeneratorHooks &hooks)
{
    if (conditions.boxChecked(1)) {
        const int n = conditions.listNumber(1);
        const bool pass = candidate.TransitTotal <= n;
        call(hooks.processPendingEvents);
        if (!pass)
            return false;
    }

    // The depth search runs on every candidate, whether condition 2 asks for it
    // or not; once is enough, as its results depend on the candidate alone.
    QString name, efl;
    std::uint8_t index = 0;
    const int deepest = findDeepestCardsOf(candidate, name, index, efl);
    // MaxDepth tells the EFL of the last candidate whose targets were sought: an
    // unreadable item of condition 2 ends the run before that.
    const auto soughtTargets = [&] {
        if (hooks.maxDepth)
            *hooks.maxDepth = deepest;
    };
    if (conditions.boxChecked(2)) {
        const int n = conditions.listNumber(2);
        soughtTargets();
        const bool pass = n <= deepest;
        call(hooks.processPendingEvents);
        if (!pass)
            return false;
    }
    soughtTargets();

    if (conditions.boxChecked(3)) {
        const int n = conditions.listNumber(3);
        const bool pass = n >= 1 && n <= 36 && candidate.Cards[n].Depth == deepest;
        if (!pass) {
            call(hooks.processPendingEvents);
            return false;
        }
    }

    call(hooks.repaint);

    if (conditions.boxChecked(4)) {
        bool pass = false;
        for (int k = 1; k <= candidate.ExtremeCount && !pass; ++k)
            pass = matchesCardPattern(conditions.targetPattern(), candidate.ExtremeNames[k]);
        if (!pass) {
            call(hooks.processPendingEvents);
            return false;
        }
    }

    if (conditions.boxChecked(5)) {
        const bool pass = fullBalancePossible(candidate);
        call(hooks.processPendingEvents);
        if (!pass)
            return false;
    }
    return true;
}

SearchResult searchChain(RandomSource &random, ConditionSource &conditions,
                         const GeneratorHooks &hooks, std::uint32_t &tried)
{
    SearchResult result;
    fastdeal::Deal deal;
    fastdeal::Metrics metrics;
    for (;;) {
        if (hooks.stopRequested && hooks.stopRequested()) {
            result.end = SearchEnd::Stopped;
            return result;
        }
        // The hot loop: deal and count on bytes; a record is built only for a
        // chain that collapses to two cards. The count is kept in a local, which
        // the byte stores of the deal cannot alias, and handed back after.
        std::uint32_t dealt = tried;
        do {
            fastdeal::dealRandom(random, deal);
            ++dealt;
        } while (fastdeal::countCollapse(deal) != 2);
        tried = dealt;

        // Collapsed with its metrics on the bytes too; the record gets the letters
        // and the results at once.
        TTLKoloda &candidate = result.chain;
        fastdeal::collapseWithMetrics(deal, metrics);
        fastdeal::toAnalysedRecord(deal, metrics, candidate);
        if (candidatePasses(candidate, conditions, hooks)) {
            result.end = SearchEnd::Found;
            result.text = fastdeal::toText(deal);
            return result;
        }
    }
}

QStringList startEndLines(const QDateTime &start, const QDateTime &end)
{
    return {QStringLiteral("Генерировать Начали в     = ") + platform::dateTimeText(start),
            QStringLiteral("Генерировать Закончили в  = ") + platform::dateTimeText(end)};
}

QStringList generatorTimeLines(const QDateTime &start, const QDateTime &end)
{
    const qint64 ms = start.msecsTo(end);
    const qint64 hours = ms / 3600000;
    const qint64 minutes = ms / 60000 - 60 * hours;
    const qint64 seconds = ms / 1000 - 60 * (ms / 60000);
    return startEndLines(start, end) << QStringLiteral("Времени ушло = %1 часов, %2 минут, %3 секунд.")
                                            .arg(hours)
                                            .arg(minutes)
                                            .arg(seconds);
}
