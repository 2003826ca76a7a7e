// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QVector>

class QButtonGroup;
class QRadioButton;
class QVBoxLayout;

// A titled box of radio buttons of which one is chosen, addressed by item index.
class RadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    explicit RadioGroup(const QString &title, QWidget *parent = nullptr);

    void addItem(const QString &text);
    int count() const { return int(items_.size()); }
    QRadioButton *item(int index) const { return items_.value(index); }

    // -1 when no item is chosen.
    int itemIndex() const;
    void setItemIndex(int index);

private:
    QVBoxLayout *layout_;
    QButtonGroup *group_;
    QVector<QRadioButton *> items_;
};
