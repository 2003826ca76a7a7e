#include "ReportLog.h"

void ReportLog::append(const QString &line)
{
    lines_.append(line);
    if (listener_)
        listener_();
}

void ReportLog::clear()
{
    lines_.clear();
    if (listener_)
        listener_();
}
