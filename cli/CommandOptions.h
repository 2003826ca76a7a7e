// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandMessages.h"
#include "TextEncoding.h"
#include "platform/Services.h"

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// A positional argument: its name, what the help says of it, and how the usage
// line and the synopsis show it (empty: the name).
struct ArgumentDeclaration
{
    QString name;
    QString description;
    QString syntax;
};

// A command's command line, declared once: its --help, its entry in the
// program's --help and its synopsis come from here, and a test holds the manual
// page and the README to the synopsis.
struct CommandDeclaration
{
    QString name;
    QString summary;                   // what the program's --help says the command does
    QString description;               // what the command's own --help says it does
    QList<QCommandLineOption> options; // in the order every help lists them
    QStringList required;              // options the command cannot run without, by name
    QList<ArgumentDeclaration> arguments;
};

// The synopsis's pieces after the command's name: each option in its order with
// the name of its value, bare when it is required and in brackets when not, then
// each argument's syntax: {"--efl E", "[--json]", "[TEXT ...]"}.
QStringList synopsisItems(const CommandDeclaration &declaration);
// The name and the pieces, one blank between each.
QString synopsis(const CommandDeclaration &declaration);

// Words of text after indent blanks, broken into lines no longer than the help's
// width of 79 characters; a longer word stands on a line of its own.
QStringList wrappedHelpLines(const QString &text, qsizetype indent);

// A command's own command line: its options and arguments, the help that
// --help prints ("Usage: tlcalc-cli COMMAND [options] …", the description, the
// command's options and arguments, none of Qt's) and the messages for a line it
// cannot take, each "tlcalc-cli COMMAND: …".
class CommandLine
{
public:
    CommandLine(QString command, QString description);
    // The declared options and arguments.
    explicit CommandLine(const CommandDeclaration &declaration);

    void addOption(const QCommandLineOption &option);
    void addOptions(const QList<QCommandLineOption> &options);
    // A positional argument: its name, what the help says of it, and how the usage
    // line shows it (by default the name).
    void addArgument(const QString &name, const QString &description,
                     const QString &syntax = QString());

    // Parses the arguments (the program name first, the command name left out).
    // Returns nothing when the command should run, else the status to end with:
    // 0 after the help went to standard output, IoFailure when it could not be
    // written, BadUsage after a message on standard error.
    std::optional<int> parse(const QStringList &arguments);

    // After parse: a usage error ("--efl is required") for the first declared
    // required option not given, returning BadUsage; nothing when all are there.
    std::optional<int> checkRequired() const;

    // The option added under this (first) name. Asking for one that was never
    // added is a mistake in the program: it throws std::logic_error.
    const QCommandLineOption &option(const QString &name) const;

    bool isSet(const QCommandLineOption &option) const { return parser_.isSet(option); }
    QString value(const QCommandLineOption &option) const { return parser_.value(option); }
    QStringList positionalArguments() const { return parser_.positionalArguments(); }

    const QString &command() const { return command_; }
    QString helpText() const;

    // failWith() for this command.
    int fail(const QString &message, int status = BadUsage) const;
    // A usage error: the message and a pointer to --help; returns BadUsage.
    int usageError(const QString &message) const;

private:
    struct Argument
    {
        QString name, description, syntax;
    };

    QString command_;
    QString description_;
    QCommandLineParser parser_;
    QList<QCommandLineOption> options_;
    QList<Argument> arguments_;
    QStringList required_;
    QCommandLineOption help_;
};

// Every command is handed the program's services by main; tests hand fresh ones.
// A command keeps whatever state it needs for itself.
using CommandFunction = int (*)(const QStringList &arguments, platform::Services &services);

// A card, a suit pattern ("?п") or a rank pattern ("6?") given as an argument,
// "10" read as the ten as in chain texts; nothing for any other text.
std::optional<QString> cardOrPattern(const QString &text);

// The option --encoding of the commands that read chain texts.
QCommandLineOption encodingOption();
// Its value; for a name it does not know, nothing after the usage error (the
// command then ends with BadUsage).
std::optional<InputEncoding> encodingValue(const CommandLine &line,
                                           const QCommandLineOption &option);

// The option --threads T of the commands that work on several cores; what says
// what the threads do ("Dealing threads").
QCommandLineOption threadsOption(const QString &what);
// Its value: 1 to 256, every core when it is not given. A value out of range
// sets problem (when problem is still empty) and gives 1.
int threadCount(const CommandLine &line, const QCommandLineOption &option, QString &problem);

// The options that bound a long search, shared by generate and micro: --max-tries
// N (what names the tries: "deals", "attempts"; done says what is written then),
// --time-limit SECONDS and --progress.
QCommandLineOption maxTriesOption(const QString &what, const QString &done);
QCommandLineOption timeLimitOption(const QString &done);
QCommandLineOption progressOption(const QString &lines);

// Their values. Like threadCount, a value that cannot be taken sets problem
// (when it is still empty) and gives nothing.
std::optional<std::int64_t> maxTries(const CommandLine &line, const QCommandLineOption &option,
                                     const QString &what, QString &problem);
std::optional<qint64> timeLimitMs(const CommandLine &line, const QCommandLineOption &option,
                                  QString &problem);
// Whether progress lines are written: asked for, or standard error is a terminal.
bool showsProgress(const CommandLine &line, const QCommandLineOption &option);

// --seed S: a whole number from 0 to 2^64 − 1, or nothing when not given.
std::optional<std::uint64_t> seedValue(const CommandLine &line, const QCommandLineOption &option,
                                       QString &problem);
