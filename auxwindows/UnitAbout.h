// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about window: the program's title, our picture and a button to go on. It
// lays itself out on every activation, as it always did.
class TFormAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TFormAbout(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QLabel *Image1 = nullptr;
    QPushButton *Button1 = nullptr;

    void FormActivate();
    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
};
