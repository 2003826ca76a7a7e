// SPDX-License-Identifier: GPL-3.0-or-later
#include "auxwindows/HelpFAQUnit.h"
#include "auxwindows/UnitAbout.h"
#include "drawings/DrawingsKompas.h"
#include "drawings/KompasDrawUnit.h"
#include "hexagrams/views/FilterUnit.h"
#include "mainwindow/TForm1.h"
#include "platform/views/DesktopFonts.h"
#include "platform/views/MessageBoxes.h"
#include "platform/views/QtTranslation.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

namespace {

// Every size the build rendered from the SVG, so each window decoration and task
// switcher picks the one drawn closest to its own size.
QIcon applicationIcon()
{
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons"));
    for (const QString &name : sizes.entryList({QStringLiteral("*.png")}))
        icon.addFile(sizes.filePath(name));
    return icon;
}

} // namespace

#include <memory>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // No display name: the desktop would append it to every window's caption, and
    // the captions are the windows' own.
    QApplication::setApplicationName(QStringLiteral("tlcalc"));
    // Lets the desktop match the windows to the installed desktop entry and icon.
    QApplication::setDesktopFileName(QStringLiteral(TLCALC_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
    platform::loadDesktopFonts();
    platform::installQtTranslation();

    // The windows are created at start, in this order, and live until the main
    // window closes; the main window opens the others from its menu.
    // The program's state and its platform services live as long as the windows
    // that are handed them.
    const auto state = std::make_unique<ProgramState>();
    platform::Services services;
    TForm1 mainWindow(*state, services);
    platform::installMessageBoxes(services, &mainWindow);
    TFormHelp help(&mainWindow);
    TFormFilter filter(&mainWindow);
    TFormAbout about(&mainWindow);
    TFormKompas compass(*state, mainWindow.tables().StringGrid1, &mainWindow);
    TFormDrawings drawings(*state, services, mainWindow.tables().StringGrid1, &mainWindow);
    mainWindow.setHelpWindow(&help);
    mainWindow.setFilterWindow(&filter);
    mainWindow.setAboutWindow(&about);
    mainWindow.setCompassWindow(&compass);
    mainWindow.setDrawingsWindow(&drawings);

    mainWindow.show();
    return application.exec();
}
