#include "MessageBoxes.h"

#include "platform/MessageSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace platform {

void installMessageBoxes(QWidget *parent)
{
    QPointer<QWidget> owner(parent);
    setMessageHandler([owner](const QString &text) {
        QWidget *window = owner ? owner.data() : QApplication::activeWindow();
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                        QMessageBox::Ok, window);
        box.exec();
    });
}

} // namespace platform
