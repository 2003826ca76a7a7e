// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandMessages.h"

#include "CommandOptions.h"
#include "CommandOutput.h"
#include "Interrupt.h"

int failWith(const QString &command, const QString &message, int status)
{
    writeError(command.isEmpty() ? QStringLiteral("tlcalc-cli: ") + message
                                 : QStringLiteral("tlcalc-cli %1: %2").arg(command, message));
    return status;
}

int finishOutput(const QString &command, int status)
{
    OutputStream &output = standardOutput();
    if (output.flush())
        return status;
    return failWith(command, QStringLiteral("write error: ") + errorReason(output.error()),
                    IoFailure);
}

QString lineLabel(qint64 number)
{
    return QStringLiteral("строка %1").arg(number);
}

void noteCp1251(const QString &command, const QString &what)
{
    static bool noted = false;
    if (noted)
        return;
    noted = true;
    failWith(command,
             QStringLiteral("%1: not valid UTF-8: reading it and any like it as Windows-1251 "
                            "(--encoding utf-8 or cp1251 decides)")
                 .arg(what),
             0);
}

int finishAtLimit(const CommandLine &line, const QCommandLineOption &timeLimit, bool triesSpent,
                  std::uint64_t tries, const QString &what, const QString &done)
{
    const int status = finishOutput(line.command(), LimitReached);
    if (status != LimitReached)
        return status;
    const QString bound =
        triesSpent
            ? QStringLiteral("--max-tries reached after %1 %2").arg(QString::number(tries), what)
            : QStringLiteral("--time-limit of %1 s reached").arg(line.value(timeLimit));
    return line.fail(bound + QStringLiteral(": ") + done, LimitReached);
}

int finishInterrupted(const CommandLine &line, int signal, const QString &done)
{
    const int status = 128 + signal;
    const int written = finishOutput(line.command(), status);
    if (written != status)
        return written;
    return line.fail(QStringLiteral("interrupted by %1: ").arg(signalName(signal)) + done, status);
}
