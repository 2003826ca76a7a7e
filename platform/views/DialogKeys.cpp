// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogKeys.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace platform {
namespace {

// Sees the keys that the dialog's controls leave unused, before the dialog's own
// handling would press its default button or reject it.
class DialogKeyGuard : public QObject
{
public:
    explicit DialogKeyGuard(QDialog &dialog) : QObject(&dialog), dialog_(dialog) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != &dialog_ || event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Cancel)) {
            key->accept();
            return true;
        }
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        auto *button = qobject_cast<QPushButton *>(QApplication::focusWidget());
        if (button && button->window() == &dialog_ && button->isEnabled() && !key->isAutoRepeat())
            button->click();
        key->accept();
        return true;
    }

private:
    QDialog &dialog_;
};

} // namespace

void closeOnlyByOwnButtons(QDialog &dialog)
{
    // A dialog's push buttons default to taking the default role whenever they
    // have had the focus, and the first of them keeps it from the first showing.
    for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    dialog.installEventFilter(new DialogKeyGuard(dialog));
}

} // namespace platform
