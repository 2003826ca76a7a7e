// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextGrid.h"

TextGrid::TextGrid(int columns, int rows, QObject *parent)
    : QAbstractTableModel(parent), columns_(columns), rows_(rows), cells_(qsizetype(columns) * rows)
{
    Q_ASSERT(columns > 0 && rows > 0);
}

int TextGrid::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columns_;
}

int TextGrid::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

QVariant TextGrid::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return cell(index.column(), index.row());
}

const QString &TextGrid::cell(int column, int row) const
{
    static const QString empty;
    if (!inside(column, row))
        return empty;
    return cells_[qsizetype(row) * columns_ + column];
}

void TextGrid::setCell(int column, int row, const QString &text)
{
    if (!inside(column, row))
        return;
    QString &target = cells_[qsizetype(row) * columns_ + column];
    if (target == text)
        return;
    target = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void TextGrid::clearRange(int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    firstColumn = qMax(firstColumn, 0);
    firstRow = qMax(firstRow, 0);
    lastColumn = qMin(lastColumn, columns_ - 1);
    lastRow = qMin(lastRow, rows_ - 1);
    bool any = false;
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column) {
            QString &target = cells_[qsizetype(row) * columns_ + column];
            if (!target.isEmpty()) {
                target.clear();
                any = true;
            }
        }
    // One signal for the whole range: clearing a table is one change to a view.
    if (any)
        emit dataChanged(index(firstRow, firstColumn), index(lastRow, lastColumn),
                         {Qt::DisplayRole});
}

QVector<QVector<QString>> TextGrid::rows() const
{
    QVector<QVector<QString>> result;
    result.reserve(rows_);
    for (int row = 0; row < rows_; ++row)
        result.append(cells_.mid(qsizetype(row) * columns_, columns_));
    return result;
}
