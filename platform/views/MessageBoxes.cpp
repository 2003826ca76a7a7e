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
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                        QMessageBox::Ok, window);
        box.exec();
    });
}

} // namespace platform
