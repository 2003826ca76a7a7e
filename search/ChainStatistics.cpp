// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChainStatistics.h"

#include "engine/Collapse.h"
#include "hexagrams/HexagramPatterns.h"
#include "platform/LocaleFormats.h"
#include "search/ChainGenerator.h"

#include <algorithm>
#include <cmath>

namespace {

// The hexagram line (0 = the bottom) each rank makes, -1 for none: 7, 8 and В.
constexpr std::array<int, 10> LineOfRank = [] {
    std::array<int, 10> lines{};
    lines.fill(-1);
    for (int line = 1; line <= 6; ++line)
        lines[std::size_t(HexagramLineRank[std::size_t(line)])] = line - 1;
    return lines;
}();

// The figures from the mobile cards by suit and rank (1-based, 0 = no such
// letter), shared by the byte and the record path.
class FiguresBuilder
{
public:
    void mobile(int suit, int rank)
    {
        ++perRank_[std::size_t(rank)];
        const int line = LineOfRank[std::size_t(rank)];
        if (suit >= 1 && suit <= 4 && line >= 0)
            lines_[std::size_t(suit - 1)] |= 1u << line;
    }

    ChainFigures figures(int efl, int transits) const
    {
        ChainFigures result;
        result.efl = efl;
        result.transits = transits;
        result.fullBalance = fullBalanceOfRanks(perRank_);
        for (std::size_t s = 0; s < 4; ++s)
            result.hexagrams[s] = hexagramOfLines(lines_[s]);
        return result;
    }

private:
    std::array<int, 10> perRank_{};
    std::array<unsigned, 4> lines_{};
};

template <std::size_t N> QJsonObject histogramJson(const std::array<std::uint64_t, N> &counts)
{
    QJsonObject object;
    for (std::size_t n = 0; n < N; ++n)
        if (counts[n] != 0)
            object.insert(QString::number(n), qint64(counts[n]));
    return object;
}

const std::array<QString, 4> &suitKeys()
{
    static const std::array<QString, 4> keys = {QStringLiteral("п"), QStringLiteral("б"),
                                                QStringLiteral("к"), QStringLiteral("ч")};
    return keys;
}

// One histogram as table lines: a heading, then the value, its count and its
// share of whole for every value with a count.
template <std::size_t N>
void appendHistogram(QStringList &lines, const QString &heading,
                     const std::array<std::uint64_t, N> &counts, std::uint64_t whole)
{
    lines << QString() << heading;
    for (std::size_t n = 0; n < N; ++n)
        if (counts[n] != 0)
            lines << QStringLiteral("%1 %2 %3")
                         .arg(n, 14)
                         .arg(groupedNumber(counts[n]), 14)
                         .arg(percentText(counts[n], whole, 3), 10);
}

} // namespace

ChainFigures chainFigures(const fastdeal::Deal &deal, const fastdeal::Metrics &metrics)
{
    FiguresBuilder builder;
    for (std::size_t k = 0; k < 36; ++k)
        if (metrics.mobileCount[k] > 0)
            builder.mobile(fastdeal::suitOf(deal[k]), fastdeal::rankOf(deal[k]));
    return builder.figures(deepestDepth(metrics), metrics.transitTotal);
}

ChainFigures chainFigures(const TTLKoloda &chain)
{
    FiguresBuilder builder;
    int efl = 0;
    for (int k = 1; k <= 36; ++k) {
        const TKarta &card = chain.Cards[k];
        if (card.MobileCount > 0)
            builder.mobile(suitIndex(card.Suit), rankIndex(card.Rank));
        efl = std::max(efl, card.Depth);
    }
    return builder.figures(efl, chain.TransitTotal);
}

std::optional<ChainMarks> analysedChainMarks(const TTLKoloda &chain, const TextGrid &hexagramTable)
{
    const bool anyCard = std::any_of(chain.Cards.items.begin(), chain.Cards.items.end(),
                                     [](const TKarta &card) { return !card.name().isEmpty(); });
    if (!anyCard)
        return std::nullopt;
    ChainMarks marks;
    marks.left = CountCollapse(chain);
    marks.figures = chainFigures(chain);
    std::array<int, 4> shown{};
    bool complete = true;
    for (int r = 1; r <= 4; ++r) {
        bool ok = false;
        shown[std::size_t(r - 1)] = hexagramTable.cell(8, r).toInt(&ok);
        complete = complete && ok && shown[std::size_t(r - 1)] >= 1 &&
                   shown[std::size_t(r - 1)] <= HexagramPatternTable::Count;
    }
    if (complete)
        marks.figures.hexagrams = shown;
    return marks;
}

void DealStatistics::addBlock(const lanedeal::BlockResult &block)
{
    for (int n = 2; n <= MaxValue; ++n) {
        left[std::size_t(n)] += block.leftCounts[std::size_t(n)];
        deals += block.leftCounts[std::size_t(n)];
    }
    solved += block.leftCounts[2];
    for (const lanedeal::SolvedDeal &deal : block.solved)
        addSolved(chainFigures(deal.deal, deal.metrics));
}

