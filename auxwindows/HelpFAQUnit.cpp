// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpFAQUnit.h"

#include "HelpText.h"

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

TFormHelp::TFormHelp(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormHelp"));
    setWindowTitle(QStringLiteral("FormHelp"));
    resize(400, 500);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto *windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->addWidget(PageControl1);

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Гексограммы"));

    Memo1 = new QPlainTextEdit(TabSheet1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    // A vertical bar only; lines too long for the page wrap instead of hiding.
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setPlainText(hexagramHelpLines().join(u'\n'));
    auto *pageLayout = new QVBoxLayout(TabSheet1);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(Memo1);
}
