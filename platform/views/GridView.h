#pragma once

#include "platform/TextGrid.h"

#include <QPointer>
#include <QTableView>

#include <functional>

class QPainter;

namespace platform {

// A string grid's view over a TextGrid: every cell, row 0 and column 0 included,
// is painted by the owner's draw routine; there are no Qt headers. Cells are
// separated by one-pixel grid lines, as a string grid draws them. The view follows
// the grid's change signals; a grid destroyed first leaves an empty view.
class GridView : public QTableView
{
    Q_OBJECT
public:
    using DrawCell = std::function<void(QPainter &painter, int column, int row, const QRect &rect)>;
    using SelectCell = std::function<void(int column, int row)>;

    GridView(TextGrid &grid, QWidget *parent = nullptr);

    TextGrid *grid() const { return grid_; }

    void setDefaultColumnWidth(int width);
    void setDefaultRowHeight(int height);
    int columnWidthOf(int column) const { return columnWidth(column); }
    void setColumnWidthOf(int column, int width) { setColumnWidth(column, width); }

    // Called for every cell painted; without it the text is drawn plainly.
    void setDrawCell(DrawCell draw) { draw_ = std::move(draw); }
    // Called when a cell is about to be selected, by a click (also on the
    // selected cell) or by moving the cursor with the keyboard.
    void setSelectCell(SelectCell select) { select_ = std::move(select); }
    // Draws the focus rectangle around the focused cell over the owner's drawing.
    void setDrawFocusRect(bool draw) { drawFocusRect_ = draw; }

    // The rectangle of a cell in viewport coordinates.
    QRect cellRect(int column, int row) const;

    // Selects a cell as a click would (tests, keyboard-free callers).
    void selectCellAt(int column, int row);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    class Delegate;

    QPointer<TextGrid> grid_;
    DrawCell draw_;
    SelectCell select_;
    bool drawFocusRect_ = false;
};

} // namespace platform
