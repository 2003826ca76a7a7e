// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/MicroChainSearch.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;

// The question the "МикроЦС" menu item asks: how many micro-chains (a whole
// number from 1 to 500), by which method, and whether only those that collapse
// to two cards are kept. It shows the EFL and the target the search will take
// from the main window's lists, read-only. OK with a count it cannot take shows
// why through showMessage and leaves the dialog open.
class MicroSearchDialog : public QDialog
{
    Q_OBJECT
public:
    MicroSearchDialog(int count, MicroMethod method, bool collapsing, const QString &eflText,
                      const QString &targetText, std::function<void(const QString &)> showMessage,
                      QWidget *parent = nullptr);

    // The count typed; 0 when it is no whole number from 1 to 500.
    int count() const;
    MicroMethod method() const;
    bool collapsing() const;

    void accept() override;

    QLineEdit *Count = nullptr;
    QLineEdit *Efl = nullptr;
    QLineEdit *Target = nullptr;
    QComboBox *Method = nullptr;
    QCheckBox *Collapsing = nullptr;
    QDialogButtonBox *Buttons = nullptr;

private:
    std::function<void(const QString &)> showMessage_;
};

// The count a dialog's text gives: a whole number from 1 to 500, blanks around
// it allowed; nothing otherwise.
std::optional<int> microCountOf(const QString &text);

inline const QString MicroCountOutOfRangeText =
    QStringLiteral("Сколько МикроЦС построить: введите целое число от 1 до 500, а не «%1».");
