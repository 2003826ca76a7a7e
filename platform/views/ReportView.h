#pragma once

#include "platform/ReportLog.h"

#include <QPlainTextEdit>

namespace platform {

// The report box: shows the lines of a ReportLog, following every change.
class ReportView : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ReportView(ReportLog &log, QWidget *parent = nullptr);

private:
    void follow();

    ReportLog &log_;
    int shown_ = 0;
};

} // namespace platform