void DealStatistics::addSolved(const ChainFigures &figures)
{
    ++efl[std::size_t(std::clamp(figures.efl, 0, MaxValue))];
    ++transits[std::size_t(std::clamp(figures.transits, 0, MaxValue))];
    fullBalance += figures.fullBalance;
    for (std::size_t s = 0; s < 4; ++s)
        ++hexagrams[s][std::size_t(std::clamp(figures.hexagrams[s], 0, 64))];
}

void DealStatistics::merge(const DealStatistics &other)
{
    deals += other.deals;
    solved += other.solved;
    fullBalance += other.fullBalance;
    for (std::size_t n = 0; n < left.size(); ++n) {
        left[n] += other.left[n];
        efl[n] += other.efl[n];
        transits[n] += other.transits[n];
    }
    for (std::size_t s = 0; s < 4; ++s)
        for (std::size_t n = 0; n < hexagrams[s].size(); ++n)
            hexagrams[s][n] += other.hexagrams[s][n];
}

StatisticsRun::StatisticsRun(std::uint64_t seed, std::uint64_t deals, int threads)
    : seed_(seed), deals_(deals), fullBlocks_(deals / lanedeal::BlockSize)
{
    if (fullBlocks_ > 0) {
        // Workers never deal further ahead than the run needs.
        const int lookAhead = int(std::min<std::uint64_t>(
            fullBlocks_, std::uint64_t(lanedeal::ParallelDealer::DefaultLookAhead)));
        dealer_ =
            std::make_unique<lanedeal::ParallelDealer>(seed, std::max(0, threads), 0, lookAhead);
    } else {
        countTail();
    }
}

StatisticsRun::~StatisticsRun()
{
    stop();
}

void StatisticsRun::stop()
{
    stopped_ = true;
    if (dealer_)
        dealer_->stop();
}

bool StatisticsRun::advance(std::chrono::milliseconds budget)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + budget;
    while (!stopped_ && dealer_ && nextBlock_ < fullBlocks_) {
        const auto remaining =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        std::optional<lanedeal::BlockResult> block =
            dealer_->next(std::max(remaining, std::chrono::milliseconds(0)));
        if (!block)
            break;
        statistics_.addBlock(*block);
        ++nextBlock_;
        if (nextBlock_ == fullBlocks_) {
            dealer_->stop();
            countTail();
        }
        if (Clock::now() >= deadline)
            break;
    }
    return !stopped_ && !finished();
}

void StatisticsRun::countTail()
{
    // The deals after the last whole block are the first ones of the next block,
    // dealt here as any thread would deal them.
    const std::size_t tail = std::size_t(deals_ % lanedeal::BlockSize);
    if (tail == 0)
        return;
    auto block = std::make_unique<lanedeal::Block>();
    lanedeal::dealBlock(seed_, fullBlocks_, *block);
    statistics_.addBlock(lanedeal::summarise(*block, {}, tail));
}

BackgroundStatistics::BackgroundStatistics(std::uint64_t seed, std::uint64_t deals, int threads)
    : run_(seed, deals, threads)
{
    totals_.statistics = run_.statistics();
    totals_.ended = run_.finished();
    if (!totals_.ended)
        counter_ = std::thread([this] { count(); });
}

BackgroundStatistics::~BackgroundStatistics()
{
    stop();
}

BackgroundStatistics::Totals BackgroundStatistics::totals() const
{
    const std::lock_guard guard(lock_);
    return totals_;
}

void BackgroundStatistics::stop()
{
    stopRequested_ = true;
    if (counter_.joinable())
        counter_.join();
    const std::lock_guard guard(lock_);
    totals_.ended = true;
}

void BackgroundStatistics::count()
{
    // A short turn keeps a stop waiting no longer than this, and the totals a
    // window shows at most this old.
    constexpr std::chrono::milliseconds turn(20);
    bool more = true;
    while (more && !stopRequested_) {
        more = run_.advance(turn);
        const std::lock_guard guard(lock_);
        totals_.statistics = run_.statistics();
    }
    run_.stop();
    const std::lock_guard guard(lock_);
    totals_.ended = true;
}

DealStatistics collectStatistics(std::uint64_t seed, std::uint64_t deals, int threads,
                                 const std::function<bool(const DealStatistics &)> &progress,
                                 std::chrono::milliseconds progressEvery)
{
    StatisticsRun run(seed, deals, threads);
    while (run.advance(progressEvery))
        if (progress && !progress(run.statistics()))
            break;
    return run.statistics();
}

