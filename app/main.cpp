#include "mainwindow/TForm1.h"
#include "platform/views/MessageBoxes.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tlcalc"));
    QApplication::setApplicationDisplayName(QStringLiteral("ТЛ калькулятор"));

    // The windows are created at start, the main window first, and live until
    // the main window closes.
    TForm1 mainWindow;
    platform::installMessageBoxes(&mainWindow);

    mainWindow.show();
    return application.exec();
}
