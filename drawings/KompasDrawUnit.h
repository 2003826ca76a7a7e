// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DrawingsGeometry.h"
#include "platform/Services.h"
#include "platform/TextGrid.h"

#include <QDialog>
#include <QPen>

#include <cstdint>

class ImageBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class RadioGroup;

// The drawings window: the analysed chain as a walk over a compass card, drawn
// whole or a growing number of steps at a time. It reads the chain row (row 1)
// of the main window's analysis table; the picture keeps what was last drawn on
// it between showings.
class TFormDrawings : public QDialog
{
    Q_OBJECT
public:
    TFormDrawings(DrawingsState &state, const platform::Services &services,
                  const TextGrid &analysisTable, QWidget *mainWindow);

    QGroupBox *GroupBox1;
    QPushButton *ButtonAll;
    QPushButton *ButtonStep;
    QPushButton *ButtonClose;
    QGroupBox *GroupBox2;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QComboBox *ComboBox1;
    QComboBox *ComboBox2;
    QComboBox *ComboBox3;
    QComboBox *ComboBox4;
    QGroupBox *GroupBox3;
    ImageBox *ImageKompas;
    QGroupBox *GroupBox4;
    ImageBox *ImageKoloda;
    RadioGroup *RadioGroup1;
    QGroupBox *GroupBox5;
    QLabel *Label5;
    QLabel *Label6;
    QComboBox *ComboBox5;
    QComboBox *ComboBox6;

    void ButtonAllClick();
    void ButtonStepClick();
    void ButtonCloseClick();

    void ClearImage();
    void Line(const QColor &Color, Qt::PenStyle PenStyle, int X1, int Y1, int X2, int Y2);
    void Tri(const QColor &Color, Qt::BrushStyle BrushStyle, QPoint P1, QPoint P2, QPoint P3);
    void DrawAxis(const QColor &Color, Qt::PenStyle PenStyle, int X0, int Y0, int Left, int Top,
                  int Right, int Bottom);
    void ShowStar(int X0, int Y0, int Left, int Top, int Right, int Bottom);
    void StepNumber(std::uint8_t Count);

private:
    void FormCreate(QWidget *mainWindow);
    QImage &surface();
    // The item a compass list shows, or -1 when its text was typed over.

    DrawingsState &state_;
    const platform::Services &services_;
    const TextGrid &analysisTable_;
    // The picture's pen lives on between drawing operations, as a canvas's does:
    // Line changes only its colour and style, so the walk keeps the width the
    // frame left.
    QPen pen_;
};
