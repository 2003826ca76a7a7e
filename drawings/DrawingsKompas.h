// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawings/CompassWalk.h"
#include "platform/TextGrid.h"

#include <QDialog>
#include <QImage>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;

// The compass walk window: the analysed chain drawn as a walk, spades north,
// hearts south, clubs west and diamonds east, each card as many multiplier
// lengths as its rank index. It reads the chain row (row 1) of the main window's
// analysis table each time it is shown. What it draws is kept and painted again
// whenever the window repaints.
class TFormKompas : public QDialog
{
    Q_OBJECT
public:
    TFormKompas(CompassState &state, const TextGrid &analysisTable, QWidget *mainWindow);

    QPushButton *Button1;
    QPushButton *ButtonStep;
    QPushButton *Button2;
    QLabel *Label1;
    QLineEdit *Edit1;

    void FormActivate();
    void KalkKompas();
    void DrawKompas(int n, int ox, int oy);
    void DrawAxis(int ox, int oy, int left, int right, int top, int bottom);

    void ButtonStepClick();
    void Button2Click();
    void Button1Click();
    void Edit1Change();

    // The window's drawing as it was last painted on, and the lines the replay
    // wrote last (empty until the first replay step).
    const QImage &surface() const { return surface_; }
    const QStringList &replayText() const { return replayText_; }

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int windowSide() const;
    QImage &canvas();
    void fillSurface();

    CompassState &state_;
    const TextGrid &analysisTable_;
    QImage surface_;
    QStringList replayText_;
};
