#include "CliCommon.h"

#include <QJsonDocument>

#include <cstdio>

bool parseCommandLine(QCommandLineParser &parser, const QStringList &arguments)
{
    if (!parser.parse(arguments)) {
        writeError(parser.errorText());
        writeError(parser.helpText());
        return false;
    }
    return true;
}

void writeLine(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void writeError(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

void writeJsonLine(const QJsonObject &object)
{
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Compact);
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
}
