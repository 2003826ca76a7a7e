// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QTabWidget;
class QWidget;

// The help window: one page on the meaning of the six lines of a hexagram.
class TFormHelp : public QDialog
{
    Q_OBJECT

public:
    explicit TFormHelp(QWidget *parent = nullptr);

    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
};
