// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The lines of the report box. Features append lines; views follow the signals.
class ReportLog : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    void append(const QString &line);
    void clear();

    const QStringList &lines() const { return lines_; }
    int lineCount() const { return int(lines_.size()); }

signals:
    void lineAppended(const QString &line);
    void cleared();

private:
    QStringList lines_;
};
