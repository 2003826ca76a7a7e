// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

// A bar chart of a histogram: one bar per value, its height the value's count,
// with one value marked (the analysed chain's). Hovering a bar tells its count
// and share.
class HistogramView : public QWidget
{
    Q_OBJECT
public:
    // wholeName says what the shares are of, as the tooltip ends: "всех раскладов".
    HistogramView(QString title, QString valueName, QString wholeName, QWidget *parent = nullptr);

    // counts[i] belongs to the value first + i; whole is what shares are taken of.
    // With trim, values at either end without a count are left out (keeping the
    // marked value), so that a long thin tail does not squeeze the bars.
    void setCounts(std::vector<std::uint64_t> counts, int first, std::uint64_t whole,
                   bool trim = false);
    void setMarked(std::optional<int> value);
    void setLogScale(bool on);

    QString title() const { return title_; }
    std::optional<int> marked() const { return marked_; }
    // The values shown, lowest to highest, and where each bar stands (an empty
    // rectangle for a value without a count), in widget coordinates.
    int firstShown() const { return shownFirst_; }
    int lastShown() const { return shownLast_; }
    QRect barRect(int value) const;
    // The text the tooltip shows over the value's bar.
    QString barText(int value) const;

    static QColor barColour() { return QColor(70, 110, 170); }
    static QColor markColour() { return QColor(220, 80, 40); }

    QSize sizeHint() const override { return {320, 170}; }
    QSize minimumSizeHint() const override { return {180, 110}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    void updateShown();
    QRect plotRect() const;
    std::uint64_t countOf(int value) const;
    int valueAt(const QPoint &point) const;

    QString title_, valueName_, wholeName_;
    std::vector<std::uint64_t> counts_;
    int first_ = 0;
    std::uint64_t whole_ = 0;
    bool trim_ = false;
    std::optional<int> marked_;
    bool log_ = false;
    int shownFirst_ = 0;
    int shownLast_ = -1;
    std::uint64_t highest_ = 0; // the tallest shown bar's count
};
