// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportView.h"

#include <QScrollBar>

namespace platform {

ReportView::ReportView(ReportLog &log, QWidget *parent) : QPlainTextEdit(parent)
{
    // The lines live in the log; the box is a view of them.
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setPlainText(log.lines().join(u'\n'));
    connect(&log, &ReportLog::lineAppended, this, &ReportView::appendLine);
    connect(&log, &ReportLog::cleared, this, &ReportView::clear);
}

void ReportView::appendLine(const QString &line)
{
    appendPlainText(line);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

} // namespace platform
