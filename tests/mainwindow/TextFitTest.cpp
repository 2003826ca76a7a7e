// SPDX-License-Identifier: GPL-3.0-or-later
#include "../SystemTestSupport.h"
#include "MainWindowFixture.h"
#include "drawings/DrawingsGeometry.h"
#include "drawings/DrawingsKompas.h"
#include "drawings/ImageBox.h"
#include "drawings/KompasDrawUnit.h"
#include "hexagrams/views/FilterUnit.h"
#include "platform/views/CompactList.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

// Every caption, label, list item, title cell and picture label of the windows,
// measured with its font against the room its box leaves it, on the fonts the
// program loads at start.
namespace {

struct TextInBox
{
    QString where;
    QString text;
    int needed;
    int room;
};

QString nameOf(const QWidget *widget)
{
    return widget->window()->objectName() + u'.' + widget->objectName();
}

int advance(const QFont &font, const QString &text)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

template <typename Button> int buttonRoom(const Button *button, QStyle::SubElement contents)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(contents, &option, button).width();
}

void collectControls(QWidget *window, QList<TextInBox> &texts)
{
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->isVisibleTo(window) && !label->text().isEmpty())
            texts.append({nameOf(label), label->text(), advance(label->font(), label->text()),
                          label->contentsRect().width()});
    }
    for (const QCheckBox *box : window->findChildren<QCheckBox *>()) {
        if (box->isVisibleTo(window))
            texts.append({nameOf(box), box->text(), advance(box->font(), box->text()),
                          buttonRoom(box, QStyle::SE_CheckBoxContents)});
    }
    for (const QRadioButton *item : window->findChildren<QRadioButton *>()) {
        // A radio group lays its items out: the room is the item's own width.
        if (item->isVisibleTo(window))
            texts.append({nameOf(item), item->text(), advance(item->font(), item->text()),
                          buttonRoom(item, QStyle::SE_RadioButtonContents)});
    }
    for (const QPushButton *button : window->findChildren<QPushButton *>()) {
        if (button->isVisibleTo(window) && !button->text().isEmpty())
            texts.append({nameOf(button), button->text(), advance(button->font(), button->text()),
                          buttonRoom(button, QStyle::SE_PushButtonContents)});
    }
    for (const QGroupBox *box : window->findChildren<QGroupBox *>()) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.textAlignment = box->alignment();
        const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                         QStyle::SC_GroupBoxLabel, box);
        texts.append({nameOf(box), box->title(), label.left() + advance(box->font(), box->title()),
                      box->width()});
    }
    for (const QComboBox *list : window->findChildren<QComboBox *>()) {
        if (!list->isVisibleTo(window))
            continue;
        // The cursor's pixel follows the text.
        for (int i = 0; i < list->count(); ++i)
            texts.append({nameOf(list), list->itemText(i),
                          advance(list->lineEdit()->font(), list->itemText(i)) + 1,
                          platform::compactListTextWidth(list)});
    }
    for (const platform::GridView *grid : window->findChildren<platform::GridView *>()) {
        const TextGrid &cells = *grid->grid();
        // Title cells: one pixel in from the left edge.
        for (int column = 0; column < cells.columnCount(); ++column)
            for (int row = 0; row < cells.rowCount(); ++row)
                if ((column == 0 || row == 0) && !cells.cell(column, row).isEmpty())
                    texts.append({nameOf(grid), cells.cell(column, row),
                                  1 + advance(grid->font(), cells.cell(column, row)),
                                  grid->columnWidthOf(column)});
    }
}

class TextFit : public MainWindowTest
{
};

} // namespace

TEST_F(TextFit, EveryTextShowsWholeInItsBox)
{
    if (runsUnderWine())
        GTEST_SKIP() << "Wine has no Lucida Console, and its Tahoma measures a few pixels "
                        "wider than the boxes sized for Tahoma";
    ASSERT_EQ(QFontInfo(form->font()).family(), QStringLiteral("Tahoma"))
        << "Tahoma is not loaded: install fonts-wine";
    QWidget owner;
    TFormFilter filter(&owner);
    filter.resize(690, 465);
    filter.show();
    TFormKompas compass(*state, form->tables().StringGrid1, &owner);
    compass.show();
    TFormDrawings drawings(*state, services, form->tables().StringGrid1, &owner);
    drawings.show();
    QList<TextInBox> texts;
    for (QWidget *window : {static_cast<QWidget *>(form.get()), static_cast<QWidget *>(&filter),
                            static_cast<QWidget *>(&compass), static_cast<QWidget *>(&drawings)})
        collectControls(window, texts);

    // The generator's count of a long run.
    texts.append({QStringLiteral("Label1 during a run"),
                  QStringLiteral("Перебрали = 2147483647 вариантов"),
                  advance(form->Label1->font(), QStringLiteral("Перебрали = 2147483647 вариантов")),
                  form->Label1->contentsRect().width()});
    // The hexagram picture's labels, 100 pixels apart, the last one cut by the
    // client area's edge.
    const QRect area = form->hexagramPictureArea();
    const QStringList suits = {QStringLiteral("Пики   #64"), QStringLiteral("Буби   #64"),
                               QStringLiteral("Крести #64"), QStringLiteral("Черви  #64")};
    for (int i = 0; i < 4; ++i)
        texts.append({QStringLiteral("hexagram picture"), suits[i],
                      10 + advance(form->font(), suits[i]), i < 3 ? 100 : area.width() - 100 * i});
    // The drawings picture's labels as the compass lists first name the suits.
    const QImage &picture = drawings.ImageKoloda->canvas(Qt::white);
    const DrawingFrame frame = drawingFrame(picture.width(), picture.height());
    QFont labelFont = drawings.ImageKoloda->font();
    labelFont.setBold(true);
    labelFont.setItalic(true);
    for (const PlacedText &label :
         drawingLabels(frame, QStringLiteral("Пики"), QStringLiteral("Черви"),
                       QStringLiteral("Крести"), QStringLiteral("Бубны")))
        texts.append({QStringLiteral("drawings picture"), label.Text,
                      label.TopLeft.x() + advance(labelFont, label.Text), picture.width()});

    ASSERT_GT(texts.size(), 200);
    for (const TextInBox &t : texts)
        EXPECT_LE(t.needed, t.room) << t.where.toStdString() << ": «" << t.text.toStdString()
                                    << "» needs " << t.needed << " pixels, has " << t.room;
}

TEST_F(TextFit, TheReportAndTheChainLineAreMonospaced)
{
    if (runsUnderWine())
        GTEST_SKIP() << "Wine has no Lucida Console, and its Tahoma measures a few pixels "
                        "wider than the boxes sized for Tahoma";
    for (const QWidget *box :
         {static_cast<QWidget *>(form->RichEdit1), static_cast<QWidget *>(form->Edit1)}) {
        const QFontMetrics metrics(box->font());
        EXPECT_TRUE(QFontInfo(box->font()).fixedPitch())
            << QFontInfo(box->font()).family().toStdString();
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiii")),
                  metrics.horizontalAdvance(QStringLiteral("ЖЖЖЖ")));
    }
}
