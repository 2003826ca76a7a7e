// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MicroChainConstruct.h"
#include "engine/Cards.h"
#include "platform/RandomSource.h"
#include "platform/ReportLog.h"
#include "platform/Services.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

// Micro-chains ("МикроЦС"): short random chains of e + 2 cards that end in a
// chosen target. Each is a two-card remainder with e collapse steps undone, kept
// only when none of its cards agrees with the card two places to its right except
// the one two places before the target, so that laying the target starts a
// collapse. Two cards agree when their Rank texts or their Suit texts are equal; a
// pattern target ("?п", "Т?") stands in the chain as written, and its "?" equals
// no real letter.

// One chain record has 36 entries and the store holds 500 records, so these are
// the largest count and EFL a search accepts.
inline constexpr int MicroChainCapacity = 500;
inline constexpr int MicroChainMaxEfl = 34;

// The micro-chains' part of the program state.
struct MicroChainStore
{
    // Record k (1 to 500) holds the k-th micro-chain of the latest search: entries
    // 1 to e + 2 carry the letters, the target last; everything else is empty.
    // Records above the latest count keep what an earlier search left there.
    OneBased<TTLKoloda, MicroChainCapacity> MicroChains;
    // The count of the latest search, stored before its micro-chains are built (so
    // it holds the new count even when the EFL text then turns out not to be a
    // number); after a stopped search, the number actually built.
    std::int32_t MicroChainCount = 0;
};

// Our messages for values the store cannot hold, and the line a stopped search
// writes after the micro-chains it built ("%1" built of "%2" asked).
inline const QString MicroCountTooLargeText =
    QStringLiteral("Можно построить не больше 500 МикроЦС за один поиск.");
inline const QString MicroEflOutOfRangeText =
    QStringLiteral("EFL для МикроЦС должен быть от 1 до 34.");
inline const QString MicroTargetUnmatchedText =
    QStringLiteral("Целевая карта «%1» не совпадает ни с одной картой колоды.");
inline const QString MicroSearchStoppedText =
    QStringLiteral("Поиск МикроЦС остановлен: построено %1 из %2.");
// What the roots command shows for a stored record that holds no micro-chain.
inline const QString MicroRootEmptyRecordText = QStringLiteral("(пусто)");

// How one micro-chain came about; for tests and curious callers.
struct MicroBuildStats
{
    std::int64_t attempts = 0;
    std::int64_t noFittingCard = 0; // a draw found no card left that agrees: attempt abandoned
    std::int64_t collapsing = 0;    // the finished chain collapses before its target: thrown away
};

// Failed attempts between two questions to the keep-trying callback (and between
// two progress calls of the search), so that a search that keeps failing can be
// stopped without paying for a question on every cheap attempt.
inline constexpr int MicroAttemptsPerCheck = 1024;

// Builds one micro-chain of Efl + 2 cards ending in Target from a fresh copy of
// OrderedDeck by generate-and-test, drawing from random. Attempts repeat until
// one is accepted; a draw that meets no fitting card left abandons the attempt.
// Every MicroAttemptsPerCheck failed attempts limits.keepTrying (when given) is
// asked whether to go on, and no attempt starts once stats->attempts has reached
// limits.attemptLimit (when above 0). Returns true with Chain emptied and then
// holding the micro-chain, and *history (when given) how it was laid; false,
// Chain and *history unchanged, when a limit ended it, Efl lies outside 1 to 34,
// or no card of the deck agrees with the target (no attempt could ever succeed).
// The attempts are added to *stats when it is given.
bool BuildMicroChain(const TTLKoloda &OrderedDeck, RandomSource &random, const QString &Target,
                     std::int32_t Efl, TTLKoloda &Chain, MicroChainHistory *history = nullptr,
                     const MicroBuildLimits &limits = {}, MicroBuildStats *stats = nullptr);

// How micro-chains are found. Generate-and-test is the command's own method:
// every attempt is drawn in full and thrown away when it collapses before its
// target, and acceptance falls about fourfold with each EFL step, so from e = 12
// on a micro-chain takes seconds and from e = 16 practically never comes. The
// search (MicroChainConstructor) walks the same construction as a pruned
// randomized search with restarts and finds one at any EFL to 34 in
// milliseconds, its results weighted towards generate-and-test's distribution.
enum class MicroMethod
{
    GenerateAndTest,
    Search,
};

