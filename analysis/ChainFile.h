// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/MainTables.h"

#include <QString>
#include <QStringList>

// Chains kept in text files, one a line, and the analysis written out as text.

// The lines of a file that are chains: those whose first entry, as the chain
// reader reads it, is a card of the deck. Headings, notes and empty lines of a
// notebook are left out, and so are the report and table lines of a saved
// analysis, so that opening it gives back its chain.
QStringList chainsInLines(const QStringList &lines);

struct ChainFileRead
{
    QStringList chains;
    QString error; // the message to show when nothing can be offered
};

// Reads the chains of a file in UTF-8 or Windows-1251. A file that cannot be
// read, or holds no chain, gives the message that says why.
ChainFileRead readChainFile(const QString &path);

// The analysis as plain UTF-8 text: the chain line first (so that the file opens
// as that chain), then the report's lines, then the three tables, each under its
// title, a row a line, cells separated by tabs.
QByteArray analysisFileText(const QString &chainText, const MainTables &tables);

// Writes the analysis to path whole or not at all. Returns the message to show on
// failure (the old file is then as it was), empty on success.
QString saveAnalysisFile(const QString &path, const QString &chainText, const MainTables &tables);

inline const QString ChainFileUnreadableText =
    QStringLiteral("Не удалось прочитать файл «%1»: %2.");
inline const QString ChainFileEmptyText =
    QStringLiteral("В файле «%1» нет цепочек. Цепочка — строка, которая начинается с карты, "
                   "например «6п 7п 8п …».");
inline const QString ChainFileNotSavedText =
    QStringLiteral("Не удалось сохранить файл «%1»: %2. Прежний файл не изменён.");
