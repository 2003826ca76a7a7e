// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/ConditionEstimate.h"
#include "../TestSupport.h"
#include "platform/IntConvert.h"
#include "search/ChainStatistics.h"
#include "search/ConditionEstimator.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include <limits>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

constexpr std::uint64_t Seed = 77;

// Limits that end a sample by its counts alone, so that it repeats.
EstimateLimits countLimits(std::uint64_t enough, std::uint64_t maxDeals = 1'000'000'000)
{
    EstimateLimits limits;
    limits.enoughPassed = enough;
    limits.maxDeals = maxDeals;
    limits.budget = std::chrono::minutes(10);
    return limits;
}

class RussianLocale : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

} // namespace

struct ByteConditionCase
{
    const char *name;
    GeneratorConditions conditions;
};

class FixedConditionTests : public ::testing::TestWithParam<ByteConditionCase>
{
};

TEST_P(FixedConditionTests, PassExactlyTheCandidatesTheGeneratorTakes)
{
    const GeneratorConditions &conditions = GetParam().conditions;
    lanedeal::ParallelDealer dealer(Seed, 0);
    int tested = 0, passed = 0;
    while (tested < 2500) {
        const std::optional<lanedeal::BlockResult> block = dealer.next(60s);
        ASSERT_TRUE(block);
        for (const lanedeal::SolvedDeal &solved : block->solved) {
            FixedConditions source(conditions);
            const bool expected = candidatePasses(solved, source, GeneratorHooks{});
            ASSERT_EQ(FixedConditionTest(conditions).passes(solved), expected)
                << fastdeal::toText(solved.deal).toStdString();
            ++tested;
            passed += expected;
        }
    }
    RecordProperty("passed", passed);
}

