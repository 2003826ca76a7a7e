// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

// The fonts the windows were laid out for. Their captions and boxes are sized for
// Tahoma, Courier New and Lucida Console, which a Linux desktop rarely has; a wider
// stand-in cuts the captions, and a proportional one breaks the report's columns.
namespace platform {

// Makes Tahoma available where the system lacks it but has a metric-compatible
// copy with Cyrillic letters (Wine's, under /usr/share/wine/fonts, which is not on
// fontconfig's path). Call once after the application object exists and before
// the windows are created. Returns whether Tahoma can be used.
bool loadDesktopFonts();

// Tahoma at a pixel height, falling back to the narrowest sans serif at hand.
QFont tahomaFont(int pixelSize);

// A fixed-pitch family at a pixel height ("Courier New", "Lucida Console"); where
// it is missing, a metric-compatible or at least fixed-pitch family stands in, so
// blank-padded lines keep their columns.
QFont monospaceFont(const QString &family, int pixelSize);

} // namespace platform
