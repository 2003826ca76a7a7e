// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/ConditionEstimate.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

// Keeps an estimate of the ticked conditions' chance up to date for a window.
// The window hands it each new snapshot of the conditions, read on its own
// thread; the estimator waits until they stay put a moment, then deals a sample
// on a thread of its own, cancelling the sample before whenever they change
// again. It tells the text to show by textChanged, always on its own (the
// window's) thread. The sample's thread touches nothing but its own data, and
// is joined before the estimator is gone.
class ConditionEstimator : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        EstimateLimits limits;
        int threads = 0; // dealing threads; 0: every core
        std::chrono::milliseconds settle{300};
        // Seeds of the samples; none draws each one afresh.
        std::optional<std::uint64_t> seed;
    };

    explicit ConditionEstimator(QObject *parent = nullptr);
    ConditionEstimator(Options options, QObject *parent = nullptr);
    ~ConditionEstimator() override;

    // New conditions: an estimate follows once they stay put for the settle time.
    // The same conditions again change nothing.
    void setConditions(const GeneratorConditions &conditions);
    // Conditions that cannot be estimated (a ticked list without a number).
    void clearConditions();
    // The dealing speed the expected time is given at, such as a running
    // generator's; 0 returns to the sample's own speed.
    void setRate(double dealsPerSecond);
    // While paused (a generator run has the cores) no sample deals: one under
    // way is cancelled, and the conditions' estimate follows once resumed.
    void setPaused(bool paused);

    QString text() const { return text_; }
    std::optional<ConditionEstimate> estimate() const { return estimate_; }
    bool busy() const { return worker_.joinable() && !finished_; }

signals:
    void textChanged(const QString &text);
    // Each finished estimate, with the conditions it was made for.
    void estimated(const ConditionEstimate &estimate);

private:
    void start();
    void cancelSample();
    Q_INVOKABLE void takeFinishedSample();
    void finish(std::uint64_t generation, const ConditionEstimate &estimate);
    void setText(const QString &text);
    void showEstimate();

    Options options_;
    QTimer settle_;
    std::optional<GeneratorConditions> conditions_;
    std::optional<ConditionEstimate> estimate_;
    double rate_ = 0;
    bool paused_ = false;
    QString text_;

    std::thread worker_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    // The sample's thread leaves its estimate here, then wakes the estimator by a
    // queued call by name. A queued functor carrying the estimate would do as
    // well, but it is handed over inside Qt's event queue, whose locks the thread
    // sanitizer cannot see in a Qt not built with it: it would report the
    // functor's memory as raced. This lock it sees.
    std::mutex sampleMutex_;
    std::optional<std::pair<std::uint64_t, ConditionEstimate>> sampleDone_;
    std::uint64_t generation_ = 0;
    bool finished_ = true;
};
