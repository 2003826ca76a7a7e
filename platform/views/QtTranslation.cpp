// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {
namespace {

// Qt's Russian translation keeps the Latin "OK" of the standard buttons; a
// Russian desktop writes it in Cyrillic letters. Asked before Qt's own.
class CyrillicOk : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "QPlatformTheme") == 0 && qstrcmp(sourceText, "OK") == 0)
            return QStringLiteral("ОК");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

bool installQtTranslation()
{
    auto *application = QCoreApplication::instance();
    if (!application)
        return false;
    const auto installOk = [application] {
        QCoreApplication::installTranslator(new CyrillicOk(application));
    };
    // The program speaks Russian whatever the desktop's language, so the
    // translation is chosen by the program, not by the user's locale.
    // Qt's own folder on a desktop that has one; the copy in the program's
    // resources where Qt is built into the program (Windows).
    auto *translator = new QTranslator(application);
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const auto load = [&](const QString &folder) {
        return translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"), folder);
    };
    if (!load(QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        !load(QStringLiteral(":/translations"))) {
        delete translator;
        installOk();
        return false;
    }
    const bool installed = QCoreApplication::installTranslator(translator);
    installOk();
    return installed;
}

} // namespace platform
