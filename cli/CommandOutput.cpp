// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandOutput.h"
#include "platform/OperatingSystem.h"

#include <QJsonDocument>

#include <cctype>
#include <cerrno>

namespace {

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
        error_ = os::writeError();
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
    return os::errorText(error);
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
