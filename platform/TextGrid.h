#pragma once

#include <QString>
#include <QVector>

#include <functional>

// A grid's cells as text, addressed (column, row) from 0. The analyses read and
// write these cells; a view only shows them. Reading outside the grid gives the
// empty text and writing there is ignored, as a string grid's cells behave.
class TextGrid
{
public:
    TextGrid(int columns, int rows);

    int columnCount() const { return columns_; }
    int rowCount() const { return rows_; }

    const QString &cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    // Empties every cell of columns [firstColumn, lastColumn] x rows [firstRow, lastRow].
    void clearRange(int firstColumn, int firstRow, int lastColumn, int lastRow);

    // Rows from row 0 down, each the texts of its cells from column 0.
    QVector<QVector<QString>> rows() const;

    // Called after every change, so a view can schedule a repaint.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    void changed()
    {
        if (listener_)
            listener_();
    }

    int columns_;
    int rows_;
    QVector<QString> cells_;
    std::function<void()> listener_;
};