// Generate-and-test while it is quick, the search from this EFL on.
inline constexpr int MicroSearchFromEfl = 12;
inline MicroMethod defaultMicroMethod(int efl)
{
    return efl >= MicroSearchFromEfl ? MicroMethod::Search : MicroMethod::GenerateAndTest;
}

// The report line that follows the target line when the search was used.
inline const QString MicroSearchMethodLine = QStringLiteral(" Метод: поиск с возвратом");

struct MicroSearchResult
{
    enum class Outcome
    {
        Finished,
        Stopped,    // the progress callback said no
        Refused,    // count or EFL beyond the store, or an impossible target; nothing changed
        NotANumber, // the count or EFL text was not a whole number
    };
    Outcome outcome = Outcome::Finished;
    int built = 0;
    std::int64_t elapsedMs = 0;
    QString message; // the message shown for Refused and NotANumber
    // Attempts over the whole search: generate-and-test's attempts, or the
    // search's descents (one per candidate and one more per restart).
    std::int64_t attempts = 0;
    // How each micro-chain built was laid: element k - 1 for record k.
    std::vector<MicroChainHistory> histories;
};

struct MicroSearchOptions
{
    MicroMethod method = MicroMethod::GenerateAndTest;
    // Attempts over the whole search, 0 for no bound; reaching it stops the
    // search as the progress callback can.
    std::int64_t maxAttempts = 0;
    // Called with (0, total) before the first micro-chain, (built, total) after
    // each one, and again with the current built count every MicroChoicesPerCheck
    // choices, with the attempts made so far; the window keeps itself responsive
    // and shows progress there. Answering false stops the search; the answer after
    // the last micro-chain is ignored.
    std::function<bool(int built, int total, std::int64_t attempts)> progress;
};

// The micro-chain search of the "МикроЦС" command without its window. countText
// is Edit2's text, eflText the selected item of ComboBox2, targetText the
// selected item of ComboBox4. Refused values are turned down first, with one of
// the messages above and nothing changed. Otherwise the report is cleared, the
// count converted and stored in MicroChainCount, the EFL converted (a text that is
// no whole number ends the command with the platform's conversion message; what
// was done stays done), and then the report gets:
//   "Целевая Карта = Тч | EFL = 2"
//   " EFL объём = 2", " EFL карта = Тч", "", "01 02 03 04   № ЦС", ""
//   "Тб 7ч 6п Тч   # 001."           one line per micro-chain
//   [the stopped line]                only when the search was stopped
//   "", "Генерировать Начали в     = …", "Генерировать Закончили в  = …",
//   "Времени ушло = 0 часов, 0 минут, 0 секунд, 12 миллисекунд"
// A count of 0 or below builds nothing. Messages, the clock and the random source
// come from services; the micro-chains and the count go to store. With the search
// method the line MicroSearchMethodLine follows the target line; everything else
// reads the same for both methods.
MicroSearchResult SearchMicroChains(MicroChainStore &store, const TTLKoloda &OrderedDeck,
                                    platform::Services &services, ReportLog &report,
                                    const QString &countText, const QString &eflText,
                                    const QString &targetText,
                                    const MicroSearchOptions &options = {});

// The cards of a stored micro-chain: the names of entries 1 on, up to the first
// empty entry.
QStringList microChainCards(const TTLKoloda &Chain);

// What is left of a stored micro-chain after the collapse: the leftmost card that
// agrees with the card two places to its right leaves, the scan starts again from
// the left, until no such card is left or two cards remain.
QStringList microChainRoot(const TTLKoloda &Chain);

// "Корни ЦС" without its window: eflText (ComboBox2's selected item) is converted
// first, as the command always did, and a text that is no whole number ends it
// with the conversion message (false). Then for each stored micro-chain 1 to
// MicroChainCount one line is appended to the report, the cards, then the root,
// then the number as in the micro-chain lines:
//   "Тб 7ч 6п Тч  ->  6п Тч  # 001."
// The cards are read from the record itself, so a root never mixes the lengths of
// two searches; a record that holds no micro-chain shows MicroRootEmptyRecordText.
bool WriteMicroChainRoots(const MicroChainStore &store, const platform::Services &services,
                          ReportLog &report, const QString &eflText);
