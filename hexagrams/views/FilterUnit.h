// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "hexagrams/FilterSheet.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QRect;

namespace platform {
class GridView;
} // namespace platform

// The hexagram filter window: the user marks the 36 suit-and-rank cells of its
// own work sheet and sees each suit's line pattern and hexagram at once. It
// neither reads nor changes the analysed chain. The main window sizes and places
// it before every showing, so it never sizes itself.
class TFormFilter : public QDialog
{
    Q_OBJECT
public:
    explicit TFormFilter(QWidget *parent = nullptr);

    // Handlers, named as the controls' events.
    void FormActivate();
    void StringGrid1SelectCell(int column, int row);
    void StringGrid1DrawCell(QPainter &painter, int column, int row, const QRect &rect);
    void Button9Click();

    // Controls, named as the window's fields.
    platform::GridView *StringGrid1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QPushButton *Button9 = nullptr;

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    FilterSheet sheet_;
    // Set while another application holds the focus: coming back from it is
    // not an activation of this window, and must not wipe the user's cells.
    bool awayFromApplication_ = false;
};
