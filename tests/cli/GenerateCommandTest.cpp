// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/GenerateCommand.h"
#include "../TestSupport.h"
#include "engine/ChainReader.h"
#include "engine/Collapse.h"

#include <gtest/gtest.h>

namespace {

struct Found
{
    QStringList texts;
    std::vector<std::uint64_t> tried;
    GenerateSummary summary;
};

Found generate(GenerateOptions options)
{
    Found found;
    found.summary = generateChains(options, [&](const GeneratedChain &chain) {
        found.texts << chain.text;
        found.tried.push_back(chain.tried);
        return true;
    });
    return found;
}

GenerateOptions eflAtLeast(int efl, int count, int threads)
{
    GenerateOptions options;
    options.conditions.minEfl = efl;
    options.count = count;
    options.threads = threads;
    options.seed = 2026;
    return options;
}

} // namespace

TEST(GenerateChains, ASeedFindsTheSameChainsAfterTheSameDealsOnOneTwoAndThreeThreads)
{
    const Found one = generate(eflAtLeast(10, 4, 1));
    ASSERT_EQ(one.texts.size(), 4);
    EXPECT_EQ(one.summary.end, GenerateEnd::Found);
    std::uint64_t total = 0;
    for (std::uint64_t tried : one.tried)
        total += tried;
    EXPECT_EQ(one.summary.tried, total); // counts are exact, from deal 1 on
    for (int threads : {2, 3}) {
        const Found other = generate(eflAtLeast(10, 4, threads));
        EXPECT_EQ(other.texts, one.texts) << threads << " threads";
        EXPECT_EQ(other.tried, one.tried) << threads << " threads";
    }
    for (const QString &text : one.texts) {
        TTLKoloda chain;
        ReadChain(text, chain);
        EXPECT_EQ(CountCollapse(chain), 2);
        AnalyseChain(chain);
        int efl = 0;
        for (int n = 1; n <= 36; ++n)
            efl = std::max(efl, chain.Cards[n].Depth);
        EXPECT_GE(efl, 10) << text.toStdString();
    }
}

// Known answers: `generate --seed 1` promises these chains after these numbers of
// deals, on any number of threads, in every version.
TEST(GenerateChains, SeedOneFindsItsKnownChainsAfterItsKnownDeals)
{
    GenerateOptions options;
    options.seed = 1;
    options.count = 3;
    options.threads = 2;
    const Found found = generate(options);
    EXPECT_EQ(
        found.texts,
        (QStringList{QStringLiteral("Тк 9б 6ч Вп 6б Xч 9п 7п Кч Тч Вб 8к Дк Тп Дб Дч 8п 7ч "
                                    "Кк Кб Xп Дп Кп 8б 6п 9к 9ч 6к Xб 8ч Тб Xк Вк 7б Вч 7к"),
                     QStringLiteral("Тп 8б 7б Xп Вб Дк Кб 7п Дб Xк Кк 9ч 7к 8к 9б 6б Кч 6к "
                                    "Xб 7ч 9п 9к Кп Тб 6п Вк 6ч 8п Тк Дч Вч Дп Тч Xч Вп 8ч"),
                     QStringLiteral("Дч 7п 8к 9к Xб 8п 7к 7б 9ч 8б Дк 8ч Дп Тк 6к Xп 6б Кб "
                                    "Xк Кк Вч Тб Xч Кч Дб Тп 9б Кп 9п Вк 6ч 6п Тч Вп 7ч Вб")}));
    EXPECT_EQ(found.tried, (std::vector<std::uint64_t>{298, 256, 170}));
    EXPECT_EQ(found.summary.tried, 298u + 256u + 170u);
}

TEST(GenerateChains, ADealLimitEndsTheRunWithTheChainsFoundBeforeIt)
{
    const Found unlimited = generate(eflAtLeast(10, 4, 2));
    ASSERT_EQ(unlimited.texts.size(), 4);
    // A limit just after the second chain's deal keeps exactly the first two.
    GenerateOptions options = eflAtLeast(10, 4, 2);
    options.maxTries = unlimited.tried[0] + unlimited.tried[1];
    const Found limited = generate(options);
    EXPECT_EQ(limited.summary.end, GenerateEnd::Limited);
    EXPECT_EQ(limited.texts, unlimited.texts.mid(0, 2));
    EXPECT_EQ(limited.summary.tried, *options.maxTries);
}

TEST(GenerateChains, AFoundCallbackThatSaysNoEndsTheRun)
{
    int calls = 0;
    const GenerateSummary summary =
        generateChains(eflAtLeast(1, 5, 2), [&](const GeneratedChain &) { return ++calls < 2; });
    EXPECT_EQ(summary.end, GenerateEnd::Stopped);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(summary.found, 2);
}
