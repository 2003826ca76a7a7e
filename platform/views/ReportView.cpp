#include "ReportView.h"

namespace platform {

ReportView::ReportView(ReportLog &log, QWidget *parent) : QPlainTextEdit(parent), log_(log)
{
    // The lines live in the log; the box is a view of them.
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    log_.setChangeListener([this] { follow(); });
    follow();
}

void ReportView::follow()
{
    const QStringList &lines = log_.lines();
    if (lines.size() == shown_ + 1 && shown_ > 0) {
        appendPlainText(lines.back());
    } else {
        setPlainText(lines.join(u'\n'));
    }
    shown_ = int(lines.size());
}

} // namespace platform
