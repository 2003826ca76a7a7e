// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemTestSupport.h"

#include <QDir>
#include <QFile>

#include <signal.h>
#include <unistd.h>

int threadsNamed(const char *name)
{
    int count = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name)
            ++count;
    }
    return count;
}

bool runsUnderWine()
{
    return false;
}

int openPipe(int fds[2])
{
    return ::pipe(fds);
}

void allowStopRequests(QProcess &) {}

bool requestStop(QProcess &process, int signal)
{
    return ::kill(pid_t(process.processId()), signal) == 0;
}

int signalReceived(int signal)
{
    return signal;
}
