// SPDX-License-Identifier: GPL-3.0-or-later
#include "RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(const QString &title, QWidget *parent)
    : QGroupBox(title, parent), layout_(new QVBoxLayout(this)), group_(new QButtonGroup(this))
{
    layout_->setContentsMargins(8, 0, 4, 0);
    layout_->setSpacing(0);
}

void RadioGroup::addItem(const QString &text)
{
    auto *button = new QRadioButton(text, this);
    group_->addButton(button, int(items_.size()));
    layout_->addWidget(button);
    items_.append(button);
}

int RadioGroup::itemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QRadioButton *button = item(index))
        button->setChecked(true);
}
