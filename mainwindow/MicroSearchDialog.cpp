// SPDX-License-Identifier: GPL-3.0-or-later
#include "MicroSearchDialog.h"

#include "search/MicroChainSearch.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

MicroSearchDialog::MicroSearchDialog(int count, MicroMethod method, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("MicroSearchDialog"));
    setWindowTitle(QStringLiteral("МикроЦС"));

    Count = new QSpinBox(this);
    Count->setObjectName(QStringLiteral("Count"));
    Count->setRange(1, MicroChainCapacity);
    Count->setValue(count);
    Count->setAccelerated(true);

    Method = new QComboBox(this);
    Method->setObjectName(QStringLiteral("Method"));
    Method->addItem(QStringLiteral("случайный перебор"));
    Method->addItem(QStringLiteral("поиск с возвратом"));
    Method->setCurrentIndex(method == MicroMethod::Search ? 1 : 0);

    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName(QStringLiteral("Buttons"));
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *fields = new QFormLayout;
    fields->addRow(
        QStringLiteral("Сколько МикроЦС построить (от 1 до %1):").arg(MicroChainCapacity), Count);
    fields->addRow(QStringLiteral("Способ:"), Method);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(Buttons);

    Count->setFocus();
    Count->selectAll();
}

int MicroSearchDialog::count() const
{
    return Count->value();
}

MicroMethod MicroSearchDialog::method() const
{
    return Method->currentIndex() == 1 ? MicroMethod::Search : MicroMethod::GenerateAndTest;
}
