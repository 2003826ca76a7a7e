// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace platform {

// Keeps a window's place between runs of the program (QSettings, "windows/"
// followed by key): it is put back when the window is first shown and noted
// whenever it is hidden. A window whose size its own layout fixes keeps only its
// position. A place on no screen any more (a monitor since unplugged) is not put
// back.
void rememberPlace(QWidget &window, const QString &key, bool positionOnly = false);

} // namespace platform
