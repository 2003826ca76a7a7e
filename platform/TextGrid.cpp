#include "TextGrid.h"

TextGrid::TextGrid(int columns, int rows)
    : columns_(columns), rows_(rows), cells_(qsizetype(columns) * rows)
{
}

const QString &TextGrid::cell(int column, int row) const
{
    static const QString empty;
    if (column < 0 || row < 0 || column >= columns_ || row >= rows_)
        return empty;
    return cells_[qsizetype(row) * columns_ + column];
}

void TextGrid::setCell(int column, int row, const QString &text)
{
    if (column < 0 || row < 0 || column >= columns_ || row >= rows_)
        return;
    QString &target = cells_[qsizetype(row) * columns_ + column];
    if (target == text)
        return;
    target = text;
    changed();
}

void TextGrid::clearRange(int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    bool any = false;
    for (int row = qMax(firstRow, 0); row <= qMin(lastRow, rows_ - 1); ++row)
        for (int column = qMax(firstColumn, 0); column <= qMin(lastColumn, columns_ - 1);
             ++column) {
            QString &target = cells_[qsizetype(row) * columns_ + column];
            if (!target.isEmpty()) {
                target.clear();
                any = true;
            }
        }
    if (any)
        changed();
}

QVector<QVector<QString>> TextGrid::rows() const
{
    QVector<QVector<QString>> result;
    result.reserve(rows_);
    for (int row = 0; row < rows_; ++row)
        result.append(cells_.mid(qsizetype(row) * columns_, columns_));
    return result;
}
