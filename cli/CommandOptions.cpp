// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandOptions.h"

#include "CommandOutput.h"
#include "analysis/MainTables.h"
#include "engine/ParallelDealer.h"
#include "engine/TypedCards.h"
#include "platform/OperatingSystem.h"

#include <cstdio>
#include <stdexcept>

namespace {

constexpr qsizetype HelpWidth = 79;

// Two-column help rows: each term, then its description wrapped beside it.
QString helpRows(const QList<std::pair<QString, QString>> &rows)
{
    qsizetype column = 0;
    for (const auto &[term, description] : rows)
        column = std::max(column, term.size());
    column = std::min<qsizetype>(column + 4, 28);
    QString text;
    for (const auto &[term, description] : rows) {
        QString head = QStringLiteral("  ") + term;
        const QStringList lines = wrappedHelpLines(description, column);
        if (head.size() + 2 > column) {
            text += head + u'\n';
            head.clear();
        }
        for (const QString &line : lines) {
            text += head.leftJustified(column, u' ') + line + u'\n';
            head.clear();
        }
    }
    return text;
}

} // namespace

QStringList wrappedHelpLines(const QString &text, qsizetype indent)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && indent + line.size() + 1 + word.size() > HelpWidth) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}

QStringList synopsisItems(const CommandDeclaration &declaration)
{
    QStringList items;
    for (const QCommandLineOption &option : declaration.options) {
        const QString name = option.names().constFirst();
        QString item = QStringLiteral("--") + name;
        if (!option.valueName().isEmpty())
            item += u' ' + option.valueName();
        items << (declaration.required.contains(name) ? item : u'[' + item + u']');
    }
    for (const ArgumentDeclaration &argument : declaration.arguments)
        items << (argument.syntax.isEmpty() ? argument.name : argument.syntax);
    return items;
}

QString synopsis(const CommandDeclaration &declaration)
{
    return (QStringList{declaration.name} + synopsisItems(declaration)).join(u' ');
}

CommandLine::CommandLine(const CommandDeclaration &declaration)
    : CommandLine(declaration.name, declaration.description)
{
    addOptions(declaration.options);
    for (const ArgumentDeclaration &argument : declaration.arguments)
        addArgument(argument.name, argument.description, argument.syntax);
    required_ = declaration.required;
}

CommandLine::CommandLine(QString command, QString description)
    : command_(std::move(command)), description_(std::move(description)),
      help_(QStringList{QStringLiteral("h"), QStringLiteral("help")},
            QStringLiteral("Show this help and exit."))
{
}

void CommandLine::addOption(const QCommandLineOption &option)
{
    parser_.addOption(option);
    options_ << option;
}

void CommandLine::addOptions(const QList<QCommandLineOption> &options)
{
    for (const QCommandLineOption &option : options)
        addOption(option);
}

void CommandLine::addArgument(const QString &name, const QString &description,
                              const QString &syntax)
{
    parser_.addPositionalArgument(name, description, syntax.isEmpty() ? name : syntax);
    arguments_ << Argument{name, description, syntax.isEmpty() ? name : syntax};
}

std::optional<int> CommandLine::parse(const QStringList &arguments)
{
    parser_.addOption(help_);
    if (!parser_.parse(arguments)) {
        QString error = parser_.errorText();
        if (!error.isEmpty())
            error[0] = error[0].toLower();
        return usageError(error);
    }
    if (parser_.isSet(help_)) {
        standardOutput().write(helpText().toUtf8());
        return finishOutput(command_);
    }
    return std::nullopt;
}

std::optional<int> CommandLine::checkRequired() const
{
    for (const QString &name : required_)
        if (!parser_.isSet(option(name)))
            return usageError(QStringLiteral("--%1 is required").arg(name));
    return std::nullopt;
}

const QCommandLineOption &CommandLine::option(const QString &name) const
{
    for (const QCommandLineOption &option : options_)
        if (option.names().constFirst() == name)
            return option;
    throw std::logic_error("tlcalc-cli " + command_.toStdString() + ": no option --" +
                           name.toStdString() + " was declared");
}

QString CommandLine::helpText() const
{
    QString usage = QStringLiteral("Usage: tlcalc-cli %1 [options]").arg(command_);
    for (const Argument &argument : arguments_)
        usage += u' ' + argument.syntax;
    QString text = usage + u'\n' + wrappedHelpLines(description_, 0).join(u'\n') + u'\n';

    QList<std::pair<QString, QString>> rows;
    for (const QCommandLineOption &option : options_ + QList<QCommandLineOption>{help_}) {
        QStringList names;
        for (const QString &name : option.names())
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString term = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            term += u' ' + option.valueName();
        rows.append({term, option.description()});
    }
    text += QStringLiteral("\nOptions:\n") + helpRows(rows);
    if (!arguments_.isEmpty()) {
        rows.clear();
        for (const Argument &argument : arguments_)
            rows.append({argument.name, argument.description});
        text += QStringLiteral("\nArguments:\n") + helpRows(rows);
    }
    return text;
}

