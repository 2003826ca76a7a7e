#pragma once

#include "platform/ReportLog.h"

#include <QPlainTextEdit>

namespace platform {

// The report box: shows the lines of a ReportLog, following its signals.
class ReportView : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ReportView(ReportLog &log, QWidget *parent = nullptr);

};

} // namespace platform
