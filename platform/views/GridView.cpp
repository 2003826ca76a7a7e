// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridView.h"

#include "TextDrawing.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace platform {

class GridView::Delegate : public QStyledItemDelegate
{
public:
    explicit Delegate(GridView *view) : QStyledItemDelegate(view), view_(view) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        painter->save();
        if (view_->draw_) {
            view_->draw_(*painter, index.column(), index.row(), option.rect);
        } else {
            painter->setPen(Qt::black);
            drawTextCentred(*painter, option.rect, index.data().toString());
        }
        // Drawn by hand: a style draws its focus frame only after a key moved the
        // focus, and the cell clicked must show as plainly as the cell reached by
        // the arrow keys. Dotted, one pixel on and one off, around the cell.
        if (view_->drawFocusRect_ && (option.state & QStyle::State_HasFocus)) {
            QPen dots(Qt::black, 0);
            dots.setDashPattern({1, 1});
            painter->setPen(dots);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

private:
    GridView *view_;
};

GridView::GridView(TextGrid &grid, QWidget *parent) : QTableView(parent), grid_(&grid)
{
    setModel(&grid);
    setItemDelegate(new Delegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    // As in a string grid, the cursor starts on the first cell below and right of
    // the titles, not on the corner.
    if (grid.rowCount() > 1 && grid.columnCount() > 1)
        setCurrentIndex(grid.index(1, 1));
}

void GridView::setDefaultColumnWidth(int width)
{
    // A string grid's default width returns every column to it.
    horizontalHeader()->setDefaultSectionSize(width + GridLine);
    for (int column = 0; grid_ && column < grid_->columnCount(); ++column)
        QTableView::setColumnWidth(column, width + GridLine);
}

void GridView::setDefaultRowHeight(int height)
{
    verticalHeader()->setDefaultSectionSize(height + GridLine);
    for (int row = 0; grid_ && row < grid_->rowCount(); ++row)
        QTableView::setRowHeight(row, height + GridLine);
}

void GridView::setColumnWidthOf(int column, int width)
{
    QTableView::setColumnWidth(column, width + GridLine);
}

QRect GridView::cellRect(int column, int row) const
{
    return grid_ ? visualRect(grid_->index(row, column)) : QRect();
}

void GridView::selectCellAt(int column, int row)
{
    if (select_)
        select_(column, row);
    if (grid_)
        setCurrentIndex(grid_->index(row, column));
    viewport()->update();
}

// Typing a character would jump to a cell whose text begins with it and select
// it; a string grid ignores typed characters.
void GridView::keyboardSearch(const QString &) {}

// Every cell is on show (the last ones cut off by at most a pixel or two), so the
// view never shifts to bring one into sight.
void GridView::scrollTo(const QModelIndex &, ScrollHint) {}

void GridView::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    leftDown_ = LeftDown::Pressed;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        setCurrentIndex(index);
    viewport()->update();
}

// The second press of a double click arrives as a double click, with no press
// before it: it is a click like any other, and selects at once, so three quick
// clicks are three clicks. Its release then selects nothing more.
void GridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    leftDown_ = LeftDown::DoubleClicked;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        selectCellAt(index.column(), index.row());
}

void GridView::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (leftDown_ != LeftDown::Pressed || !(event->buttons() & Qt::LeftButton))
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index != currentIndex()) {
        setCurrentIndex(index);
        viewport()->update();
    }
}

// A pressed cell is selected when the left button comes up over it: a click
// there, or a press elsewhere dragged onto it.
void GridView::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const bool pressed = leftDown_ == LeftDown::Pressed;
    leftDown_ = LeftDown::No;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (pressed && index.isValid())
        selectCellAt(index.column(), index.row());
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(event);
    const QModelIndex after = currentIndex();
    if (after.isValid() && after != before && select_)
        select_(after.column(), after.row());
    viewport()->update();
}

} // namespace platform
