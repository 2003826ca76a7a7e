// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QVector>

// A grid's cells as text, addressed (column, row) from 0. The analyses read and
// write these cells; views show them through the model interface and hear of
// every change by its signals. Reading outside the grid gives the empty text and
// writing there is ignored, as a string grid's cells behave.
class TextGrid : public QAbstractTableModel
{
    Q_OBJECT
public:
    TextGrid(int columns, int rows, QObject *parent = nullptr);

    int columnCount(const QModelIndex &parent = {}) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QString &cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    // Empties every cell of columns [firstColumn, lastColumn] x rows [firstRow, lastRow].
    void clearRange(int firstColumn, int firstRow, int lastColumn, int lastRow);

    // Rows from row 0 down, each the texts of its cells from column 0.
    QVector<QVector<QString>> rows() const;

private:
    bool inside(int column, int row) const
    {
        return column >= 0 && row >= 0 && column < columns_ && row < rows_;
    }

    int columns_;
    int rows_;
    QVector<QString> cells_;
};
