// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConditionEstimate.h"

#include "engine/ParallelDealer.h"
#include "platform/IntConvert.h"
#include "platform/LocaleFormats.h"
#include "search/ChainStatistics.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace std::chrono_literals;

double roundedTwoDigits(double value)
{
    if (!(value > 0))
        return 0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(value)) - 1);
    return std::round(value / magnitude) * magnitude;
}

// Two significant digits of a positive value, the locale's decimal separator,
// no ",0" on a whole number.
QString twoDigits(double value)
{
    if (!(value > 0))
        return QStringLiteral("0");
    const double rounded = roundedTwoDigits(value);
    if (rounded >= 10)
        return QString::number(std::llround(rounded));
    const int decimals = rounded >= 1 ? 1 : int(1 - std::floor(std::log10(rounded)));
    QString text = platform::fixedNumber(rounded, decimals);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(platform::decimalSeparator()))
        text.chop(1);
    return text;
}

struct Unit
{
    double size;
    const char16_t *name;
};

// value in the largest unit it reaches after rounding, so that 999 600 reads
// "1 млн" and not "1000 тыс".
QString inUnits(double value, std::initializer_list<Unit> units)
{
    const double rounded = roundedTwoDigits(value);
    const Unit *chosen = units.begin();
    for (const Unit &unit : units)
        if (rounded >= unit.size * (1 - 1e-9))
            chosen = &unit;
    const double inUnit = value / chosen->size;
    const QString number =
        inUnit >= 1000 ? groupedNumber(std::uint64_t(std::llround(roundedTwoDigits(inUnit))))
                       : twoDigits(inUnit);
    const QString name = QString::fromUtf16(chosen->name);
    return name.isEmpty() ? number : number + u' ' + name;
}

} // namespace

bool hasConditions(const GeneratorConditions &conditions)
{
    return conditions != GeneratorConditions();
}

std::optional<GeneratorConditions> readConditions(ConditionSource &source)
{
    GeneratorConditions conditions;
    try {
        if (source.boxChecked(1))
            conditions.maxTransits = source.listNumber(1);
        if (source.boxChecked(2))
            conditions.minEfl = source.listNumber(2);
        if (source.boxChecked(3))
            conditions.targetPosition = source.listNumber(3);
    } catch (const platform::ConversionError &) {
        return std::nullopt;
    }
    if (source.boxChecked(4))
        conditions.target = source.targetPattern();
    conditions.fullBalance = source.boxChecked(5);
    return conditions;
}

double ConditionEstimate::chance() const
{
    return dealt == 0 ? 0.0 : double(passed) / double(dealt);
}

double ConditionEstimate::dealsPerSecond() const
{
    return seconds <= 0 ? 0.0 : double(dealt) / seconds;
}

double ConditionEstimate::lowerBound() const
{
    if (dealt == 0 || passed == 0)
        return 0.0;
    constexpr double z = 1.959964;
    const double n = double(dealt), p = chance();
    return (p + z * z / (2 * n) - z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n))) /
           (1 + z * z / n);
}

double ConditionEstimate::upperBound() const
{
    if (dealt == 0)
        return 1.0;
    if (passed == 0)
        return std::min(1.0, 3.0 / double(dealt));
    constexpr double z = 1.959964;
    const double n = double(dealt), p = chance();
    return (p + z * z / (2 * n) + z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n))) /
           (1 + z * z / n);
}

ConditionEstimate estimateConditions(const GeneratorConditions &conditions, std::uint64_t seed,
                                     int threads, const EstimateLimits &limits,
                                     const std::function<bool()> &cancel)
{
    lanedeal::DealFilter keep;
    if (hasConditions(conditions))
        keep = [test = FixedConditionTest(conditions)](const lanedeal::SolvedDeal &solved) {
            return test.passes(solved);
        };

    ConditionEstimate estimate;
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
    };
    // A sample of common conditions is a few blocks: deal no further ahead than
    // what the cap allows.
    const std::uint64_t capBlocks =
        std::max<std::uint64_t>(1, limits.maxDeals / lanedeal::BlockSize);
    lanedeal::ParallelDealer dealer(
        seed, std::max(0, threads), 0,
        int(std::min<std::uint64_t>(capBlocks, lanedeal::ParallelDealer::DefaultLookAhead)),
        std::move(keep));
    for (;;) {
        if (cancel && cancel()) {
            estimate.end = ConditionEstimate::End::Cancelled;
            break;
        }
        if (estimate.passed >= limits.enoughPassed) {
            estimate.end = ConditionEstimate::End::Enough;
            break;
        }
        if (estimate.dealt >= limits.maxDeals) {
            estimate.end = ConditionEstimate::End::MaxDeals;
            break;
        }
        if (elapsed() >= limits.budget) {
            estimate.end = ConditionEstimate::End::Budget;
            break;
        }
        // A short wait keeps a cancel prompt.
        const std::optional<lanedeal::BlockResult> block = dealer.next(20ms);
        if (!block)
            continue;
        estimate.dealt += lanedeal::BlockSize;
        estimate.passed += block->solved.size();
    }
    dealer.stop();
    estimate.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return estimate;
}

QString amountText(double value)
{
    return inUnits(value, {{1, u""}, {1e3, u"тыс"}, {1e6, u"млн"}, {1e9, u"млрд"}});
}

QString durationText(double seconds)
{
    return inUnits(seconds, {{1, u"с"}, {60, u"мин"}, {3600, u"ч"}, {86400, u"дн"}});
}

QString estimateText(const ConditionEstimate &estimate, double dealsPerSecond)
{
    if (estimate.dealt == 0)
        return QStringLiteral("шанс ещё не оценён");
    const QString tenth = QStringLiteral("0") + platform::decimalSeparator() + u'1';
    if (estimate.passed == 0) {
        // None in n deals: at 95 % the chance is below 3 in n.
        const double rarerThan = 1.0 / estimate.upperBound();
        QString text = QStringLiteral("ни одной в %1 — реже 1 из %2")
                           .arg(amountText(double(estimate.dealt)), amountText(rarerThan));
        if (dealsPerSecond > 0)
            text += QStringLiteral(", дольше ") + durationText(rarerThan / dealsPerSecond);
        return text;
    }
    const double oneIn = 1.0 / estimate.chance();
    QString text = QStringLiteral("≈ 1 из ") + amountText(oneIn);
    if (dealsPerSecond > 0) {
        const double seconds = oneIn / dealsPerSecond;
        text += seconds < 0.1 ? QStringLiteral(", меньше ") + tenth + QStringLiteral(" с")
                              : QStringLiteral(", ≈ ") + durationText(seconds);
    }
    // Below about 30 the count itself is uncertain by a third or more.
    if (estimate.passed < 30)
        text += QStringLiteral(" (по %1 в %2)")
                    .arg(estimate.passed)
                    .arg(amountText(double(estimate.dealt)));
    return text;
}
