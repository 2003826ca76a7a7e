// SPDX-License-Identifier: GPL-3.0-or-later
#include "Commands.h"

#include "AnalyseCommand.h"
#include "ExchangeCommand.h"
#include "GenerateCommand.h"
#include "MicroCommand.h"
#include "StatsCommand.h"

#include <memory>

namespace {

constexpr qsizetype HelpWidth = 79;
constexpr qsizetype SummaryIndent = 6;

int runMicroWithItsStore(const QStringList &arguments, platform::Services &services)
{
    // The store is large: on the heap.
    const auto store = std::make_unique<MicroChainStore>();
    return runMicro(arguments, *store, services);
}

// "  generate [--max-transits N] …", broken between pieces, never inside one, with
// the lines after the first lined up after the command's name.
QString synopsisLines(const CommandDeclaration &declaration)
{
    const QString indent(2 + declaration.name.size() + 1, u' ');
    QString text;
    QString line = QStringLiteral("  ") + declaration.name;
    for (const QString &item : synopsisItems(declaration)) {
        if (line.size() + 1 + item.size() > HelpWidth && line.size() > indent.size()) {
            text += line + u'\n';
            line = indent + item;
        } else {
            line += u' ' + item;
        }
    }
    return text + line + u'\n';
}

} // namespace

const std::vector<Command> &commands()
{
    static const std::vector<Command> all{
        {analyseDeclaration, runAnalyse},   {generateDeclaration, runGenerate},
        {exchangeDeclaration, runExchange}, {microDeclaration, runMicroWithItsStore},
        {statsDeclaration, runStats},
    };
    return all;
}

QString programHelp()
{
    QString text = QStringLiteral("Usage: tlcalc-cli COMMAND [options]\nCommands:\n");
    for (const Command &command : commands()) {
        const CommandDeclaration declaration = command.declaration();
        text += synopsisLines(declaration);
        for (const QString &line : wrappedHelpLines(declaration.summary, SummaryIndent))
            text += QString(SummaryIndent, u' ') + line + u'\n';
    }
    return text +
           QStringLiteral(
               "Run 'tlcalc-cli COMMAND --help' for what a command's options do.\n"
               "Exit status: 0 done, 1 input or output failed, 2 bad usage, 3 a limit ended the\n"
               "search, 130 or 143 SIGINT (Ctrl+C) or SIGTERM ended it after what was done\n"
               "was written.");
}
