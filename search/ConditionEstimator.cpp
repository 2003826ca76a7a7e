// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConditionEstimator.h"

#include "platform/RandomSource.h"

#include <QMetaObject>

#include <algorithm>

ConditionEstimator::ConditionEstimator(QObject *parent) : ConditionEstimator(Options{}, parent) {}

ConditionEstimator::ConditionEstimator(Options options, QObject *parent)
    : QObject(parent), options_(std::move(options))
{
    settle_.setSingleShot(true);
    settle_.setInterval(options_.settle);
    connect(&settle_, &QTimer::timeout, this, &ConditionEstimator::start);
}

ConditionEstimator::~ConditionEstimator()
{
    settle_.stop();
    cancelSample();
}

void ConditionEstimator::setConditions(const GeneratorConditions &conditions)
{
    if (conditions_ && *conditions_ == conditions)
        return;
    conditions_ = conditions;
    estimate_.reset();
    // The sample in hand is for conditions no longer asked for; it is joined
    // when the next one starts, by when it has long seen its cancel.
    if (cancel_)
        *cancel_ = true;
    setText(QStringLiteral("оценка шансов…"));
    if (!paused_)
        settle_.start();
}

void ConditionEstimator::clearConditions()
{
    settle_.stop();
    if (cancel_)
        *cancel_ = true;
    conditions_.reset();
    estimate_.reset();
    setText(QStringLiteral("шанс не оценён: в отмеченном условии не выбрано число"));
}

void ConditionEstimator::setRate(double dealsPerSecond)
{
    rate_ = std::max(0.0, dealsPerSecond);
    if (estimate_)
        showEstimate();
}

void ConditionEstimator::setPaused(bool paused)
{
    if (paused == paused_)
        return;
    paused_ = paused;
    if (paused) {
        settle_.stop();
        cancelSample();
    } else if (conditions_ && !estimate_) {
        settle_.start();
    }
}

void ConditionEstimator::start()
{
    cancelSample();
    if (!conditions_ || paused_)
        return;
    const std::uint64_t generation = ++generation_;
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    finished_ = false;
    const int threads = options_.threads > 0 ? options_.threads : lanedeal::everyCore();
    worker_ = std::thread([this, generation, threads, conditions = *conditions_,
                           seed = options_.seed.value_or(entropySeed()), limits = options_.limits,
                           cancel = cancel_] {
        const ConditionEstimate estimate = estimateConditions(conditions, seed, threads, limits,
                                                              [&cancel] { return cancel->load(); });
        {
            const std::lock_guard lock(sampleMutex_);
            sampleDone_.emplace(generation, estimate);
        }
        // Posted to the estimator's thread; the estimator joins this thread before
        // it goes, and Qt drops what is still posted to it then.
        QMetaObject::invokeMethod(this, "takeFinishedSample", Qt::QueuedConnection);
    });
}

void ConditionEstimator::takeFinishedSample()
{
    // A call posted by an earlier sample may find a later one's estimate, and that
    // one's own call then nothing: finish() tells the generations apart.
    std::optional<std::pair<std::uint64_t, ConditionEstimate>> done;
    {
        const std::lock_guard lock(sampleMutex_);
        done.swap(sampleDone_);
    }
    if (done)
        finish(done->first, done->second);
}

void ConditionEstimator::cancelSample()
{
    if (cancel_)
        *cancel_ = true;
    if (worker_.joinable())
        worker_.join();
    finished_ = true;
}

void ConditionEstimator::finish(std::uint64_t generation, const ConditionEstimate &estimate)
{
    if (generation != generation_)
        return;
    finished_ = true;
    if (estimate.end == ConditionEstimate::End::Cancelled)
        return;
    estimate_ = estimate;
    showEstimate();
    emit estimated(estimate);
}

void ConditionEstimator::showEstimate()
{
    const double rate = rate_ > 0 ? rate_ : estimate_->dealsPerSecond();
    setText(estimateText(*estimate_, rate));
}

void ConditionEstimator::setText(const QString &text)
{
    if (text == text_)
        return;
    text_ = text;
    emit textChanged(text_);
}
