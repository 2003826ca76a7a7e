// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChainFile.h"

#include "engine/ChainReader.h"
#include "platform/TextFile.h"

#include <QFileInfo>

namespace {

bool startsWithCard(const QString &line)
{
    ChainTextScanner scanner(line);
    QString rank, suit;
    return scanner.next(rank, suit) && rankIndex(rank) != 0 && suitIndex(suit) != 0;
}

void appendGrid(QString &text, const QString &title, const TextGrid &grid)
{
    text += u'\n' + title + u'\n';
    text += grid.tabSeparated(0, 0, grid.columnCount() - 1, grid.rowCount() - 1) + u'\n';
}

} // namespace

QStringList chainsInLines(const QStringList &lines)
{
    QStringList chains;
    for (const QString &line : lines)
        if (startsWithCard(line))
            chains << line;
    return chains;
}

ChainFileRead readChainFile(const QString &path)
{
    ChainFileRead read;
    const QString name = QFileInfo(path).fileName();
    const platform::TextFileContents contents = platform::readTextFile(path);
    if (!contents.ok) {
        read.error = ChainFileUnreadableText.arg(name, contents.error);
        return read;
    }
    read.chains = chainsInLines(contents.lines);
    if (read.chains.isEmpty())
        read.error = ChainFileEmptyText.arg(name);
    return read;
}

QByteArray analysisFileText(const QString &chainText, const MainTables &tables)
{
    QString text = chainText + u'\n';
    text += QStringLiteral("\nОтчёт\n");
    for (const QString &line : tables.RichEdit1.lines())
        text += line + u'\n';
    appendGrid(text, QStringLiteral("Таблица анализа"), tables.StringGrid1);
    appendGrid(text, QStringLiteral("Масти и значения"), tables.StringGrid2);
    appendGrid(text, QStringLiteral("Таблица №3"), tables.StringGrid3);
    return text.toUtf8();
}

QString saveAnalysisFile(const QString &path, const QString &chainText, const MainTables &tables)
{
    const QString reason = platform::writeTextFileWhole(path, analysisFileText(chainText, tables));
    return reason.isEmpty() ? QString()
                            : ChainFileNotSavedText.arg(QFileInfo(path).fileName(), reason);
}
