#pragma once

#include "mainwindow/ProgramState.h"
#include "platform/Services.h"
#include "platform/TextEncoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QCommandLineParser>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <optional>

// Exit statuses of every command.
constexpr int IoFailure = 1;    // reading the input or writing the output failed
constexpr int BadUsage = 2;     // a command line that was not understood, or a value out of range
constexpr int LimitReached = 3; // a search ended by its own bound before it found everything

// A stream with every write checked. The first failure is kept (its errno) and
// every later write is skipped, so a command may write on and look once, or
// stop early, through ok().
class OutputStream
{
public:
    explicit OutputStream(std::FILE *file) : file_(file) {}

    bool write(QByteArrayView bytes);
    bool writeLine(QByteArrayView utf8);
    bool writeLine(const QString &line);
    // One JSON object as one compact line. The line never holds a lone surrogate:
    // one that reached the object is written as U+FFFD, so strict parsers take it.
    bool writeJsonLine(const QJsonObject &object);
    bool flush();

    bool ok() const { return error_ == 0; }
    int error() const { return error_; } // errno of the first failure, 0 if none

private:
    bool failed();

    std::FILE *file_;
    int error_ = 0;
};

// Standard output, shared by every command of the run.
OutputStream &standardOutput();

// Write to standardOutput(); false once a write has failed.
bool writeLine(const QString &line);
bool writeJsonLine(const QJsonObject &object);

// Writes text and a line end to standard error (UTF-8), flushing standard output
// first so that a message stands after the results it follows.
void writeError(const QString &line);

// The reason for errno error, in English.
QString errorReason(int error);

// "tlcalc-cli COMMAND: message" on standard error ("tlcalc-cli: message" for no
// command); returns status, so that a command can end with `return failWith(…)`.
int failWith(const QString &command, const QString &message, int status);

// Ends a command's output: flushes standard output and, when any write failed,
// writes "tlcalc-cli COMMAND: write error: <reason>" to standard error and
// returns IoFailure; else returns status.
int finishOutput(const QString &command, int status = 0);

// A compact JSON line with every escaped lone surrogate (\udXXX, which
// QJsonDocument writes for one) replaced by \ufffd.
QByteArray jsonLine(const QJsonObject &object);

// A command's own command line: its options and arguments, the help that
// --help prints ("Usage: tlcalc-cli COMMAND [options] …", the description, the
// command's options and arguments, none of Qt's) and the messages for a line it
// cannot take, each "tlcalc-cli COMMAND: …".
class CommandLine
{
public:
    CommandLine(QString command, QString description);

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
    QCommandLineOption help_;
};

// Every command is handed the program's state and services by main; tests hand
// fresh ones.
using CommandFunction = int (*)(const QStringList &arguments, ProgramState &state,
                                platform::Services &services);

// A card, a suit pattern ("?п") or a rank pattern ("6?") given as an argument,
// "10" and the Cyrillic "Х" read as the ten as in chain texts; nothing for any
// other text.
std::optional<QString> cardOrPattern(const QString &text);

// How a note on standard error names input line number (from 1): "строка 17".
QString lineLabel(qint64 number);

// Says on standard error, once for the whole run, that what ("строка 3",
// "argument 2") was not valid UTF-8 and is read as Windows-1251.
void noteCp1251(const QString &command, const QString &what);

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
// How a search that its own bound ended finishes: standard output is flushed (a
// failed write ends as finishOutput ends it), then the bound is named, "--max-tries
// reached after N WHAT" when the tries were spent, else "--time-limit of S s
// reached", followed by ": " and what was done; returns LimitReached.
int finishAtLimit(const CommandLine &line, const QCommandLineOption &timeLimit, bool triesSpent,
                  std::uint64_t tries, const QString &what, const QString &done);

// How a search that SIGINT or SIGTERM ended finishes: standard output is flushed (a
// failed write ends as finishOutput ends it), then "interrupted by SIGINT: " and
// what was done; returns 128 + the signal's number, the status a shell gives a
// process that the signal ended.
int finishInterrupted(const CommandLine &line, int signal, const QString &done);

// Whether progress lines are written: asked for, or standard error is a terminal.
bool showsProgress(const CommandLine &line, const QCommandLineOption &option);

// --seed S: a whole number from 0 to 2^64 − 1, or nothing when not given.
std::optional<std::uint64_t> seedValue(const CommandLine &line, const QCommandLineOption &option,
                                       QString &problem);
