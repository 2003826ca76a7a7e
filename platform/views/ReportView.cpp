#include "ReportView.h"

namespace platform {

ReportView::ReportView(ReportLog &log, QWidget *parent) : QPlainTextEdit(parent)
{
    // The lines live in the log; the box is a view of them.
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setPlainText(log.lines().join(u'\n'));
    connect(&log, &ReportLog::lineAppended, this, &ReportView::appendPlainText);
    connect(&log, &ReportLog::cleared, this, &ReportView::clear);
}

} // namespace platform
