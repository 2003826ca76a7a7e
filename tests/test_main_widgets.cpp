// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/views/DesktopFonts.h"
#include "platform/views/QtTranslation.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Test discovery runs the program without the test environment; without a
    // display it must still start.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The offscreen screen is 800 × 600 unless told otherwise; the windows are
        // tested on a desktop's screen, as large as the one they are looked at on.
        // The platform's arguments are separated by colons, so a Windows path, whose
        // drive letter ends in one, is given relative to the working folder there.
#ifdef Q_OS_WIN
    QTemporaryDir configFolder(QStringLiteral("screen-XXXXXX"));
#else
    QTemporaryDir configFolder;
#endif
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && configFolder.isValid()) {
        QString path = QDir(configFolder.path()).filePath(QStringLiteral("screen.json"));
#ifdef Q_OS_WIN
        path = QDir::current().relativeFilePath(path);
#endif
        QFile config(path);
        if (config.open(QIODevice::WriteOnly)) {
            config.write(R"({"screens": [{"name": "OffscreenScreen", "x": 0, "y": 0,
                "width": 1280, "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96,
                "dpr": 1}]})");
            config.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(path));
        }
    }
    QApplication application(argc, argv);
    // Settings the code under test keeps go to a folder of this test program's
    // own, never the user's, nor one that another test program running at the
    // same time clears.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settingsFolder;
#ifdef Q_OS_WIN
    // Windows keeps native settings in the registry, which no path redirects.
    QSettings::setDefaultFormat(QSettings::IniFormat);
#endif
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    // The windows as the program shows them: its fonts and Qt's Russian texts.
    platform::loadDesktopFonts();
    platform::installQtTranslation();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
