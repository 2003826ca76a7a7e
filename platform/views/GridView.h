// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextGrid.h"

#include <QPointer>
#include <QTableView>

#include <functional>

class QPainter;

namespace platform {

// A string grid's view over a TextGrid: every cell, row 0 and column 0 included,
// is painted by the owner's draw routine; there are no Qt headers. As in a string
// grid, a one-pixel grid line follows every column and row: a column of width 23
// takes 24 pixels, so the cells fill the frame they were laid out for. Cells past
// the frame are cut off, never scrolled to.
//
// A cell is selected by a left click (each click of a double click counts), by
// a press dragged onto it and released there, or by moving the cursor with the
// arrow keys.
// Other buttons and typed characters select nothing, and Tab moves on to the
// next control. The focused cell wears a dotted focus rectangle however the grid
// got the focus, where the owner asks for it.
class GridView : public QTableView
{
    Q_OBJECT
public:
    using DrawCell = std::function<void(QPainter &painter, int column, int row, const QRect &rect)>;
    using SelectCell = std::function<void(int column, int row)>;

    GridView(TextGrid &grid, QWidget *parent = nullptr);

    TextGrid *grid() const { return grid_; }

    // Widths and heights as a string grid counts them, without the grid line.
    void setDefaultColumnWidth(int width);
    void setDefaultRowHeight(int height);
    int columnWidthOf(int column) const { return columnWidth(column) - GridLine; }
    void setColumnWidthOf(int column, int width);
    int rowHeightOf(int row) const { return rowHeight(row) - GridLine; }

    // Called for every cell painted; without it the text is drawn plainly.
    void setDrawCell(DrawCell draw) { draw_ = std::move(draw); }
    // Called when a cell is selected, by a click (also on the selected cell) or
    // by moving the cursor with the keyboard.
    void setSelectCell(SelectCell select) { select_ = std::move(select); }
    // Draws the focus rectangle around the focused cell over the owner's drawing.
    void setDrawFocusRect(bool draw) { drawFocusRect_ = draw; }

    // The rectangle of a cell in viewport coordinates, its grid line included.
    QRect cellRect(int column, int row) const;

    // Selects a cell as a click would (tests, keyboard-free callers).
    void selectCellAt(int column, int row);

    void keyboardSearch(const QString &search) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

    static constexpr int GridLine = 1;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    class Delegate;

    // How the left button last went down on this grid, while it is down.
    enum class LeftDown
    {
        No,
        Pressed,
        DoubleClicked,
    };

    QPointer<TextGrid> grid_;
    DrawCell draw_;
    SelectCell select_;
    bool drawFocusRect_ = false;
    LeftDown leftDown_ = LeftDown::No;
};

} // namespace platform
