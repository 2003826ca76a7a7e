// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/MicroChainSearch.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QSpinBox;

// The question the "МикроЦС" menu item asks: how many micro-chains (a whole
// number from 1 to 500) and by which method.
class MicroSearchDialog : public QDialog
{
    Q_OBJECT
public:
    MicroSearchDialog(int count, MicroMethod method, QWidget *parent = nullptr);

    int count() const;
    MicroMethod method() const;

    QSpinBox *Count = nullptr;
    QComboBox *Method = nullptr;
    QDialogButtonBox *Buttons = nullptr;
};
