// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../TestSupport.h"
#include "engine/Cards.h"
#include "engine/ChainState.h"
#include "engine/Deck.h"
#include "platform/LocaleFormats.h"
#include "platform/ReportLog.h"
#include "platform/Services.h"
#include "search/MicroChainSearch.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(QChar letter, std::ostream *out)
{
    *out << '\'' << QString(letter).toStdString() << '\'';
}

// Two card names agree when their rank letters or their suit letters are equal;
// written out here on the names so that the tests do not lean on the code under test.
inline bool namesAgree(const QString &a, const QString &b)
{
    return a.at(0) == b.at(0) || a.at(1) == b.at(1);
}

// A record holding the given cards in entries 1 on, everything else empty.
inline TTLKoloda recordOf(const QStringList &names)
{
    TTLKoloda chain;
    for (int m = 1; m <= names.size(); ++m) {
        chain.Cards[m].Rank = names[m - 1].left(1);
        chain.Cards[m].Suit = names[m - 1].mid(1, 1);
    }
    return chain;
}

// A clock that hands out the given instants one after the other (the last one
// again once they are used up), installed on services for the lifetime of the guard.
class ScriptedClock
{
public:
    ScriptedClock(platform::Services &services, QList<QDateTime> instants)
        : services_(services), instants_(std::move(instants))
    {
        previous_ = services_.setClock([this] {
            const QDateTime when = instants_.at(next_);
            if (next_ + 1 < instants_.size())
                ++next_;
            return when;
        });
    }
    ~ScriptedClock() { services_.setClock(previous_); }
    ScriptedClock(const ScriptedClock &) = delete;
    ScriptedClock &operator=(const ScriptedClock &) = delete;

private:
    platform::Services &services_;
    QList<QDateTime> instants_;
    qsizetype next_ = 0;
    platform::Clock previous_;
};

inline const QDateTime SearchStart(QDate(2024, 3, 5), QTime(14, 7, 9, 250));

// An empty micro-chain store, the ordered deck, and services with a seeded random
// source, for every test of the search and the roots.
class MicroStoreTest : public ::testing::Test
{
protected:
    explicit MicroStoreTest(std::uint64_t seed) : services(seed) {}

    MicroSearchResult search(const QString &count, const QString &efl, const QString &target,
                             const MicroSearchOptions &options = {})
    {
        return SearchMicroChains(store, chains.OrderedDeck, services, report, count, efl, target,
                                 options);
    }

    // The options of a search whose progress callback is told built and total.
    static MicroSearchOptions withProgress(const std::function<bool(int, int)> &progress)
    {
        MicroSearchOptions options;
        options.progress = [progress](int built, int total, std::int64_t) {
            return progress(built, total);
        };
        return options;
    }

    TestServices services;
    ChainState chains;
    // The store is large (500 chain records): on the heap, not in the fixture.
    std::unique_ptr<MicroChainStore> storage = std::make_unique<MicroChainStore>();
    MicroChainStore &store = *storage;
    ReportLog report;
};

// Replays how a micro-chain was laid, on the names alone: (first, second,
// target), then each growth step's card put at entry r with the cards from r on
// moved one place right. Every step is checked as the construction allows it
// (r from 1 to the cards so far less one, a card of the deck not used yet that
// agrees with the card then two places to its right); the first problem met is
// written to *problem and an empty list returned.
inline QStringList replayMicroChain(const QString &target, const MicroChainHistory &history,
                                    QString *problem)
{
    const QStringList deck = orderedDeckText().split(u' ', Qt::SkipEmptyParts);
    QStringList row{history.first, history.second, target};
    const auto unusable = [&](const QString &card) {
        return !deck.contains(card) || card == target || row.count(card) > 1;
    };
    if (unusable(history.first) || unusable(history.second) || history.first == history.second) {
        *problem = QStringLiteral("first or second card not a fresh card of the deck");
        return {};
    }
    if (!namesAgree(history.first, target)) {
        *problem = QStringLiteral("first card does not agree with the target");
        return {};
    }
    for (const MicroGrowthStep &step : history.growth) {
        if (step.r < 1 || step.r > row.size() - 1) {
            *problem = QStringLiteral("r = %1 with %2 cards").arg(step.r).arg(row.size());
            return {};
        }
        if (!deck.contains(step.card) || step.card == target || row.contains(step.card)) {
            *problem = QStringLiteral("%1 is not a fresh card of the deck").arg(step.card);
            return {};
        }
        row.insert(step.r - 1, step.card);
        if (!namesAgree(step.card, row[step.r + 1])) {
            *problem = QStringLiteral("%1 at %2 does not agree with %3")
                           .arg(step.card)
                           .arg(step.r)
                           .arg(row[step.r + 1]);
            return {};
        }
    }
    return row;
}

// The test every micro-chain must pass: no card agrees with the card two places
// to its right, except the one two places before the target.
inline bool collapsesOnlyAtTheTarget(const QStringList &cards)
{
    for (int j = 0; j + 2 < cards.size() - 1; ++j)
        if (namesAgree(cards[j], cards[j + 2]))
            return false;
    return cards.size() < 3 || namesAgree(cards[cards.size() - 3], cards.back());
}
