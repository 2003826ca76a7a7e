#pragma once

#include "engine/Cards.h"
#include "platform/RandomSource.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

// The generator's part of the program state.
struct GeneratorState
{
    bool StopRequested = false;     // set by "Выход" and by closing the main window
    std::uint32_t TriedVariants = 0; // chains dealt in the current or the last run
};

// Where a run reads its five conditions. Each test reads them afresh, so a box
// ticked or an item picked while the run processes events applies to the next
// test that reads it.
class ConditionSource
{
public:
    virtual ~ConditionSource() = default;
    virtual bool boxChecked(int box) = 0; // 1..5
    // The number of list 1..3 (transits, EFL, target position). A window reads
    // its list here and throws platform::ConversionError when the item is no
    // whole number.
    virtual int listNumber(int list) = 0;
    // The card pattern of condition 4: a card, "?" + suit or rank + "?"; empty
    // when nothing is selected, which matches no card.
    virtual QString targetPattern() = 0;
};

// Conditions fixed for the whole run, as the command line and the benchmarks
// give them: an absent value is an unticked box.
struct GeneratorConditions
{
    std::optional<int> maxTransits;
    std::optional<int> minEfl;
    std::optional<int> targetPosition;
    std::optional<QString> target;
    bool fullBalance = false;
};

class FixedConditions : public ConditionSource
{
public:
    explicit FixedConditions(GeneratorConditions conditions) : conditions_(std::move(conditions))
    {
    }
    bool boxChecked(int box) override;
    int listNumber(int list) override;
    QString targetPattern() override { return conditions_.target.value_or(QString()); }

private:
    GeneratorConditions conditions_;
};

// The points where a window run lets the window live. Empty hooks do nothing.
struct GeneratorHooks
{
    std::function<bool()> stopRequested;        // polled before every deal
    std::function<void()> processPendingEvents; // after the tests that allow it
    std::function<void()> repaint;              // once per candidate before condition 4
    // Gets the EFL of every candidate whose targets were sought (the window's
    // MaxDepth); none leaves it alone.
    std::int32_t *maxDepth = nullptr;
};

// v matches the name t when v is "?" plus t's suit, t's rank plus "?", or t.
bool matchesCardPattern(const QString &v, const QString &t);

// Full balancing: at least six of the nine ranks have exactly two moved cards.
bool fullBalancePossible(const TTLKoloda &chain);

// The five tests on an analysed candidate (collapsed to two cards, metrics
// written), in their order, with their points for pending events. Calls the
// depth search on the candidate in every case. Throws platform::ConversionError
// when a ticked condition's item is not a whole number.
bool candidatePasses(TTLKoloda &candidate, ConditionSource &conditions,
                     const GeneratorHooks &hooks);

enum class SearchEnd { Found, Stopped };

struct SearchResult
{
    SearchEnd end = SearchEnd::Stopped;
    TTLKoloda chain; // the found chain, analysed, with its target cards
    QString text;    // its cards joined by single blanks
};

// Deals on the fast path until a chain collapses to two cards, tests it, and
// goes on until one passes or the stop hook says so. Every deal adds one to
// tried. Throws platform::ConversionError as candidatePasses does.
SearchResult searchChain(RandomSource &random, ConditionSource &conditions,
                         const GeneratorHooks &hooks, std::uint32_t &tried);

// The lines of a timed command that say when it began and when it ended.
QStringList startEndLines(const QDateTime &start, const QDateTime &end);

// The three time lines of a generator run: began, ended, and the whole hours,
// minutes and seconds it took.
QStringList generatorTimeLines(const QDateTime &start, const QDateTime &end);
