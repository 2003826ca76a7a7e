// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatisticsWindow.h"

#include "mainwindow/HistogramView.h"
#include "platform/RandomSource.h"
#include "search/ConditionEstimate.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// How often the window picks up the totals: a copy of a few kilobytes, so a
// turn costs the window next to nothing.
constexpr int TimerMs = 20;
constexpr qint64 RedrawMs = 200;

template <std::size_t N>
std::vector<std::uint64_t> slice(const std::array<std::uint64_t, N> &counts, std::size_t first,
                                 std::size_t last)
{
    return std::vector<std::uint64_t>(counts.begin() + std::ptrdiff_t(first),
                                      counts.begin() + std::ptrdiff_t(last) + 1);
}

const std::array<QString, 4> &suitNames()
{
    static const std::array<QString, 4> names = {QStringLiteral("пики"), QStringLiteral("буби"),
                                                 QStringLiteral("крести"), QStringLiteral("черви")};
    return names;
}

QString cardsWord(int n)
{
    const int lastTwo = n % 100, last = n % 10;
    if (lastTwo >= 11 && lastTwo <= 14)
        return QStringLiteral("карт");
    if (last == 1)
        return QStringLiteral("карты");
    return QStringLiteral("карт");
}

} // namespace

StatisticsWindow::StatisticsWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Статистика"));
    setObjectName(QStringLiteral("StatisticsWindow"));

    DealsBox = new QComboBox(this);
    DealsBox->setObjectName(QStringLiteral("DealsBox"));
    DealsBox->setEditable(true);
    DealsBox->addItems({QStringLiteral("100 тыс"), QStringLiteral("1 млн"),
                        QStringLiteral("10 млн"), QStringLiteral("100 млн"),
                        QStringLiteral("1 млрд")});
    DealsBox->setCurrentIndex(2);
    DealsBox->setToolTip(QStringLiteral("Сколько случайных раскладов сдать: число или "
                                        "«2,5 млн»"));
    StartButton = new QPushButton(QStringLiteral("Начать"), this);
    StartButton->setObjectName(QStringLiteral("StartButton"));
    StopButton = new QPushButton(QStringLiteral("Остановить"), this);
    StopButton->setObjectName(QStringLiteral("StopButton"));
    StopButton->setEnabled(false);
    LogScale = new QCheckBox(QStringLiteral("Логарифмическая шкала"), this);
    LogScale->setObjectName(QStringLiteral("LogScale"));
    LogScale->setToolTip(QStringLiteral("Редкие значения видны рядом с частыми"));
    Progress = new QProgressBar(this);
    Progress->setRange(0, 1000);
    Progress->setValue(0);
    Progress->setFormat(QStringLiteral("%p %"));
    Summary =
        new QLabel(QStringLiteral("Выбери, сколько раскладов сдать, и нажми «Начать»."), this);
    Summary->setObjectName(QStringLiteral("Summary"));
    Summary->setWordWrap(true);
    MarksLabel = new QLabel(this);
    MarksLabel->setObjectName(QStringLiteral("MarksLabel"));
    MarksLabel->setWordWrap(true);

    const QString ofSolved = QStringLiteral("свернувшихся до двух");
    EflView = new HistogramView(QStringLiteral("EFL свернувшихся до двух"), QStringLiteral("EFL"),
                                ofSolved, this);
    TransitsView = new HistogramView(QStringLiteral("Количество транзитов свернувшихся до двух"),
                                     QStringLiteral("Транзитов"), ofSolved, this);
    LeftView =
        new HistogramView(QStringLiteral("Свёртка: осталось карт"), QStringLiteral("Осталось карт"),
                          QStringLiteral("всех раскладов"), this);
    for (std::size_t s = 0; s < 4; ++s)
        HexagramViews[s] = new HistogramView(QStringLiteral("Гексаграммы: %1").arg(suitNames()[s]),
                                             QStringLiteral("Гексаграмма"), ofSolved, this);

    auto *controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("Раскладов:"), this));
    controls->addWidget(DealsBox);
    controls->addWidget(StartButton);
    controls->addWidget(StopButton);
    controls->addSpacing(16);
    controls->addWidget(LogScale);
    controls->addStretch();
    auto *charts = new QGridLayout;
    charts->addWidget(EflView, 0, 0, 1, 4);
    charts->addWidget(TransitsView, 0, 4, 1, 4);
    charts->addWidget(LeftView, 0, 8, 1, 4);
    for (int s = 0; s < 4; ++s)
        charts->addWidget(HexagramViews[std::size_t(s)], 1, 3 * s, 1, 3);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(Progress);
    layout->addWidget(Summary);
    layout->addWidget(MarksLabel);
    layout->addLayout(charts, 1);
    resize(1100, 640);

    connect(StartButton, &QPushButton::clicked, this, &StatisticsWindow::start);
    connect(StopButton, &QPushButton::clicked, this, &StatisticsWindow::stop);
    connect(LogScale, &QCheckBox::toggled, this, [this](bool on) {
        for (HistogramView *view : {EflView, TransitsView, LeftView})
            view->setLogScale(on);
        for (HistogramView *view : HexagramViews)
            view->setLogScale(on);
    });
    connect(&timer_, &QTimer::timeout, this, &StatisticsWindow::takeDealt);
    showStatistics();
}