QJsonObject statisticsJson(const DealStatistics &statistics, std::uint64_t seed, qint64 ms)
{
    QJsonObject hexagrams;
    for (std::size_t s = 0; s < 4; ++s)
        hexagrams.insert(suitKeys()[s], histogramJson(statistics.hexagrams[s]));
    return QJsonObject{
        {QStringLiteral("deals"), qint64(statistics.deals)},
        {QStringLiteral("solved"), qint64(statistics.solved)},
        {QStringLiteral("left"), histogramJson(statistics.left)},
        {QStringLiteral("efl"), histogramJson(statistics.efl)},
        {QStringLiteral("transits"), histogramJson(statistics.transits)},
        {QStringLiteral("fullBalance"), qint64(statistics.fullBalance)},
        {QStringLiteral("hexagrams"), hexagrams},
        // A seed above 2^53 would lose digits as a JSON number.
        {QStringLiteral("seed"), QString::number(seed)},
        {QStringLiteral("ms"), ms},
    };
}

QStringList statisticsTable(const DealStatistics &statistics, std::uint64_t seed, qint64 ms)
{
    QStringList lines;
    const double seconds = double(ms) / 1000.0;
    QString speed;
    if (ms > 0)
        speed = QStringLiteral(", %1 раскладов/с")
                    .arg(groupedNumber(std::uint64_t(double(statistics.deals) / seconds)));
    lines << QStringLiteral("Раскладов: %1 (сид %2, %3 мс%4)")
                 .arg(groupedNumber(statistics.deals))
                 .arg(seed)
                 .arg(ms)
                 .arg(speed);
    lines << QStringLiteral("Сворачиваются до двух карт: %1 (%2 %)")
                 .arg(groupedNumber(statistics.solved),
                      percentText(statistics.solved, statistics.deals, 3));
    lines << QStringLiteral("Полная балансировка возможна: %1 (%2 % свернувшихся до двух)")
                 .arg(groupedNumber(statistics.fullBalance),
                      percentText(statistics.fullBalance, statistics.solved, 3));

    const QString columns = QStringLiteral("%1 %2 %3");
    appendHistogram(lines,
                    columns.arg(QStringLiteral("Осталось карт"), 14)
                        .arg(QStringLiteral("раскладов"), 14)
                        .arg(QStringLiteral("% всех"), 10),
                    statistics.left, statistics.deals);
    const QString ofSolved = QStringLiteral("% двух");
    appendHistogram(lines,
                    columns.arg(QStringLiteral("EFL"), 14)
                        .arg(QStringLiteral("раскладов"), 14)
                        .arg(ofSolved, 10),
                    statistics.efl, statistics.solved);
    appendHistogram(lines,
                    columns.arg(QStringLiteral("Транзитов"), 14)
                        .arg(QStringLiteral("раскладов"), 14)
                        .arg(ofSolved, 10),
                    statistics.transits, statistics.solved);

    lines << QString()
          << QStringLiteral("%1 %2 %3 %4 %5   (% свернувшихся до двух)")
                 .arg(QStringLiteral("Гексаграмма"), 14)
                 .arg(QStringLiteral("п"), 9)
                 .arg(QStringLiteral("б"), 9)
                 .arg(QStringLiteral("к"), 9)
                 .arg(QStringLiteral("ч"), 9);
    for (int n = 1; n <= HexagramPatternTable::Count; ++n) {
        QString line = QStringLiteral("%1").arg(n, 14);
        for (std::size_t s = 0; s < 4; ++s)
            line += QStringLiteral(" %1").arg(
                percentText(statistics.hexagrams[s][std::size_t(n)], statistics.solved, 3), 9);
        lines << line;
    }
    return lines;
}

QString groupedNumber(std::uint64_t value)
{
    QString digits = QString::number(value);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, u' ');
    return digits;
}

QString percentText(std::uint64_t part, std::uint64_t whole, int decimals)
{
    if (whole == 0)
        return QStringLiteral("0");
    const double share = 100.0 * double(part) / double(whole);
    const double smallest = std::pow(10.0, -decimals);
    if (part != 0 && share < smallest / 2)
        return QStringLiteral("<") + platform::fixedNumber(smallest, decimals);
    return platform::fixedNumber(share, decimals);
}

std::optional<std::uint64_t> dealCountFromText(const QString &text)
{
    QString number = text.simplified();
    double unit = 1;
    const std::pair<const char16_t *, double> units[] = {
        {u"тыс", 1e3}, {u"млн", 1e6}, {u"млрд", 1e9}};
    for (const auto &[name, size] : units)
        if (number.endsWith(QString::fromUtf16(name))) {
            number.chop(QString::fromUtf16(name).size());
            unit = size;
            break;
        }
    number.remove(u' ');
    number.replace(u',', u'.');
    if (number.isEmpty())
        return std::nullopt;
    for (const QChar c : number)
        if (!c.isDigit() && c != u'.')
            return std::nullopt;
    bool ok = false;
    const double value = number.toDouble(&ok) * unit;
    if (!ok || value < 1 || value > 1e18 || value != std::floor(value))
        return std::nullopt;
    return std::uint64_t(value);
}
