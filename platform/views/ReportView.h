// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ReportLog.h"

#include <QPlainTextEdit>

namespace platform {

// The report box: shows the lines of a ReportLog, following its signals. Lines
// longer than the box wrap, and a line appended comes into sight even when the
// user had scrolled up to read earlier ones.
class ReportView : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ReportView(ReportLog &log, QWidget *parent = nullptr);

private:
    void appendLine(const QString &line);
};

} // namespace platform
