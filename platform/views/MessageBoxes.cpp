// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace platform {

void installMessageBoxes(Services &services, QWidget *parent)
{
    QPointer<QWidget> owner(parent);
    services.setMessageHandler([owner](const QString &text) {
        QWidget *window = owner ? owner.data() : QApplication::activeWindow();
        // Titled as the window it belongs to, "ТЛ калькулятор 022".
        const QString title =
            window ? window->window()->windowTitle() : QStringLiteral("ТЛ калькулятор");
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, window);
        box.exec();
    });
}

} // namespace platform
