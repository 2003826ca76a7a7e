// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QComboBox;

// Drop-down lists with a one-pixel frame and a slim arrow. The windows were laid
// out with lists 50 to 70 pixels wide; a desktop style's frame and arrow button
// leave them too little room for their items ("Выбери" showed as "бери").
namespace platform {

// The arrow's width in a compact list.
inline constexpr int CompactListArrowWidth = 9;

// Gives an editable list the compact frame and arrow, lets its text use the whole
// edit field, and widens its drop-down to its widest item.
void makeCompactList(QComboBox *list);

// The width in which the list's edit field shows a text without scrolling it: a
// text fits when its advance plus the cursor's pixel is no wider.
int compactListTextWidth(const QComboBox *list);

// A list's selected item: its current item when the text shows it, else the item
// equal to a text typed over the items, else none (-1).
int selectedItemIndex(const QComboBox *list);
// That item's text, or the empty text when none is selected.
QString selectedItemText(const QComboBox *list);
// The message of reading the selected item of a list that has none.
inline const QString ListIndexOutOfBoundsText = QStringLiteral("List index out of bounds (-1)");

} // namespace platform
