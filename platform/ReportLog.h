#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The lines of the report box. Features append lines; the view shows them.
class ReportLog
{
public:
    void append(const QString &line);
    void clear();

    const QStringList &lines() const { return lines_; }
    int lineCount() const { return int(lines_.size()); }

    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    QStringList lines_;
    std::function<void()> listener_;
};
