#include "CliCommon.h"

#include "Interrupt.h"
#include "engine/ParallelDealer.h"
#include "engine/TypedCards.h"
#include "mainwindow/MainTables.h"

#include <QJsonDocument>

#include <cctype>
#include <cerrno>
#include <cstring>

#include <locale.h>
#include <unistd.h>

namespace {

constexpr qsizetype HelpWidth = 79;

// Words of text after indent spaces, broken into lines of at most HelpWidth
// characters (a longer word stands on a line of its own).
QStringList wrapped(const QString &text, qsizetype indent)
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
        const QStringList lines = wrapped(description, column);
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

bool isHexDigit(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// The surrogate escaped as \uXXXX at json[i] (which holds the backslash): 1 for a
// high one, 2 for a low one, 0 for any other escape.
int surrogateEscapeAt(const QByteArray &json, qsizetype i)
{
    if (i + 6 > json.size() || json[i + 1] != 'u')
        return 0;
    for (qsizetype k = i + 2; k < i + 6; ++k)
        if (!isHexDigit(json[k]))
            return 0;
    if (json[i + 2] != 'd' && json[i + 2] != 'D')
        return 0;
    const char third = char(std::tolower(static_cast<unsigned char>(json[i + 3])));
    if (third >= '8' && third <= '9')
        return 1;
    if (third == 'a' || third == 'b')
        return 1;
    if (third >= 'c' && third <= 'f')
        return 2;
    return 0;
}

} // namespace

bool OutputStream::failed()
{
    if (error_ == 0)
        error_ = errno != 0 ? errno : EIO;
    return false;
}

bool OutputStream::write(QByteArrayView bytes)
{
    if (error_ != 0)
        return false;
    // An empty line's bytes may have no address at all, which fwrite must not get.
    if (bytes.isEmpty())
        return true;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, std::size_t(bytes.size()), file_) != std::size_t(bytes.size()))
        return failed();
    return true;
}

bool OutputStream::writeLine(QByteArrayView utf8)
{
    if (!write(utf8))
        return false;
    errno = 0;
    if (std::fputc('\n', file_) == EOF)
        return failed();
    return true;
}

bool OutputStream::writeLine(const QString &line)
{
    return writeLine(QByteArrayView(line.toUtf8()));
}

bool OutputStream::writeJsonLine(const QJsonObject &object)
{
    return writeLine(QByteArrayView(jsonLine(object)));
}

bool OutputStream::flush()
{
    if (error_ != 0)
        return false;
    errno = 0;
    if (std::fflush(file_) != 0)
        return failed();
    return true;
}

OutputStream &standardOutput()
{
    static OutputStream output(stdout);
    return output;
}

bool writeLine(const QString &line)
{
    return standardOutput().writeLine(line);
}

bool writeJsonLine(const QJsonObject &object)
{
    return standardOutput().writeJsonLine(object);
}

void writeError(const QString &line)
{
    standardOutput().flush();
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

QString errorReason(int error)
{
    // The C locale's text: every message of the program is in English, whatever
    // language the environment asks the C library for.
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return QString::fromLocal8Bit(c ? strerror_l(error, c) : std::strerror(error));
}

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

QByteArray jsonLine(const QJsonObject &object)
{
    QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Compact);
    // Valid pairs come out as UTF-8; only a surrogate without its partner is
    // escaped, and strict parsers refuse that.
    qsizetype i = json.indexOf('\\');
    while (i >= 0 && i + 1 < json.size()) {
        const int kind = surrogateEscapeAt(json, i);
        if (kind == 1 && surrogateEscapeAt(json, i + 6) == 2) {
            i += 12;
        } else if (kind != 0) {
            json.replace(i, 6, "\\ufffd");
            i += 6;
        } else {
            i += 2; // the escape and the character it escapes, a backslash included
        }
        i = json.indexOf('\\', i);
    }
    return json;
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

QString CommandLine::helpText() const
{
    QString usage = QStringLiteral("Usage: tlcalc-cli %1 [options]").arg(command_);
    for (const Argument &argument : arguments_)
        usage += u' ' + argument.syntax;
    QString text = usage + u'\n' + wrapped(description_, 0).join(u'\n') + u'\n';

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

bool showsProgress(const CommandLine &line, const QCommandLineOption &option)
{
    return line.isSet(option) || isatty(fileno(stderr));
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
