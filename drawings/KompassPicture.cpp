// SPDX-License-Identifier: GPL-3.0-or-later
#include "KompassPicture.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageReader>

QStringList kompassFolders(const QString &workingDirectory, const QString &programDirectory)
{
    const QString installed =
        QDir::cleanPath(QDir(programDirectory).filePath(QStringLiteral(TLCALC_DATA_FROM_PROGRAM)));
    return {workingDirectory, programDirectory, installed};
}

QStringList kompassFolders()
{
    return kompassFolders(QDir::currentPath(), QCoreApplication::applicationDirPath());
}

QImage loadKompassPicture(const QStringList &folders)
{
    for (const QString &folder : folders) {
        QImageReader reader(QDir(folder).filePath(KompassFileName));
        const QImage picture = reader.read();
        if (!picture.isNull())
            return picture;
    }
    return {};
}
