// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilterUnit.h"

#include "platform/views/DesktopFonts.h"
#include "platform/views/DialogKeys.h"
#include "platform/views/GridView.h"
#include "platform/views/SystemColors.h"
#include "platform/views/TextDrawing.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QPainter>
#include <QPushButton>

namespace {

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TFormFilter::TFormFilter(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormFilter"));
    setWindowTitle(QStringLiteral("FormFilter"));
    setFont(platform::tahomaFont(11));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, platform::systemColor(platform::SystemColor::ButtonFace));
    setPalette(colours);
    setAutoFillBackground(true);

    StringGrid1 = named(new platform::GridView(sheet_.grid(), this), "StringGrid1");
    StringGrid1->setFont(platform::monospaceFont(QStringLiteral("Courier New"), 11));
    StringGrid1->setFrameShape(QFrame::Box);
    StringGrid1->setFrameShadow(QFrame::Plain);
    StringGrid1->setDrawCell([this](QPainter &painter, int column, int row, const QRect &rect) {
        StringGrid1DrawCell(painter, column, row, rect);
    });
    StringGrid1->setSelectCell([this](int column, int row) { StringGrid1SelectCell(column, row); });
    // The cell the arrow keys or a click reached shows, so the user sees which
    // cell the next key press advances.
    StringGrid1->setDrawFocusRect(true);

    // Shown and tickable, but nothing reads it.
    CheckBox1 =
        named(new QCheckBox(QStringLiteral("Искать по паттернам указанных гексаграмм"), this),
              "CheckBox1");
    CheckBox1->resize(257, 25);

    Button9 = named(new QPushButton(QStringLiteral("Закрыть"), this), "Button9");
    Button9->setGeometry(256, 376, 137, 25);
    connect(Button9, &QPushButton::clicked, this, &TFormFilter::Button9Click);
    // Return must not close the window and wipe the user's 36 marks.
    platform::closeOnlyByOwnButtons(*this);
}

void TFormFilter::FormActivate()
{
    // Every column back to the default width first, so column 12 never grows
    // by more than one step however often the window is activated.
    StringGrid1->setDefaultColumnWidth(23);
    StringGrid1->setDefaultRowHeight(15);
    sheet_.activate();
    StringGrid1->setColumnWidthOf(FilterSheet::PatternColumn,
                                  StringGrid1->columnWidthOf(FilterSheet::PatternColumn) + 57);
    StringGrid1->setGeometry(20, 20, 370, 129);
    CheckBox1->move(StringGrid1->x(), StringGrid1->y() + StringGrid1->height() + 10);
}

void TFormFilter::StringGrid1SelectCell(int column, int row)
{
    sheet_.select(column, row);
}

void TFormFilter::StringGrid1DrawCell(QPainter &painter, int column, int row, const QRect &rect)
{
    using platform::SystemColor;
    QColor brush = platform::systemColor(SystemColor::Window);
    const bool countCell = (column == FilterSheet::CountColumn || row == FilterSheet::CountRow) &&
                           column >= 1 && column <= FilterSheet::CountColumn && row >= 1 &&
                           row <= FilterSheet::CountRow;
    if (countCell)
        brush = platform::systemColor(SystemColor::ButtonFace);
    if (column == 0 || row == 0)
        brush = platform::systemColor(SystemColor::ButtonFace);
    // The header cell of a rank without a line is marked too.
    if (FilterSheet::hasNoLine(column))
        brush = platform::systemColor(SystemColor::ScrollBar);
    platform::fillAndDrawCentred(painter, rect, brush, sheet_.grid().cell(column, row));
}

void TFormFilter::Button9Click()
{
    close();
}

void TFormFilter::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            if (!awayFromApplication_)
                FormActivate();
            awayFromApplication_ = false;
        } else {
            // No active window left means another application took the focus.
            awayFromApplication_ = isVisible() && QApplication::activeWindow() == nullptr;
        }
    }
    QDialog::changeEvent(event);
}

void TFormFilter::showEvent(QShowEvent *event)
{
    // Every showing activates the window, even where the platform never
    // reports an activation (offscreen tests).
    awayFromApplication_ = false;
    FormActivate();
    QDialog::showEvent(event);
}
