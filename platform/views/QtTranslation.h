// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt's own dialogs (standard buttons, progress and input dialogs, the line edit's
// context menu) speak Russian with the rest of the program.
namespace platform {

// Installs Qt's Russian translation on the application, from Qt's translations
// folder (Debian's qt6-translations-l10n). Call after the application object
// exists. Returns whether a translation was found; without it the texts stay
// English but for the Cyrillic "ОК" of the standard buttons, which is there
// either way.
bool installQtTranslation();

} // namespace platform