int CommandLine::fail(const QString &message, int status) const
{
    return failWith(command_, message, status);
}

int CommandLine::usageError(const QString &message) const
{
    fail(message, BadUsage);
    writeError(QStringLiteral("Try 'tlcalc-cli %1 --help' for more information.").arg(command_));
    return BadUsage;
}

std::optional<QString> cardOrPattern(const QString &text)
{
    static const QStringList items = targetItems();
    const QString read = typedCardText(text);
    if (items.contains(read))
        return read;
    return std::nullopt;
}

QCommandLineOption encodingOption()
{
    return QCommandLineOption(
        QStringLiteral("encoding"),
        QStringLiteral("How input bytes are read: auto (the default) takes valid UTF-8 as UTF-8 "
                       "and reads a line or argument that is not as Windows-1251, saying so once "
                       "on standard error; utf-8 reads UTF-8 and puts U+FFFD (\u00ab\uFFFD\u00bb) "
                       "for each ill-formed byte sequence; cp1251 reads every byte as "
                       "Windows-1251."),
        QStringLiteral("ENC"), QStringLiteral("auto"));
}

std::optional<InputEncoding> encodingValue(const CommandLine &line,
                                           const QCommandLineOption &option)
{
    const std::optional<InputEncoding> encoding = inputEncodingNamed(line.value(option));
    if (!encoding)
        line.usageError(QStringLiteral("unknown encoding '%1': give auto, utf-8 or cp1251")
                            .arg(line.value(option)));
    return encoding;
}

QCommandLineOption threadsOption(const QString &what)
{
    return QCommandLineOption(QStringLiteral("threads"),
                              what + QStringLiteral(" (default: every core)."),
                              QStringLiteral("T"));
}

int threadCount(const CommandLine &line, const QCommandLineOption &option, QString &problem)
{
    if (!line.isSet(option))
        return lanedeal::everyCore();
    bool ok = false;
    const int value = line.value(option).toInt(&ok);
    if (ok && value >= 1 && value <= 256)
        return value;
    if (problem.isEmpty())
        problem = QStringLiteral("--threads takes a whole number from 1 to 256, not '%1'")
                      .arg(line.value(option));
    return 1;
}

QCommandLineOption maxTriesOption(const QString &what, const QString &done)
{
    return QCommandLineOption(
        QStringLiteral("max-tries"),
        QStringLiteral("Stop after N %1 in all (status 3), %2.").arg(what, done),
        QStringLiteral("N"));
}

QCommandLineOption timeLimitOption(const QString &done)
{
    return QCommandLineOption(QStringLiteral("time-limit"),
                              QStringLiteral("Stop after SECONDS (status 3), %1.").arg(done),
                              QStringLiteral("SECONDS"));
}

QCommandLineOption progressOption(const QString &lines)
{
    return QCommandLineOption(QStringLiteral("progress"),
                              QStringLiteral("A progress line on standard error about once a "
                                             "second%1 (the default when standard error is a "
                                             "terminal).")
                                  .arg(lines.isEmpty() ? QString() : QStringLiteral(": ") + lines));
}

std::optional<std::int64_t> maxTries(const CommandLine &line, const QCommandLineOption &option,
                                     const QString &what, QString &problem)
{
    if (!line.isSet(option) || !problem.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qlonglong value = line.value(option).trimmed().toLongLong(&ok);
    if (ok && value >= 1)
        return value;
    problem = QStringLiteral("--max-tries takes a whole number of %1 from 1 on, not '%2'")
                  .arg(what, line.value(option));
    return std::nullopt;
}

std::optional<qint64> timeLimitMs(const CommandLine &line, const QCommandLineOption &option,
                                  QString &problem)
{
    if (!line.isSet(option) || !problem.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double seconds = line.value(option).trimmed().toDouble(&ok);
    if (ok && seconds > 0 && seconds <= 1e9)
        return qint64(seconds * 1000);
    problem = QStringLiteral("--time-limit takes a number of seconds above 0, not '%1'")
                  .arg(line.value(option));
    return std::nullopt;
}

bool showsProgress(const CommandLine &line, const QCommandLineOption &option)
{
    return line.isSet(option) || os::standardErrorIsTerminal();
}

std::optional<std::uint64_t> seedValue(const CommandLine &line, const QCommandLineOption &option,
                                       QString &problem)
{
    if (!line.isSet(option) || !problem.isEmpty())
        return std::nullopt;
    bool ok = false;
    const quint64 value = line.value(option).trimmed().toULongLong(&ok);
    if (ok)
        return value;
    problem = QStringLiteral("--seed takes a whole number from 0 to 18446744073709551615, not '%1'")
                  .arg(line.value(option));
    return std::nullopt;
}
