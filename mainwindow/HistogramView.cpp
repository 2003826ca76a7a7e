// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistogramView.h"

#include "search/ChainStatistics.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

constexpr int Margin = 6;
constexpr int MarkHeight = 6; // the triangle under the axis at the marked value

} // namespace

HistogramView::HistogramView(QString title, QString valueName, QString wholeName, QWidget *parent)
    : QWidget(parent), title_(std::move(title)), valueName_(std::move(valueName)),
      wholeName_(std::move(wholeName))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void HistogramView::setCounts(std::vector<std::uint64_t> counts, int first, std::uint64_t whole,
                              bool trim)
{
    counts_ = std::move(counts);
    first_ = first;
    whole_ = whole;
    trim_ = trim;
    updateShown();
    update();
}

void HistogramView::setMarked(std::optional<int> value)
{
    if (marked_ == value)
        return;
    marked_ = value;
    updateShown();
    update();
}

void HistogramView::setLogScale(bool on)
{
    if (log_ == on)
        return;
    log_ = on;
    update();
}

void HistogramView::updateShown()
{
    shownFirst_ = first_;
    shownLast_ = first_ + int(counts_.size()) - 1;
    if (trim_) {
        int low = shownLast_ + 1, high = shownFirst_ - 1;
        for (int v = shownFirst_; v <= shownLast_; ++v)
            if (countOf(v) != 0) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        if (marked_) {
            low = std::min(low, *marked_);
            high = std::max(high, *marked_);
        }
        if (low <= high) {
            shownFirst_ = low;
            shownLast_ = high;
        }
    }
    highest_ = 0;
    for (int v = shownFirst_; v <= shownLast_; ++v)
        highest_ = std::max(highest_, countOf(v));
}

std::uint64_t HistogramView::countOf(int value) const
{
    const int i = value - first_;
    return i >= 0 && i < int(counts_.size()) ? counts_[std::size_t(i)] : 0;
}

QRect HistogramView::plotRect() const
{
    const QFontMetrics metrics(font());
    const int top = Margin + 2 * metrics.height() + 2;
    const int bottom = height() - Margin - metrics.height() - MarkHeight - 2;
    return QRect(QPoint(Margin, top), QPoint(width() - Margin - 1, std::max(top, bottom)));
}

QRect HistogramView::barRect(int value) const
{
    const std::uint64_t count = countOf(value);
    if (value < shownFirst_ || value > shownLast_ || count == 0)
        return {};
    const QRect plot = plotRect();
    const double slot = double(plot.width()) / double(shownLast_ - shownFirst_ + 1);
    const int left = plot.left() + int(std::lround(slot * (value - shownFirst_)));
    const int right = plot.left() + int(std::lround(slot * (value - shownFirst_ + 1)));
    const int gap = slot >= 4 ? 1 : 0;
    const double share = log_ ? std::log1p(double(count)) / std::log1p(double(highest_))
                              : double(count) / double(highest_);
    // Every counted value shows at least a sliver: a rare value is still there.
    const int height = std::max(1, int(std::lround(share * plot.height())));
    return QRect(left, plot.bottom() - height + 1, std::max(1, right - left - gap), height);
}

QString HistogramView::barText(int value) const
{
    return QStringLiteral("%1 %2: %3 (%4 % %5)")
        .arg(valueName_)
        .arg(value)
        .arg(groupedNumber(countOf(value)), percentText(countOf(value), whole_, 3), wholeName_);
}

int HistogramView::valueAt(const QPoint &point) const
{
    const QRect plot = plotRect();
    if (shownLast_ < shownFirst_ || point.x() < plot.left() || point.x() > plot.right())
        return shownFirst_ - 1;
    const double slot = double(plot.width()) / double(shownLast_ - shownFirst_ + 1);
    return shownFirst_ + std::min(shownLast_ - shownFirst_, int((point.x() - plot.left()) / slot));
}

void HistogramView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics(font());
    const QRect plot = plotRect();
    painter.setPen(palette().color(QPalette::Text));

    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(QRect(Margin, Margin, width() - 2 * Margin, metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, title_);
    painter.setFont(font());

    const QRect scaleLine(Margin, Margin + metrics.height(), width() - 2 * Margin,
                          metrics.height());
    if (highest_ == 0) {
        painter.drawText(scaleLine, Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("пока ничего не сдано"));
    } else {
        painter.drawText(scaleLine, Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1макс. %2 %")
                             .arg(log_ ? QStringLiteral("лог. шкала, ") : QString(),
                                  percentText(highest_, whole_, 2)));
        // Quarter lines give the bars a scale to be read against.
        painter.setPen(palette().color(QPalette::Midlight));
        for (int q = 1; q <= 4; ++q) {
            const int y = plot.bottom() - int(std::lround(plot.height() * q / 4.0));
            painter.drawLine(plot.left(), y, plot.right(), y);
        }
    }
    painter.setPen(palette().color(QPalette::Text));
    painter.drawLine(plot.bottomLeft() + QPoint(0, 1), plot.bottomRight() + QPoint(0, 1));
    if (shownLast_ < shownFirst_)
        return;

    const double slot = double(plot.width()) / double(shownLast_ - shownFirst_ + 1);
    for (int v = shownFirst_; v <= shownLast_; ++v) {
        const QRect bar = barRect(v);
        if (!bar.isEmpty())
            painter.fillRect(bar, marked_ == v ? markColour() : barColour());
    }

    // Labels at the first step that leaves room between them.
    const int labelWidth = metrics.horizontalAdvance(QString::number(shownLast_)) + 6;
    int step = 1;
    for (const int s : {1, 2, 5, 10, 20, 50, 100}) {
        step = s;
        if (slot * s >= labelWidth)
            break;
    }
    const int labelTop = plot.bottom() + 2 + MarkHeight;
    for (int v = shownFirst_; v <= shownLast_; ++v) {
        if (v % step != 0)
            continue;
        const int centre = plot.left() + int(std::lround(slot * (v - shownFirst_ + 0.5)));
        painter.drawText(QRect(centre - labelWidth, labelTop, 2 * labelWidth, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(v));
    }

    if (marked_ && *marked_ >= shownFirst_ && *marked_ <= shownLast_) {
        const int centre = plot.left() + int(std::lround(slot * (*marked_ - shownFirst_ + 0.5)));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(markColour());
        const int y = plot.bottom() + 2;
        painter.drawPolygon(
            QPolygon({QPoint(centre, y), QPoint(centre - MarkHeight, y + MarkHeight),
                      QPoint(centre + MarkHeight, y + MarkHeight)}));
        if (countOf(*marked_) == 0) {
            // A value none of the deals reached: a thin line where its bar would be.
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(markColour(), 1, Qt::DashLine));
            painter.drawLine(centre, plot.top(), centre, plot.bottom());
        }
    }
}

bool HistogramView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int value = valueAt(help->pos());
        if (value >= shownFirst_ && value <= shownLast_ && whole_ > 0)
            QToolTip::showText(help->globalPos(), barText(value), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
