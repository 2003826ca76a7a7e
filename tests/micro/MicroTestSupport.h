#pragma once

#include "../TestSupport.h"
#include "engine/Cards.h"
#include "engine/ChainState.h"
#include "engine/Deck.h"
#include "mainwindow/MicroChainSearch.h"
#include "platform/ReportLog.h"
#include "platform/LocaleFormats.h"
#include "platform/Services.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

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
                             const MicroProgress &progress = {})
    {
        return SearchMicroChains(store, chains.OrderedDeck, services, report, count, efl, target,
                                 progress);
    }

    TestServices services;
    ChainState chains;
    MicroChainStore store;
    ReportLog report;
};
