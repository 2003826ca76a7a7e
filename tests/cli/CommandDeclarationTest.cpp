// SPDX-License-Identifier: GPL-3.0-or-later
#include "../TestSupport.h"
#include "cli/Commands.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>

namespace {

QStringList sourceLines(const char *path)
{
    QFile file(QStringLiteral(TLCALC_SOURCE_DIR "/") + QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n');
}

// A roff argument as the reader sees it: "\-" a minus, "\~" a blank, "\|" and
// "\&" nothing.
QString unescaped(QString text)
{
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    text.replace(QStringLiteral("\\~"), QStringLiteral(" "));
    text.remove(QStringLiteral("\\|"));
    text.remove(QStringLiteral("\\&"));
    return text;
}

// The arguments of a macro line such as `.BI \-\-efl " E"`: blank-separated,
// double quotes holding blanks together.
QStringList macroArguments(const QString &line)
{
    QStringList arguments;
    const qsizetype start = line.indexOf(u' ');
    if (start < 0)
        return arguments;
    QString current;
    bool quoted = false, any = false;
    for (const QChar c : line.mid(start + 1)) {
        if (c == u'"') {
            quoted = !quoted;
            any = true;
        } else if (c == u' ' && !quoted) {
            if (any)
                arguments << unescaped(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any)
        arguments << unescaped(current);
    return arguments;
}

QString macroOf(const QString &line)
{
    return line.section(u' ', 0, 0);
}

// What a font macro prints: .B and .I their arguments with blanks between, the
// alternating ones (.BI, .RI, …) their arguments run together.
QString printed(const QString &line)
{
    const QString macro = macroOf(line);
    const QStringList arguments = macroArguments(line);
    return macro == u".B" || macro == u".I" ? arguments.join(u' ') : arguments.join(QString());
}

// Each command's synopsis in the manual page, from its .SY block: the command
// after .B, then .OP options in brackets and the rest as printed.
std::map<QString, QString> manualSynopses(const QStringList &page)
{
    std::map<QString, QString> synopses;
    for (qsizetype i = 0; i < page.size(); ++i) {
        if (page[i] != u".SY tlcalc-cli" || i + 1 >= page.size() || macroOf(page[i + 1]) != u".B")
            continue;
        QStringList items{printed(page[++i])};
        while (++i < page.size() && page[i] != u".YS") {
            if (macroOf(page[i]) == u".OP")
                items << u'[' + macroArguments(page[i]).join(u' ') + u']';
            else
                items << printed(page[i]);
        }
        synopses[items.constFirst()] = items.join(u' ');
    }
    return synopses;
}

// Each command's options as its .SS section under COMMANDS describes them: the
// term after every .TP, "--threads T".
std::map<QString, QStringList> manualOptions(const QStringList &page)
{
    std::map<QString, QStringList> options;
    QString command;
    bool inCommands = false;
    for (qsizetype i = 0; i < page.size(); ++i) {
        const QString macro = macroOf(page[i]);
        if (macro == u".SH")
            inCommands = page[i] == u".SH COMMANDS";
        else if (inCommands && macro == u".SS")
            command = macroArguments(page[i]).join(u' ');
        else if (inCommands && macro == u".TP" && i + 1 < page.size())
            options[command] << printed(page[i + 1]);
    }
    return options;
}

// A declared option as a help line names it: "--threads T", "--json".
QString optionTerm(const QCommandLineOption &option)
{
    const QString name = QStringLiteral("--") + option.names().constFirst();
    return option.valueName().isEmpty() ? name : name + u' ' + option.valueName();
}

std::vector<CommandDeclaration> declarations()
{
    std::vector<CommandDeclaration> all;
    for (const Command &command : commands())
        all.push_back(command.declaration());
    return all;
}

} // namespace

TEST(CommandSynopsis, RequiredOptionsStandBareAndTheRestInBrackets)
{
    const CommandDeclaration declaration{
        QStringLiteral("micro"),
        QString(),
        QString(),
        {QCommandLineOption(QStringLiteral("json"), QStringLiteral("JSON.")),
         QCommandLineOption(QStringLiteral("efl"), QStringLiteral("EFL."), QStringLiteral("E")),
         QCommandLineOption(QStringLiteral("seed"), QStringLiteral("Seed."), QStringLiteral("S"))},
        {QStringLiteral("efl")},
        {{QStringLiteral("TEXT"), QString(), QStringLiteral("[TEXT ...]")},
         {QStringLiteral("A"), QString(), QString()}},
    };
    EXPECT_EQ(synopsis(declaration),
              QStringLiteral("micro [--json] --efl E [--seed S] [TEXT ...] A"));
}

TEST(CommandSynopsis, AMissingRequiredOptionIsAUsageError)
{
    CommandLine line(CommandDeclaration{
        QStringLiteral("micro"),
        QString(),
        QString(),
        {QCommandLineOption(QStringLiteral("efl"), QStringLiteral("EFL."), QStringLiteral("E")),
         QCommandLineOption(QStringLiteral("count"), QStringLiteral("N."), QStringLiteral("N"))},
        {QStringLiteral("efl"), QStringLiteral("count")},
        {}});
    ASSERT_FALSE(
        line.parse({QStringLiteral("tlcalc-cli"), QStringLiteral("--efl"), QStringLiteral("3")}));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(line.checkRequired(), BadUsage);
    const QString err = QString::fromStdString(::testing::internal::GetCapturedStderr());
    EXPECT_TRUE(err.startsWith(QStringLiteral("tlcalc-cli micro: --count is required\n")))
        << err.toStdString();
}

TEST(CommandSynopsis, AnOptionNeverDeclaredIsAMistakeOfTheProgram)
{
    const CommandLine line(declarations().front());
    EXPECT_THROW(line.option(QStringLiteral("no-such-option")), std::logic_error);
}

TEST(CommandDeclarations, NameEveryCommandOnceWithASummary)
{
    QStringList names;
    for (const CommandDeclaration &declaration : declarations()) {
        EXPECT_FALSE(names.contains(declaration.name)) << declaration.name.toStdString();
        names << declaration.name;
        EXPECT_FALSE(declaration.summary.isEmpty()) << declaration.name.toStdString();
        for (const QString &required : declaration.required) {
            const bool declared = std::any_of(
                declaration.options.begin(), declaration.options.end(),
                [&](const QCommandLineOption &o) { return o.names().constFirst() == required; });
            EXPECT_TRUE(declared) << required.toStdString();
        }
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("analyse"), QStringLiteral("generate"),
                                  QStringLiteral("exchange"), QStringLiteral("micro"),
                                  QStringLiteral("stats")}));
}

TEST(CommandDeclarations, EachCommandsHelpListsEveryOptionItDeclares)
{
    for (const CommandDeclaration &declaration : declarations()) {
        const QString help = CommandLine(declaration).helpText();
        for (const QCommandLineOption &option : declaration.options)
            EXPECT_TRUE(help.contains(QStringLiteral("  ") + optionTerm(option) + u' '))
                << declaration.name.toStdString() << ": " << optionTerm(option).toStdString();
    }
}

TEST(CommandDeclarations, TheProgramsHelpGivesEveryCommandsWholeSynopsis)
{
    const QString help = programHelp();
    for (const QString &line : help.split(u'\n'))
        EXPECT_LE(line.size(), 79) << line.toStdString();
    // Lines broken between the pieces read as one.
    QString flat = help;
    flat.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    for (const CommandDeclaration &declaration : declarations()) {
        EXPECT_TRUE(flat.contains(u' ' + synopsis(declaration) + u' '))
            << synopsis(declaration).toStdString();
        EXPECT_TRUE(flat.contains(u' ' + declaration.summary + u' '))
            << declaration.summary.toStdString();
    }
}

TEST(CommandDeclarations, TheProgramWritesThatHelp)
{
    QProcess process;
    process.start(QStringLiteral(TLCALC_CLI_PATH), {QStringLiteral("--help")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()), programHelp() + u'\n');
}

TEST(CommandDeclarations, TheManualPagesSynopsisIsTheDeclaredOne)
{
    const std::map<QString, QString> synopses = manualSynopses(sourceLines("cli/tlcalc-cli.1"));
    ASSERT_FALSE(synopses.empty());
    for (const CommandDeclaration &declaration : declarations()) {
        const auto found = synopses.find(declaration.name);
        ASSERT_NE(found, synopses.end()) << declaration.name.toStdString();
        EXPECT_EQ(found->second, synopsis(declaration));
    }
    // Beside the commands the page may give the program's own options (--version).
    const auto commandsShown = std::count_if(
        synopses.begin(), synopses.end(), [](const auto &s) { return !s.first.startsWith(u'-'); });
    EXPECT_EQ(std::size_t(commandsShown), declarations().size())
        << "a command the program does not have";
}

TEST(CommandDeclarations, TheManualPageDescribesEveryDeclaredOptionInItsOrder)
{
    const std::map<QString, QStringList> described = manualOptions(sourceLines("cli/tlcalc-cli.1"));
    for (const CommandDeclaration &declaration : declarations()) {
        QStringList terms;
        for (const QCommandLineOption &option : declaration.options)
            terms << optionTerm(option);
        const auto found = described.find(declaration.name);
        ASSERT_NE(found, described.end()) << declaration.name.toStdString();
        EXPECT_EQ(found->second, terms) << declaration.name.toStdString();
    }
}

TEST(CommandDeclarations, TheReadmesTableGivesTheDeclaredSynopses)
{
    std::map<QString, QString> rows;
    const QRegularExpression row(QStringLiteral("^\\| `([^`]+)` \\|"));
    for (const QString &line : sourceLines("README.md"))
        if (const QRegularExpressionMatch match = row.match(line); match.hasMatch()) {
            QString text = match.captured(1);
            text.replace(QStringLiteral("\\|"), QStringLiteral("|"));
            rows[text.section(u' ', 0, 0)] = text;
        }
    for (const CommandDeclaration &declaration : declarations()) {
        const auto found = rows.find(declaration.name);
        ASSERT_NE(found, rows.end()) << declaration.name.toStdString();
        EXPECT_EQ(found->second, synopsis(declaration));
    }
}
