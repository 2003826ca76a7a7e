#pragma once

#include "engine/Cards.h"
#include "engine/RandomSource.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

// The count of chains dealt in the current or the last generator run.
extern std::uint32_t TriedVariants;

// Where a run reads its five conditions. Each test reads them afresh, so a box
// ticked or an item picked while the run processes events applies to the next
// test that reads it.
class ConditionSource
{
public:
    virtual ~ConditionSource() = default;
    virtual bool boxChecked(int box) = 0;  // 1..5
    virtual QString listItem(int list) = 0; // 1..4: the selected item, "" when none
};

// The points where a window run lets the window live. Empty hooks do nothing.
struct GeneratorHooks
{
    std::function<bool()> stopRequested;         // polled before every deal
    std::function<void()> processPendingEvents;  // after the tests that allow it
    std::function<void()> repaint;               // once per candidate before condition 4
    bool setsMaxDepth = true;                    // off the window's thread: leave MaxDepth
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
