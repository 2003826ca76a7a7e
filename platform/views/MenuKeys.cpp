// SPDX-License-Identifier: GPL-3.0-or-later
#include "MenuKeys.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QProxyStyle>

namespace platform {
namespace {

// The desktop's own style, except that its menu bar answers to Alt, as the
// Windows style's does; the Fusion style's does not.
class AltKeyMenuStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void reachMenuBarByKeys(QMainWindow &window)
{
    QMenuBar *bar = window.menuBar();
    auto *style = new AltKeyMenuStyle;
    style->setParent(bar);
    bar->setStyle(style);

    // F10 opens the first menu, as on GNOME; the arrows go on along the bar.
    auto *f10 = new QAction(&window);
    f10->setObjectName(QStringLiteral("MenuBarKey"));
    f10->setShortcut(Qt::Key_F10);
    f10->setShortcutContext(Qt::WindowShortcut);
    window.addAction(f10);
    QObject::connect(f10, &QAction::triggered, bar, [bar] {
        for (QAction *action : bar->actions()) {
            if (action->menu() && action->isEnabled() && action->isVisible()) {
                bar->setActiveAction(action);
                return;
            }
        }
    });
}

} // namespace platform
