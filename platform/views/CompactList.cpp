// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompactList.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace platform {
namespace {

constexpr int Frame = 1;

// The style of the compact lists only: the frame, the arrow and the edit field
// are laid out and drawn here; everything else is the desktop style's.
class CompactListStyle : public QProxyStyle
{
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget) const override
    {
        if (control != CC_ComboBox)
            return QProxyStyle::subControlRect(control, option, part, widget);
        const QRect r = option->rect;
        switch (part) {
        case SC_ComboBoxFrame:
            return r;
        case SC_ComboBoxEditField:
            return QRect(r.x() + Frame, r.y() + Frame,
                         r.width() - 2 * Frame - CompactListArrowWidth, r.height() - 2 * Frame);
        case SC_ComboBoxArrow:
            return QRect(r.right() - Frame - CompactListArrowWidth + 1, r.y() + Frame,
                         CompactListArrowWidth, r.height() - 2 * Frame);
        case SC_ComboBoxListBoxPopup: {
            QRect popup = QProxyStyle::subControlRect(control, option, part, widget);
            if (const auto *list = qobject_cast<const QComboBox *>(widget))
                popup.setWidth(std::max(popup.width(), popupWidth(list)));
            return popup;
        }
        default:
            return QProxyStyle::subControlRect(control, option, part, widget);
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override
    {
        const auto *box = qstyleoption_cast<const QStyleOptionComboBox *>(option);
        if (control != CC_ComboBox || !box) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QPalette &colours = box->palette;
        const bool enabled = box->state & State_Enabled;
        const QRect field = subControlRect(control, option, SC_ComboBoxEditField, widget);
        const QRect arrow = subControlRect(control, option, SC_ComboBoxArrow, widget);
        painter->save();
        painter->fillRect(box->rect, colours.color(QPalette::Dark));
        painter->fillRect(field, enabled ? colours.color(QPalette::Base)
                                         : colours.color(QPalette::Window));
        const bool pressed =
            (box->activeSubControls & SC_ComboBoxArrow) && (box->state & State_Sunken);
        painter->fillRect(arrow,
                          pressed ? colours.color(QPalette::Mid) : colours.color(QPalette::Button));
        if (box->state & State_HasFocus) {
            painter->setPen(colours.color(QPalette::Highlight));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(box->rect.adjusted(0, 0, -1, -1));
        }
        // A small solid triangle, five pixels wide, centred in the arrow's strip.
        const QPoint centre = arrow.center();
        const int top = centre.y() - 1;
        painter->setPen(Qt::NoPen);
        painter->setBrush(enabled ? colours.color(QPalette::ButtonText)
                                  : colours.color(QPalette::Disabled, QPalette::ButtonText));
        painter->setRenderHint(QPainter::Antialiasing, false);
        for (int row = 0; row < 3; ++row)
            painter->fillRect(QRect(centre.x() - 2 + row, top + row, 5 - 2 * row, 1),
                              painter->brush());
        painter->restore();
    }

    SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                     const QPoint &point, const QWidget *widget) const override
    {
        if (control == CC_ComboBox &&
            subControlRect(control, option, SC_ComboBoxArrow, widget).contains(point))
            return SC_ComboBoxArrow;
        if (control == CC_ComboBox &&
            subControlRect(control, option, SC_ComboBoxEditField, widget).contains(point))
            return SC_ComboBoxEditField;
        return QProxyStyle::hitTestComplexControl(control, option, point, widget);
    }

private:
    static int popupWidth(const QComboBox *list)
    {
        const QAbstractItemView *view = list->view();
        const int scrollBar = list->count() > list->maxVisibleItems()
                                  ? view->verticalScrollBar()->sizeHint().width()
                                  : 0;
        return view->sizeHintForColumn(0) + 2 * view->frameWidth() + scrollBar + 4;
    }
};

QStyle *compactListStyle()
{
    // One style for every compact list, owned by the application.
    static QPointer<CompactListStyle> style;
    if (!style) {
        style = new CompactListStyle;
        style->setParent(QApplication::instance());
    }
    return style;
}

// QLineEdit keeps two pixels clear on either side of its text; in a compact list
// the frame and the glyphs' own side bearings keep the text off the edges.
const QMargins EditMargins(-2, 0, -2, 0);
constexpr int LineEditSideMargin = 2;

} // namespace

void makeCompactList(QComboBox *list)
{
    list->setStyle(compactListStyle());
    if (QLineEdit *edit = list->lineEdit())
        edit->setTextMargins(EditMargins);
}

int compactListTextWidth(const QComboBox *list)
{
    const QLineEdit *edit = list->lineEdit();
    if (!edit)
        return list->width() - 2 * Frame - CompactListArrowWidth;
    const QMargins margins = edit->textMargins();
    return edit->width() - margins.left() - margins.right() - 2 * LineEditSideMargin;
}

int selectedItemIndex(const QComboBox *list)
{
    const int index = list->currentIndex();
    const QString typed = list->currentText();
    if (index >= 0 && list->itemText(index) == typed)
        return index;
    return list->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

QString selectedItemText(const QComboBox *list)
{
    const int index = selectedItemIndex(list);
    return index >= 0 ? list->itemText(index) : QString();
}

} // namespace platform
