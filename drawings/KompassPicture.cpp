#include "KompassPicture.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageReader>

QStringList kompassFolders()
{
    return {QDir::currentPath(), QCoreApplication::applicationDirPath()};
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
