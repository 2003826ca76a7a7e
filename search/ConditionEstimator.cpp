// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConditionEstimator.h"

#include "platform/RandomSource.h"

#include <algorithm>
#include <chrono>

ConditionEstimator::ConditionEstimator(QObject *parent) : ConditionEstimator(Options{}, parent) {}

ConditionEstimator::ConditionEstimator(Options options, QObject *parent)
    : QObject(parent), options_(std::move(options))
{
    refresh_.setInterval(options_.settle);
    connect(&refresh_, &QTimer::timeout, this, &ConditionEstimator::refresh);
    const int threads = options_.threads > 0 ? options_.threads : lanedeal::everyCore();
    worker_ = std::thread(
        [this, threads, seed = options_.seed.value_or(entropySeed())] { grow(seed, threads); });
}

ConditionEstimator::~ConditionEstimator()
{
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void ConditionEstimator::grow(std::uint64_t seed, int threads)
{
    using namespace std::chrono_literals;
    // The dealer lives only while the sample grows, so that an idle window keeps
    // no dealing threads; the next one goes on at the block after the last one
    // taken, so the sample is the seed's, whatever its pauses.
    std::unique_ptr<lanedeal::ParallelDealer> dealer;
    std::uint64_t blocks = 0;
    bool dropped = false;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            if ((!growing_ || dropped) && dealer) {
                lock.unlock();
                dealer->stop();
                dealer.reset();
                lock.lock();
                dealing_ = false;
                dealt_.notify_all();
                dropped = false;
            }
            wake_.wait(lock, [this] { return quit_ || growing_; });
            if (quit_)
                break;
            dealing_ = true;
        }
        if (!dealer)
            dealer = std::make_unique<lanedeal::ParallelDealer>(
                seed, threads, blocks, lanedeal::ParallelDealer::DefaultLookAhead,
                lanedeal::DealFilter(), lanedeal::ParallelDealer::SampleThreadName);
        const auto start = std::chrono::steady_clock::now();
        if (const std::optional<lanedeal::BlockResult> block = dealer->next(20ms)) {
            // Taken only while still wanted: a count that called for the stop
            // is the sample's last. A block left out is dealt again, by the
            // next dealer, when the sample grows on.
            const std::lock_guard lock(mutex_);
            if (growing_) {
                sample_.add(*block);
                ++blocks;
            } else {
                dropped = true;
            }
        }
        dealingSeconds_ =
            dealingSeconds_ +
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (dealer)
        dealer->stop();
}

void ConditionEstimator::want(bool grow)
{
    wanted_ = grow;
    {
        const std::lock_guard lock(mutex_);
        growing_ = grow && !paused_;
    }
    wake_.notify_all();
    if (grow && !paused_)
        refresh_.start();
    else
        refresh_.stop();
}

void ConditionEstimator::setConditions(const GeneratorConditions &conditions)
{
    if (conditions_ && *conditions_ == conditions)
        return;
    conditions_ = conditions;
    told_ = false;
    refresh();
}

void ConditionEstimator::clearConditions()
{
    conditions_.reset();
    estimate_.reset();
    told_ = false;
    want(false);
    setText(QStringLiteral("шанс не оценён: в отмеченном условии не выбрано число"));
}

void ConditionEstimator::refresh()
{
    if (!conditions_)
        return;
    const EstimateLimits &limits = options_.limits;
    const auto finished = [&](const SolvedSample::Count &c) {
        return c.passed >= limits.enoughPassed || c.dealt >= limits.maxDeals;
    };
    SolvedSample::Count count;
    {
        // Counted and stopped under the dealer's lock, so that no block joins
        // the sample between the count that is enough and the stop.
        const std::lock_guard lock(mutex_);
        count = sample_.count(*conditions_);
        if (count.dealt > 0 && finished(count))
            growing_ = false;
    }
    if (count.dealt == 0) {
        estimate_.reset();
        setText(QStringLiteral("оценка шансов…"));
        want(true);
        return;
    }
    ConditionEstimate estimate;
    estimate.dealt = count.dealt;
    estimate.passed = count.passed;
    estimate.seconds = dealingSeconds_;
    const bool enough = count.passed >= limits.enoughPassed;
    const bool capped = count.dealt >= limits.maxDeals;
    estimate.end = enough   ? ConditionEstimate::End::Enough
                   : capped ? ConditionEstimate::End::MaxDeals
                            : ConditionEstimate::End::Cancelled;
    estimate_ = estimate;
    showEstimate();
    want(!enough && !capped);
    if ((enough || capped) && !told_) {
        told_ = true;
        emit estimated(estimate);
    }
}

void ConditionEstimator::setRate(double dealsPerSecond, double runSeconds)
{
    rate_ = std::max(0.0, dealsPerSecond);
    runSeconds_ = std::max(0.0, runSeconds);
    if (estimate_)
        showEstimate();
}

void ConditionEstimator::setPaused(bool paused)
{
    if (paused == paused_)
        return;
    paused_ = paused;
    want(wanted_);
    // A run that pauses the sample has every core from its first deal on.
    if (paused) {
        std::unique_lock lock(mutex_);
        dealt_.wait(lock, [this] { return !dealing_; });
    }
}

void ConditionEstimator::showEstimate()
{
    const double rate = rate_ > 0 ? rate_ : estimate_->dealsPerSecond();
    setText(estimateText(*estimate_, rate, rate_ > 0 ? runSeconds_ : 0));
}

void ConditionEstimator::setText(const QString &text)
{
    if (text == text_)
        return;
    text_ = text;
    emit textChanged(text_);
}
