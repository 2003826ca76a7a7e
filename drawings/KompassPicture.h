#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The drawings window's thumbnail, "Kompass.jpg".
inline const QString KompassFileName = QStringLiteral("Kompass.jpg");

// The working directory first, as the program has always read it, then the
// program's own directory, where the build and the install put a copy, so the
// picture shows however the program is started.
QStringList kompassFolders();

// The first copy of the picture that decodes; an empty image when there is none.
QImage loadKompassPicture(const QStringList &folders = kompassFolders());
