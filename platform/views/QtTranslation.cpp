#include "QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

bool installQtTranslation()
{
    auto *application = QCoreApplication::instance();
    if (!application)
        return false;
    // The program speaks Russian whatever the desktop's language, so the
    // translation is chosen by the program, not by the user's locale.
    auto *translator = new QTranslator(application);
    if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace platform