StatisticsWindow::~StatisticsWindow()
{
    timer_.stop();
    run_.reset();
}

void StatisticsWindow::setMarksSource(MarksSource source)
{
    marksSource_ = std::move(source);
    refreshMarks();
}

void StatisticsWindow::refreshMarks()
{
    if (marksSource_)
        setMarks(marksSource_());
}

void StatisticsWindow::setMarks(const std::optional<ChainMarks> &marks)
{
    marks_ = marks;
    showMarks();
}

void StatisticsWindow::start()
{
    const std::optional<std::uint64_t> count = dealCountFromText(DealsBox->currentText());
    if (!count || *count > MaxStatisticsDeals) {
        Summary->setText(QStringLiteral("Число раскладов не понято: «%1». Пример: 50000, 10 млн, "
                                        "2,5 млрд.")
                             .arg(DealsBox->currentText()));
        return;
    }
    timer_.stop();
    run_.reset();
    statistics_ = DealStatistics{};
    target_ = *count;
    runSeed_ = seed_.value_or(entropySeed());
    const int threads = threads_ > 0 ? threads_ : lanedeal::everyCore();
    run_ = std::make_unique<BackgroundStatistics>(runSeed_, target_, threads);
    clock_.start();
    lastShownMs_ = 0;
    StartButton->setEnabled(false);
    StopButton->setEnabled(true);
    DealsBox->setEnabled(false);
    showStatistics();
    timer_.start(TimerMs);
}

void StatisticsWindow::stop()
{
    if (!run_)
        return;
    run_->stop();
    endRun();
}

void StatisticsWindow::takeDealt()
{
    if (!run_) {
        timer_.stop();
        return;
    }
    const BackgroundStatistics::Totals totals = run_->totals();
    statistics_ = totals.statistics;
    if (totals.ended) {
        endRun();
        return;
    }
    if (clock_.elapsed() - lastShownMs_ >= RedrawMs) {
        lastShownMs_ = clock_.elapsed();
        showStatistics();
    }
}

void StatisticsWindow::endRun()
{
    timer_.stop();
    runMs_ = clock_.elapsed();
    statistics_ = run_->totals().statistics;
    run_.reset();
    StartButton->setEnabled(true);
    StopButton->setEnabled(false);
    DealsBox->setEnabled(true);
    showStatistics();
    emit runEnded();
}

