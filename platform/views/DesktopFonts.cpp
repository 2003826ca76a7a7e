// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopFonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QRawFont>
#include <QStringList>

namespace platform {
namespace {

// Where Debian's fonts-wine puts its replacements for the Windows core fonts.
const QStringList WineFontFolders = {QStringLiteral("/usr/share/wine/fonts")};

// A font file is of use only if it draws the captions: Russian letters included.
bool drawsCyrillic(const QString &path)
{
    const QRawFont font(path, 11);
    if (!font.isValid())
        return false;
    for (const QChar c : QStringLiteral("ЖжЩщЁё№"))
        if (!font.supportsCharacter(c))
            return false;
    return true;
}

bool addFontFiles(const QString &family, const QStringList &files)
{
    if (QFontDatabase::hasFamily(family))
        return true;
    for (const QString &folder : WineFontFolders) {
        const QDir dir(folder);
        bool added = false;
        for (const QString &file : files) {
            const QString path = dir.filePath(file);
            if (!QFileInfo::exists(path) || !drawsCyrillic(path))
                continue;
            const int id = QFontDatabase::addApplicationFont(path);
            if (id < 0)
                continue;
            if (QFontDatabase::applicationFontFamilies(id).contains(family))
                added = true;
            else
                QFontDatabase::removeApplicationFont(id);
        }
        if (added)
            return true;
    }
    return false;
}

} // namespace

bool loadDesktopFonts()
{
    return addFontFiles(QStringLiteral("Tahoma"),
                        {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")});
}

QFont tahomaFont(int pixelSize)
{
    QFont font;
    // Without Tahoma, a condensed sans serif cuts the fewest captions.
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"),
                      QStringLiteral("Liberation Sans Narrow"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

QFont monospaceFont(const QString &family, int pixelSize)
{
    QFont font;
    // Liberation Mono has Courier New's metrics; DejaVu Sans Mono the same advance
    // of 0.6 em as both and as Lucida Console.
    font.setFamilies(
        {family, QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace platform
