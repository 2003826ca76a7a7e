// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The drawings window's thumbnail, "Kompass.jpg".
inline const QString KompassFileName = QStringLiteral("Kompass.jpg");

// Where the picture is looked for, in order: the working directory, as the
// program has always read it; the program's own directory, where the build puts
// a copy; and the data folder of the install the program belongs to (share/tlcalc
// beside bin), found from the program's directory so that any install prefix
// works, however the program is started.
QStringList kompassFolders(const QString &workingDirectory, const QString &programDirectory);

// The folders for this run of the program.
QStringList kompassFolders();

// The first copy of the picture that decodes; an empty image when there is none.
QImage loadKompassPicture(const QStringList &folders = kompassFolders());
