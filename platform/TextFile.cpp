// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFile.h"

#include <QFile>
#include <QSaveFile>

namespace platform {

TextFileContents readTextFile(const QString &path, InputEncoding encoding)
{
    TextFileContents contents;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        contents.error = file.errorString();
        return contents;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        contents.error = file.errorString();
        return contents;
    }
    contents.readAsCp1251 = makeValidUtf8(bytes, encoding);
    // fromUtf8 drops a byte order mark at the start.
    const QString text = QString::fromUtf8(bytes);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\n' && c != u'\r')
            continue;
        contents.lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        contents.lines << text.mid(start);
    contents.ok = true;
    return contents;
}

QString writeTextFileWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

} // namespace platform
