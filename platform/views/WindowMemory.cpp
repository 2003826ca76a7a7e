// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowMemory.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace platform {
namespace {

class PlaceKeeper : public QObject
{
public:
    PlaceKeeper(QWidget &window, const QString &key, bool positionOnly)
        : QObject(&window), window_(window), key_(QStringLiteral("windows/") + key),
          positionOnly_(positionOnly)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != &window_)
            return false;
        if (event->type() == QEvent::Show && !restored_) {
            restored_ = true;
            restore();
        } else if (event->type() == QEvent::Hide && restored_) {
            save();
        }
        return false;
    }

private:
    void restore()
    {
        const QSettings settings;
        if (positionOnly_) {
            const QPoint position = settings.value(key_ + QStringLiteral("/position")).toPoint();
            if (settings.contains(key_ + QStringLiteral("/position")) &&
                QGuiApplication::screenAt(position + QPoint(20, 20)))
                window_.move(position);
        } else if (settings.contains(key_ + QStringLiteral("/geometry"))) {
            window_.restoreGeometry(
                settings.value(key_ + QStringLiteral("/geometry")).toByteArray());
        }
    }

    void save()
    {
        QSettings settings;
        if (positionOnly_)
            settings.setValue(key_ + QStringLiteral("/position"), window_.pos());
        else
            settings.setValue(key_ + QStringLiteral("/geometry"), window_.saveGeometry());
    }

    QWidget &window_;
    QString key_;
    bool positionOnly_;
    bool restored_ = false;
};

} // namespace

void rememberPlace(QWidget &window, const QString &key, bool positionOnly)
{
    new PlaceKeeper(window, key, positionOnly);
}

} // namespace platform
