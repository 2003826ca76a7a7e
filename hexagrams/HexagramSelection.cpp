// SPDX-License-Identifier: GPL-3.0-or-later
#include "HexagramSelection.h"

#include "HexagramTexts.h"
#include "platform/IntConvert.h"

void AppendHexagramSelection(const TextGrid &StringGrid3, int column, int row, ReportLog &report)
{
    if (column != 8 || row < 1 || row > 4)
        return;
    const QString value = StringGrid3.cell(column, row);
    report.append(QStringLiteral("Таблица №3. Столбец = %1; Строка = %2; Значение = %3")
                      .arg(column)
                      .arg(row)
                      .arg(value));
    int n = 0;
    if (!platform::tryStrToInt(value, n) || n < 1 || n > HexagramTextTable::Count)
        return;
    report.append(QStringLiteral("Гексаграмма № ") + value + u' ' + HexagramTexts[n].Title);
    report.append(u' ' + HexagramTexts[n].Judgement);
}
