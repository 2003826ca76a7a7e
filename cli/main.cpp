#include "AnalyseCommand.h"
#include "CliCommon.h"
#include "ExchangeCommand.h"
#include "GenerateCommand.h"
#include "MicroCommand.h"
#include "StatsCommand.h"
#include "platform/TextEncoding.h"

#include <QCoreApplication>

#include <csignal>
#include <map>
#include <memory>
#include <vector>

namespace {

QString usage()
{
    return QStringLiteral(
        "Usage: tlcalc-cli COMMAND [options]\n"
        "Commands:\n"
        "  analyse [--json] [--encoding ENC] [TEXT ...]\n"
        "                                collapse and analyse chains (without TEXT, each\n"
        "                                line of standard input)\n"
        "  generate [--max-transits N] [--min-efl N] [--target-position N]\n"
        "           [--target CARD] [--full-balance] [--count K] [--seed S]\n"
        "           [--threads T] [--json]   find chains that collapse to two\n"
        "  exchange [--json] [--encoding ENC] TEXT A B\n"
        "                                exchange two cards, suits or ranks\n"
        "  micro --efl E --target CARD --count N [--method gat|search] [--seed S]\n"
        "        [--max-tries N] [--time-limit SECONDS] [--progress] [--json]\n"
        "        [--collapsing]\n"
        "                                build micro-chains ending in CARD\n"
        "  stats --deals N [--seed S] [--threads T] [--progress] [--json]\n"
        "                                how far random chains collapse: EFL, transits,\n"
        "                                full balance and hexagrams of the solved ones\n"
        "Run 'tlcalc-cli COMMAND --help' for a command's options.\n"
        "Exit status: 0 done, 1 input or output failed, 2 bad usage, 3 a limit ended the\n"
        "search, 130 or 143 SIGINT (Ctrl+C) or SIGTERM ended it after what was done\n"
        "was written.");
}

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
    // The bytes as given, before Qt reads them in the locale's encoding.
    const std::vector<QByteArray> raw(argv, argv + argc);
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tlcalc-cli"));
    // A reader that closes the pipe early is a write error like any other, with
    // its message and status, not a death by signal that a script may not see.
    std::signal(SIGPIPE, SIG_IGN);

    const std::map<QString, CommandFunction> commands{
        {QStringLiteral("analyse"), runAnalyse},   {QStringLiteral("micro"), runMicro},
        {QStringLiteral("generate"), runGenerate}, {QStringLiteral("exchange"), runExchange},
        {QStringLiteral("stats"), runStats},
    };

    if (raw.size() < 2)
        return usageError(QStringLiteral("no command given"));
    const QString command = QString::fromUtf8(raw[1]);
    if (command == u"--help" || command == u"-h" || command == u"help") {
        writeLine(usage());
        return finishOutput(QString());
    }
    if (command == u"--version") {
        writeLine(QStringLiteral("tlcalc-cli " TLCALC_VERSION));
        return finishOutput(QString());
    }
    const auto found = commands.find(command);
    if (found == commands.end())
        return usageError(QStringLiteral("unknown command '%1'").arg(command));

    const InputEncoding encoding = argumentEncoding(raw);
    QStringList arguments{QString::fromUtf8(raw[0])};
    for (std::size_t i = 2; i < raw.size(); ++i) {
        QByteArray argument = raw[i];
        if (makeValidUtf8(argument, encoding))
            noteCp1251(command, QStringLiteral("argument %1").arg(i - 1));
        arguments << QString::fromUtf8(argument);
    }
    const auto state = std::make_unique<ProgramState>();
    platform::Services services;
    return found->second(arguments, *state, services);
}
