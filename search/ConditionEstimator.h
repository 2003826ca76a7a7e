// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/ConditionEstimate.h"
#include "search/SolvedSample.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

// Keeps an estimate of the ticked conditions' chance up to date for a window.
// Every condition set is judged against one sample of deals (SolvedSample), grown
// on a thread of its own while the window is idle, for as long as the conditions
// shown need more (limits.enoughPassed deals that meet them, up to
// limits.maxDeals deals in all): new conditions are counted on the sample at
// once, and the figure settles as the sample grows. It tells the text to show by
// textChanged, always on its own (the window's) thread. The growing thread
// touches nothing but the sample and is joined before the estimator is gone.
class ConditionEstimator : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        EstimateLimits limits;
        int threads = 0; // dealing threads; 0: every core
        // How often the figure is counted again while the sample grows.
        std::chrono::milliseconds settle{300};
        // Seed of the sample; none draws one afresh.
        std::optional<std::uint64_t> seed;
    };

    explicit ConditionEstimator(QObject *parent = nullptr);
    ConditionEstimator(Options options, QObject *parent = nullptr);
    ~ConditionEstimator() override;

    // New conditions, counted on the sample at once; the sample grows on while
    // they need more. The same conditions again change nothing.
    void setConditions(const GeneratorConditions &conditions);
    // Conditions that cannot be estimated (a ticked list without a number).
    void clearConditions();
    // The dealing speed the expected time is given at, such as a running
    // generator's, and how long that run has taken; 0 returns to the sample's own
    // speed.
    void setRate(double dealsPerSecond, double runSeconds = 0);
    // While paused (a generator run has the cores) the sample does not grow.
    void setPaused(bool paused);

    QString text() const { return text_; }
    // The estimate last shown, final or not.
    std::optional<ConditionEstimate> estimate() const { return estimate_; }
    // Whether the sample grows for the conditions shown.
    bool busy() const { return wanted_; }
    const SolvedSample &sample() const { return sample_; }

signals:
    void textChanged(const QString &text);
    // Once the sample is enough for the conditions shown (or at its cap).
    void estimated(const ConditionEstimate &estimate);

private:
    void refresh();
    void want(bool grow);
    void grow(std::uint64_t seed, int threads);
    void setText(const QString &text);
    void showEstimate();

    Options options_;
    QTimer refresh_;
    std::optional<GeneratorConditions> conditions_;
    std::optional<ConditionEstimate> estimate_;
    bool told_ = false; // estimated() went out for the conditions shown
    double rate_ = 0;
    double runSeconds_ = 0;
    bool paused_ = false;
    bool wanted_ = false;
    QString text_;

    SolvedSample sample_;
    std::atomic<double> dealingSeconds_{0};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool growing_ = false; // guarded by mutex_: the thread may deal
    bool dealing_ = false; // guarded by mutex_: its dealer's threads are running
    std::condition_variable dealt_;
    bool quit_ = false;
    std::thread worker_;
};
