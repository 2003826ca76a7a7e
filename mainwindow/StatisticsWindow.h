// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/ChainStatistics.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class HistogramView;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

// "Статистика": deals random chains in the background and draws how far they
// collapse and, for those that collapse to two cards, their EFL, transits and
// suit hexagrams, with the analysed chain's own values marked. The dealing and
// the counting run on threads of their own; the window only picks up the totals
// on a timer, so it never waits on them. Closing the window stops the dealing
// and joins its threads.
class StatisticsWindow : public QWidget
{
    Q_OBJECT
public:
    using MarksSource = std::function<std::optional<ChainMarks>()>;

    explicit StatisticsWindow(QWidget *parent = nullptr);
    ~StatisticsWindow() override;

    // Where the window reads the analysed chain's marks: when it is shown or
    // activated, and when refreshMarks() is called.
    void setMarksSource(MarksSource source);
    void refreshMarks();
    void setMarks(const std::optional<ChainMarks> &marks);

    // Dealing threads (default every core) and the seed of the next run (default
    // a fresh one each time).
    void setThreads(int threads) { threads_ = threads; }
    void setSeed(std::optional<std::uint64_t> seed) { seed_ = seed; }

    void start();
    void stop();
    bool running() const { return run_ != nullptr; }
    const DealStatistics &statistics() const { return statistics_; }

    QComboBox *DealsBox = nullptr;
    QPushButton *StartButton = nullptr;
    QPushButton *StopButton = nullptr;
    QProgressBar *Progress = nullptr;
    QCheckBox *LogScale = nullptr;
    QLabel *Summary = nullptr;
    QLabel *MarksLabel = nullptr;
    HistogramView *EflView = nullptr;
    HistogramView *TransitsView = nullptr;
    HistogramView *LeftView = nullptr;
    std::array<HistogramView *, 4> HexagramViews{};

signals:
    // A run has ended, counted to the end or stopped.
    void runEnded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void takeDealt();
    void endRun();
    void showStatistics();
    void showMarks();

    std::unique_ptr<BackgroundStatistics> run_;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastShownMs_ = 0;
    qint64 runMs_ = 0;
    DealStatistics statistics_;
    std::uint64_t target_ = 0;
    std::uint64_t runSeed_ = 0;
    int threads_ = 0;
    std::optional<std::uint64_t> seed_;
    MarksSource marksSource_;
    std::optional<ChainMarks> marks_;
};
