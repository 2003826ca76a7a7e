// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandMessages.h"
#include "CommandOutput.h"
#include "Commands.h"
#include "platform/OperatingSystem.h"
#include "platform/TextEncoding.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

namespace {

int usageError(const QString &message)
{
    failWith(QString(), message, BadUsage);
    writeError(QStringLiteral("Try 'tlcalc-cli --help' for more information."));
    return BadUsage;
}

// The encoding --encoding names among the command's raw arguments, so that the
// arguments themselves (a chain text among them) are read as the input is. A name
// the command will refuse reads them as UTF-8.
InputEncoding argumentEncoding(const std::vector<QByteArray> &raw)
{
    for (std::size_t i = 2; i < raw.size(); ++i) {
        const QByteArray &argument = raw[i];
        if (argument == "--")
            break;
        QByteArray name;
        if (argument == "--encoding" && i + 1 < raw.size())
            name = raw[i + 1];
        else if (argument.startsWith("--encoding="))
            name = argument.mid(11);
        else
            continue;
        return inputEncodingNamed(QString::fromUtf8(name)).value_or(InputEncoding::Utf8);
    }
    return InputEncoding::Auto;
}

} // namespace

int main(int argc, char *argv[])
{
    // The bytes as given (the text given, on Windows), before Qt reads them in
    // the locale's encoding.
    const std::vector<QByteArray> raw = os::commandLineArguments(argc, argv);
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tlcalc-cli"));
    // Bytes out as written, UTF-8 on a console; a reader that closes the pipe
    // early is a write error like any other, with its message and status, not a
    // death by signal that a script may not see.
    os::prepareStandardStreams();

    if (raw.size() < 2)
        return usageError(QStringLiteral("no command given"));
    const QString command = QString::fromUtf8(raw[1]);
    if (command == u"--help" || command == u"-h" || command == u"help") {
        writeLine(programHelp());
        return finishOutput(QString());
    }
    if (command == u"--version") {
        writeLine(QStringLiteral("tlcalc-cli " TLCALC_VERSION "\n"
                                 "Copyright (C) 2026 TL Calculator developers\n"
                                 "Licence: GNU General Public License, version 3 or later "
                                 "(GPL-3.0-or-later).\n"
                                 "Free software: you may share and change it under that licence;\n"
                                 "it comes with no warranty, as far as the law allows."));
        return finishOutput(QString());
    }
    const auto found = std::find_if(commands().begin(), commands().end(), [&](const Command &c) {
        return c.declaration().name == command;
    });
    if (found == commands().end())
        return usageError(QStringLiteral("unknown command '%1'").arg(command));

    // Arguments that came as Unicode text are UTF-8 already, whatever --encoding
    // says of the input.
    const InputEncoding encoding =
        os::ArgumentsAreUnicode ? InputEncoding::Utf8 : argumentEncoding(raw);
    QStringList arguments{QString::fromUtf8(raw[0])};
    for (std::size_t i = 2; i < raw.size(); ++i) {
        QByteArray argument = raw[i];
        if (makeValidUtf8(argument, encoding))
            noteCp1251(command, QStringLiteral("argument %1").arg(i - 1));
        arguments << QString::fromUtf8(argument);
    }
    platform::Services services;
    return found->run(arguments, services);
}
