// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportLog.h"

void ReportLog::append(const QString &line)
{
    lines_.append(line);
    emit lineAppended(line);
}

void ReportLog::clear()
{
    lines_.clear();
    emit cleared();
}
