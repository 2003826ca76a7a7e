// SPDX-License-Identifier: GPL-3.0-or-later
#include "MicroSearchDialog.h"

#include "platform/IntConvert.h"
#include "search/MicroChainSearch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

std::optional<int> microCountOf(const QString &text)
{
    int count = 0;
    if (!platform::tryStrToInt(text.trimmed(), count) || count < 1 || count > MicroChainCapacity)
        return std::nullopt;
    return count;
}

MicroSearchDialog::MicroSearchDialog(int count, MicroMethod method, bool collapsing,
                                     const QString &eflText, const QString &targetText,
                                     std::function<void(const QString &)> showMessage,
                                     QWidget *parent)
    : QDialog(parent), showMessage_(std::move(showMessage))
{
    setObjectName(QStringLiteral("MicroSearchDialog"));
    setWindowTitle(QStringLiteral("МикроЦС"));

    // A plain line: a spin box with a top of 500 would cut "600" to "60" as it
    // is typed, with no word of why.
    Count = new QLineEdit(QString::number(count), this);
    Count->setObjectName(QStringLiteral("Count"));

    Efl = new QLineEdit(eflText, this);
    Efl->setObjectName(QStringLiteral("Efl"));
    Target = new QLineEdit(targetText, this);
    Target->setObjectName(QStringLiteral("Target"));
    for (QLineEdit *shown : {Efl, Target}) {
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::ClickFocus);
    }
    auto *whence = new QLabel(
        QStringLiteral("EFL и целевая карта берутся из списков главного окна "
                       "«Максимальный обвал EFL >=» и «Задать значение Целевой карты =»."),
        this);
    whence->setObjectName(QStringLiteral("Whence"));
    whence->setWordWrap(true);

    Method = new QComboBox(this);
    Method->setObjectName(QStringLiteral("Method"));
    Method->addItem(QStringLiteral("случайный перебор"));
    Method->addItem(QStringLiteral("поиск с возвратом"));
    Method->setCurrentIndex(method == MicroMethod::Search ? 1 : 0);

    Collapsing = new QCheckBox(QStringLiteral("только сворачивающиеся до двух"), this);
    Collapsing->setObjectName(QStringLiteral("Collapsing"));
    Collapsing->setChecked(collapsing);
    Collapsing->setToolTip(QStringLiteral("Оставлять только МикроЦС, которые сами сворачиваются "
                                          "до двух карт; остальные строятся заново."));

    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName(QStringLiteral("Buttons"));
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *fields = new QFormLayout;
    fields->addRow(
        QStringLiteral("Сколько МикроЦС построить (от 1 до %1):").arg(MicroChainCapacity), Count);
    fields->addRow(QStringLiteral("EFL:"), Efl);
    fields->addRow(QStringLiteral("Целевая карта:"), Target);
    fields->addRow(whence);
    fields->addRow(QStringLiteral("Способ:"), Method);
    fields->addRow(Collapsing);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(Buttons);

    Count->setFocus();
    Count->selectAll();
}

int MicroSearchDialog::count() const
{
    return microCountOf(Count->text()).value_or(0);
}

MicroMethod MicroSearchDialog::method() const
{
    return Method->currentIndex() == 1 ? MicroMethod::Search : MicroMethod::GenerateAndTest;
}

bool MicroSearchDialog::collapsing() const
{
    return Collapsing->isChecked();
}

void MicroSearchDialog::accept()
{
    if (!microCountOf(Count->text())) {
        if (showMessage_)
            showMessage_(MicroCountOutOfRangeText.arg(Count->text()));
        Count->setFocus();
        Count->selectAll();
        return;
    }
    QDialog::accept();
}
