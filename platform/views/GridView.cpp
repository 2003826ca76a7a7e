#include "GridView.h"

#include "TextDrawing.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
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
        if (view_->drawFocusRect_ && (option.state & QStyle::State_HasFocus)) {
            QStyleOptionFocusRect focus;
            focus.initFrom(view_);
            focus.rect = option.rect.adjusted(1, 1, -1, -1);
            view_->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, view_);
        }
        painter->restore();
    }

private:
    GridView *view_;
};

GridView::GridView(TextGrid &grid, QWidget *parent)
    : QTableView(parent), grid_(&grid)
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
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
}

void GridView::setDefaultColumnWidth(int width)
{
    // A string grid's default width returns every column to it.
    horizontalHeader()->setDefaultSectionSize(width);
    for (int column = 0; grid_ && column < grid_->columnCount(); ++column)
        setColumnWidth(column, width);
}

void GridView::setDefaultRowHeight(int height)
{
    verticalHeader()->setDefaultSectionSize(height);
    for (int row = 0; grid_ && row < grid_->rowCount(); ++row)
        setRowHeight(row, height);
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

void GridView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && select_)
        select_(index.column(), index.row());
    QTableView::mousePressEvent(event);
    viewport()->update();
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
