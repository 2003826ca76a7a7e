#include "AnalyseCommand.h"
#include "CliCommon.h"
#include "ExchangeCommand.h"
#include "GenerateCommand.h"
#include "MicroCommand.h"

#include <QCoreApplication>

#include <functional>
#include <map>

namespace {

QString usage()
{
    return QStringLiteral("Usage: tlcalc-cli COMMAND [options]\n"
                          "Commands:\n"
                          "  analyse [--json] [TEXT ...]   collapse and analyse chains\n"
                          "  generate [--max-transits N] [--min-efl N] [--target-position N]\n"
                          "           [--target CARD] [--full-balance] [--count K] [--seed S]\n"
                          "           [--threads T] [--json]   find chains that collapse to two\n"
                          "  exchange [--json] TEXT A B    exchange two cards, suits or ranks\n"
                          "  micro --efl E --target CARD --count N [--method gat|search]\n"
                          "        [--seed S] [--max-tries N] [--time-limit SECONDS]\n"
                          "        [--progress] [--json]   build micro-chains ending in CARD\n"
                          "Run 'tlcalc-cli COMMAND --help' for a command's options.");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tlcalc-cli"));

    const std::map<QString, std::function<int(const QStringList &)>> commands{
        {QStringLiteral("analyse"), runAnalyse},
        {QStringLiteral("micro"), runMicro},
        {QStringLiteral("generate"), runGenerate},
        {QStringLiteral("exchange"), runExchange},
    };

    QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        writeError(usage());
        return BadUsage;
    }
    const QString command = arguments.takeAt(1);
    if (command == u"--help" || command == u"-h" || command == u"help") {
        writeLine(usage());
        return 0;
    }
    const auto found = commands.find(command);
    if (found == commands.end()) {
        writeError(QStringLiteral("tlcalc-cli: unknown command '%1'").arg(command));
        writeError(usage());
        return BadUsage;
    }
    return found->second(arguments);
}