namespace {

GeneratorConditions make(std::optional<int> maxTransits, std::optional<int> minEfl,
                         std::optional<int> position, std::optional<QString> target,
                         bool fullBalance = false)
{
    std::optional<TargetPattern> pattern;
    if (target)
        pattern.emplace(*target);
    return GeneratorConditions{maxTransits, minEfl, position, pattern, fullBalance};
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Conditions, FixedConditionTests,
    ::testing::Values(
        ByteConditionCase{"None", {}}, ByteConditionCase{"FewTransits", make(12, {}, {}, {})},
        ByteConditionCase{"OneTransit", make(1, {}, {}, {})},
        ByteConditionCase{"DeepEfl", make({}, 10, {}, {})},
        ByteConditionCase{"EflBeyondReach", make({}, 35, {}, {})},
        ByteConditionCase{"LastPosition", make({}, {}, 36, {})},
        ByteConditionCase{"MiddlePosition", make({}, {}, 20, {})},
        ByteConditionCase{"PositionZero", make({}, {}, 0, {})},
        ByteConditionCase{"PositionOutside", make({}, {}, 37, {})},
        ByteConditionCase{"SuitPattern", make({}, {}, {}, QStringLiteral("?п"))},
        ByteConditionCase{"RankPattern", make({}, {}, {}, QStringLiteral("Т?"))},
        ByteConditionCase{"Card", make({}, {}, {}, QStringLiteral("Кч"))},
        ByteConditionCase{"Placeholder", make({}, {}, {}, QStringLiteral("Выбери"))},
        ByteConditionCase{"NothingSelected", make({}, {}, {}, QString())},
        ByteConditionCase{"TwoQuestionMarks", make({}, {}, {}, QStringLiteral("??"))},
        ByteConditionCase{"PatternWithATail", make({}, {}, {}, QStringLiteral("?бx"))},
        ByteConditionCase{"FullBalance", make({}, {}, {}, {}, true)},
        ByteConditionCase{"AllTogether", make(14, 7, {}, QStringLiteral("?ч"), true)}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(ConditionSnapshot, ReadsTheTickedConditionsOrNothingForAnUnreadableList)
{
    const GeneratorConditions all = make(20, 5, 36, QStringLiteral("Т?"), true);
    FixedConditions fixed(all);
    const std::optional<GeneratorConditions> read = readConditions(fixed);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, all);
    EXPECT_NE(*read, make(20, 5, 36, QStringLiteral("Т?"), false));

    class Unreadable : public ConditionSource
    {
    public:
        bool boxChecked(int box) override { return box == 2; }
        int listNumber(int) override { return platform::StrToInt(QStringLiteral("Выбери")); }
        TargetPattern targetPattern() override { return {}; }
    } unreadable;
    EXPECT_FALSE(readConditions(unreadable));
}

TEST(Estimate, WithoutConditionsIsTheShareThatCollapsesToTwo)
{
    const ConditionEstimate estimate = estimateConditions({}, Seed, 2, countLimits(3000));
    EXPECT_EQ(estimate.end, ConditionEstimate::End::Enough);
    EXPECT_GE(estimate.passed, 3000u);
    EXPECT_GT(estimate.seconds, 0);
    EXPECT_DOUBLE_EQ(estimate.dealsPerSecond(), double(estimate.dealt) / estimate.seconds);
    // About 0.77 % of all deals; 3000 of them pin the share to about ±4 %.
    EXPECT_NEAR(estimate.chance(), 0.0077, 0.0007);
    EXPECT_LE(estimate.lowerBound(), estimate.chance());
    EXPECT_GE(estimate.upperBound(), estimate.chance());
    EXPECT_NEAR(estimate.upperBound() - estimate.chance(),
                1.96 * estimate.chance() / std::sqrt(3000.0), estimate.chance() * 0.01);
    // The sample is the run's first deals: the statistics of as many deals agree.
    EXPECT_EQ(estimate.passed, collectStatistics(Seed, estimate.dealt, 1).solved);
}

TEST(Estimate, CountsTheSameDealsOnAnyNumberOfThreads)
{
    const GeneratorConditions deep = make({}, 16, {}, {});
    const ConditionEstimate one = estimateConditions(deep, Seed, 1, countLimits(40));
    const ConditionEstimate two = estimateConditions(deep, Seed, 2, countLimits(40));
    const ConditionEstimate inlineDealt = estimateConditions(deep, Seed, 0, countLimits(40));
    EXPECT_EQ(one.end, ConditionEstimate::End::Enough);
    EXPECT_EQ(one.dealt, two.dealt);
    EXPECT_EQ(one.passed, two.passed);
    EXPECT_EQ(one.dealt, inlineDealt.dealt);
    EXPECT_EQ(one.passed, inlineDealt.passed);
    // EFL 16 or more: what the statistics of the same deals count.
    const DealStatistics statistics = collectStatistics(Seed, one.dealt, 2);
    std::uint64_t deepOnes = 0;
    for (std::size_t e = 16; e < statistics.efl.size(); ++e)
        deepOnes += statistics.efl[e];
    EXPECT_EQ(one.passed, deepOnes);
}

TEST(Estimate, ConditionsNoChainMeetsEndAtTheCapWithNone)
{
    const ConditionEstimate estimate =
        estimateConditions(make({}, 35, {}, {}), Seed, 2, countLimits(30, 200 * 1024));
    EXPECT_EQ(estimate.end, ConditionEstimate::End::MaxDeals);
    EXPECT_EQ(estimate.dealt, 200u * 1024);
    EXPECT_EQ(estimate.passed, 0u);
    EXPECT_DOUBLE_EQ(estimate.upperBound(), 3.0 / (200 * 1024));
}

TEST(Estimate, ACancelEndsItAtOnce)
{
    const ConditionEstimate estimate =
        estimateConditions({}, Seed, 2, countLimits(30), [] { return true; });
    EXPECT_EQ(estimate.end, ConditionEstimate::End::Cancelled);
    EXPECT_EQ(estimate.dealt, 0u);
    EXPECT_EQ(estimateText(estimate, 1e6), QStringLiteral("шанс ещё не оценён"));
}

struct TextCase
{
    const char *name;
    std::uint64_t passed;
    std::uint64_t dealt;
    double rate;
    const char *text;
    const char *locale = "ru_RU"; // its decimal separator is the text's
};

class EstimateTexts : public ::testing::TestWithParam<TextCase>
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QString::fromLatin1(GetParam().locale))); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_P(EstimateTexts, SayTheChanceAndTheTime)
{
    ConditionEstimate estimate;
    estimate.passed = GetParam().passed;
    estimate.dealt = GetParam().dealt;
    estimate.end = ConditionEstimate::End::Enough;
    EXPECT_EQ(estimateText(estimate, GetParam().rate), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EstimateTexts,
    ::testing::Values(
        TextCase{"OneSecond", 100, 230'000'000, 2.3e6, "≈ 1 из 2,3 млн, ≈ 1 с"},
        TextCase{"WithoutARate", 100, 230'000'000, 0, "≈ 1 из 2,3 млн"},
        TextCase{"AtOnce", 100, 13'000, 3e7, "≈ 1 из 130, меньше 0,1 с"},
        TextCase{"Thousands", 200, 1'300'000, 3e3, "≈ 1 из 6,5 тыс, ≈ 2,2 с"},
        TextCase{"Minutes", 100, 2'333'333'333, 1e4, "≈ 1 из 23 млн, ≈ 39 мин"},
        TextCase{"Hours", 50, 5'000'000'000, 1e4, "≈ 1 из 100 млн, ≈ 2,8 ч"},
        TextCase{"Days", 40, 4'000'000'000'000, 1e5, "≈ 1 из 100 млрд, ≈ 12 дн"},
        TextCase{"FewFound", 12, 28'000'000, 1e4, "≈ 1 из 2,3 млн, ≈ 3,9 мин (по 12 в 28 млн)"},
        TextCase{"NoneFound", 0, 100'000'000, 3e7,
                 "ни одной в 100 млн — реже 1 из 33 млн, дольше 1,1 с"},
        TextCase{"NoneFoundWithoutARate", 0, 204'800, 0, "ни одной в 200 тыс — реже 1 из 68 тыс"},
        TextCase{"EnglishDecimalPoint", 100, 230'000'000, 1e6, "≈ 1 из 2.3 млн, ≈ 2.3 с", "en_US"}),
    [](const auto &test) { return std::string(test.param.name); });

struct AmountCase
{
    const char *name;
    double value;
    const char *amount;
    const char *duration;
};

class AmountTexts : public RussianLocale, public ::testing::WithParamInterface<AmountCase>
{
};

TEST_P(AmountTexts, KeepTwoDigitsInTheLargestUnitReached)
{
    EXPECT_EQ(amountText(GetParam().value), QString::fromUtf8(GetParam().amount));
    EXPECT_EQ(durationText(GetParam().value), QString::fromUtf8(GetParam().duration));
}

INSTANTIATE_TEST_SUITE_P(Values, AmountTexts,
                         ::testing::Values(AmountCase{"Quarter", 0.25, "0,25", "0,25 с"},
                                           AmountCase{"OneAndAHalf", 1.5, "1,5", "1,5 с"},
                                           AmountCase{"RoundsUpToTen", 9.96, "10", "10 с"},
                                           AmountCase{"Minute", 59.9, "60", "1 мин"},
                                           AmountCase{"Hundreds", 129.87, "130", "2,2 мин"},
                                           AmountCase{"Thousands", 2345, "2,3 тыс", "39 мин"},
                                           AmountCase{"UpToTheNextUnit", 999'600, "1 млн", "12 дн"},
                                           AmountCase{"Millions", 45'000'000, "45 млн", "520 дн"},
                                           AmountCase{"BeyondMilliards", 1.3e12, "1 300 млрд",
                                                      "15 000 000 дн"}),
                         [](const auto &test) { return std::string(test.param.name); });

class Estimator : public ::testing::Test
{
protected:
    static ConditionEstimator::Options options()
    {
        ConditionEstimator::Options o;
        o.limits = countLimits(100, 100'000'000);
        o.threads = 2;
        o.settle = 10ms;
        o.seed = Seed;
        return o;
    }
};

TEST_F(Estimator, TellsTheEstimateOnceTheConditionsSettle)
{
    ConditionEstimator estimator(options());
    QSignalSpy texts(&estimator, &ConditionEstimator::textChanged);
    QSignalSpy estimates(&estimator, &ConditionEstimator::estimated);
    estimator.setConditions({});
    EXPECT_EQ(estimator.text(), QStringLiteral("оценка шансов…"));
    ASSERT_TRUE(estimates.wait(60000));
    ASSERT_TRUE(estimator.estimate());
    const ConditionEstimate estimate = *estimator.estimate();
    const ConditionEstimate direct = estimateConditions({}, Seed, 1, countLimits(100));
    EXPECT_EQ(estimate.dealt, direct.dealt);
    EXPECT_EQ(estimate.passed, direct.passed);
    EXPECT_EQ(estimator.text(), estimateText(estimate, estimate.dealsPerSecond()));
    EXPECT_EQ(texts.last().at(0).toString(), estimator.text());
    EXPECT_FALSE(estimator.busy());

    // A run's own speed changes the time, not the chance.
    estimator.setRate(1e3);
    EXPECT_EQ(estimator.text(), estimateText(estimate, 1e3));
    EXPECT_TRUE(estimator.text().startsWith(QStringLiteral("≈ 1 из 1")));

    // The same conditions again start nothing.
    estimator.setConditions({});
    EXPECT_FALSE(estimator.busy());
    EXPECT_EQ(estimator.text(), estimateText(estimate, 1e3));
}

TEST_F(Estimator, NewConditionsCancelTheSampleInHand)
{
    ConditionEstimator estimator(options());
    QSignalSpy estimates(&estimator, &ConditionEstimator::estimated);
    // EFL 34 or more: a sample that would run to its cap of 100 million deals.
    estimator.setConditions(make({}, 34, {}, {}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return estimator.busy(); }, 60000));
    estimator.setConditions(make(30, {}, {}, {}));
    ASSERT_TRUE(estimates.wait(60000));
    QTest::qWait(50);
    ASSERT_EQ(estimates.size(), 1) << "the cancelled sample tells nothing";
    const auto estimate = estimates.first().at(0).value<ConditionEstimate>();
    EXPECT_GE(estimate.passed, 100u);
    EXPECT_EQ(estimate.passed, estimator.estimate()->passed);
}

TEST_F(Estimator, GoesWithoutWaitingForItsSample)
{
    // EFL 34 or more without a cap on the deals: the sample would deal for its
    // whole budget unless the estimator cancels it as it goes.
    constexpr auto SampleBudget = 30s;
    ConditionEstimator::Options o = options();
    o.limits = countLimits(100, std::numeric_limits<std::uint64_t>::max());
    o.limits.budget = SampleBudget;
    auto estimator = std::make_unique<ConditionEstimator>(o);
    estimator->setConditions(make({}, 34, {}, {}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return estimator->busy(); }, 60000));
    QElapsedTimer clock;
    clock.start();
    estimator.reset();
    EXPECT_LT(clock.elapsed(), qint64(std::chrono::milliseconds(SampleBudget).count() / 3))
        << "the estimator waited for its sample instead of cancelling it";
    // What the sample posted on its way out is dropped with the estimator: were it
    // delivered, it would run on a destroyed object (the address sanitizer's build
    // tells).
    QTest::qWait(50);
}

TEST_F(Estimator, SaysWhenTheConditionsCannotBeRead)
{
    ConditionEstimator estimator(options());
    estimator.setConditions({});
    estimator.clearConditions();
    EXPECT_EQ(estimator.text(),
              QStringLiteral("шанс не оценён: в отмеченном условии не выбрано число"));
    QTest::qWait(50);
    EXPECT_FALSE(estimator.estimate());
}