void StatisticsWindow::showStatistics()
{
    const DealStatistics &s = statistics_;
    Progress->setValue(target_ == 0 ? 0 : int(s.deals * 1000 / target_));
    if (target_ != 0) {
        const qint64 ms = run_ ? clock_.elapsed() : runMs_;
        QString text = QStringLiteral("Сдано %1 из %2 раскладов")
                           .arg(groupedNumber(s.deals), groupedNumber(target_));
        if (!run_)
            text +=
                s.deals == target_ ? QStringLiteral(" — готово") : QStringLiteral(" — остановлено");
        text += QStringLiteral(" (сид %1").arg(runSeed_);
        if (ms > 0)
            text += QStringLiteral(", %1 раскладов/с")
                        .arg(amountText(double(s.deals) * 1000.0 / double(ms)));
        text += QStringLiteral("). Свернулись до двух карт: %1 — %2 %")
                    .arg(groupedNumber(s.solved), percentText(s.solved, s.deals, 3));
        if (s.solved > 0)
            text += QStringLiteral(", 1 из %1").arg(amountText(double(s.deals) / double(s.solved)));
        text += QStringLiteral("; из них полная балансировка возможна у %1 %.")
                    .arg(percentText(s.fullBalance, s.solved, 2));
        Summary->setText(text);
    }

    EflView->setCounts(slice(s.efl, 1, DealStatistics::MaxValue), 1, s.solved, true);
    TransitsView->setCounts(slice(s.transits, 1, DealStatistics::MaxValue), 1, s.solved, true);
    LeftView->setCounts(slice(s.left, 2, DealStatistics::MaxValue), 2, s.deals);
    for (std::size_t k = 0; k < 4; ++k)
        HexagramViews[k]->setCounts(slice(s.hexagrams[k], 1, 64), 1, s.solved);
    showMarks();
}

void StatisticsWindow::showMarks()
{
    if (!marks_) {
        MarksLabel->setText(QStringLiteral("Цепочка ещё не проанализирована: отметить на "
                                           "графиках нечего."));
        for (HistogramView *view : {EflView, TransitsView, LeftView})
            view->setMarked(std::nullopt);
        for (HistogramView *view : HexagramViews)
            view->setMarked(std::nullopt);
        return;
    }
    const ChainFigures &f = marks_->figures;
    EflView->setMarked(f.efl);
    TransitsView->setMarked(f.transits);
    LeftView->setMarked(marks_->left);
    QStringList hexagrams;
    for (std::size_t k = 0; k < 4; ++k) {
        HexagramViews[k]->setMarked(f.hexagrams[k]);
        hexagrams << QStringLiteral("%1 %2").arg(suitNames()[k]).arg(f.hexagrams[k]);
    }
    QString text =
        QStringLiteral("<span style=\"color:%1\">■</span> Цепочка последнего анализа: свёртка до "
                       "%2 %3, EFL %4, транзитов %5, гексаграммы: %6; полная балансировка %7.")
            .arg(HistogramView::markColour().name())
            .arg(marks_->left)
            .arg(cardsWord(marks_->left))
            .arg(f.efl)
            .arg(f.transits)
            .arg(hexagrams.join(QStringLiteral(", ")),
                 f.fullBalance ? QStringLiteral("возможна") : QStringLiteral("невозможна"));
    // How rare the chain is among the solved ones, as the generator's conditions
    // ask: an EFL at least this deep, at most this many transits.
    const std::uint64_t solved = statistics_.solved;
    if (solved > 0) {
        std::uint64_t deeper = 0, fewer = 0;
        for (int v = 0; v <= DealStatistics::MaxValue; ++v) {
            deeper += v >= f.efl ? statistics_.efl[std::size_t(v)] : 0;
            fewer += v <= f.transits ? statistics_.transits[std::size_t(v)] : 0;
        }
        const auto oneIn = [solved](std::uint64_t part) {
            return part == 0 ? QStringLiteral("ни одной")
                             : QStringLiteral("1 из ") + amountText(double(solved) / double(part));
        };
        text += QStringLiteral(" Среди свернувшихся до двух EFL ≥ %1 у %2, транзитов ≤ %3 у %4.")
                    .arg(f.efl)
                    .arg(oneIn(deeper))
                    .arg(f.transits)
                    .arg(oneIn(fewer));
    }
    if (marks_->left != 2)
        text += QStringLiteral(" Она не сворачивается до двух карт, а графики EFL, транзитов и "
                               "гексаграмм — о свернувшихся до двух.");
    MarksLabel->setText(text);
}

void StatisticsWindow::closeEvent(QCloseEvent *event)
{
    stop();
    QWidget::closeEvent(event);
}

void StatisticsWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refreshMarks();
}

void StatisticsWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Back from the main window, perhaps with another chain analysed.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refreshMarks();
}
