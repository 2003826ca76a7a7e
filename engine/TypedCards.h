// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string_view>

// Cards as people type them. A Russian keyboard gives the Cyrillic "Х", which
// looks exactly like the Latin "X" of the ten, and a chain copied from a table or
// a word processor has tabs or no-break spaces between its cards. A text that
// shows the ten is read as the ten, and whatever shows as a gap is a gap.

// The blank, the tab and the no-break spaces (U+00A0, U+202F): what separates
// cards in a chain text.
bool isCardSeparator(char32_t c);
// The bytes of the separator at text[i] of valid UTF-8, 0 when none is there.
std::size_t separatorBytesAt(std::string_view text, std::size_t i);

// How many UTF-16 units at text[i] spell the ten as a rank: 2 for "10", 1 for
// "X" or a Cyrillic "Х" or "х"; 0 when they spell no ten.
qsizetype tenUnitsAt(const QString &text, qsizetype i);
// The same for the bytes of valid UTF-8 at text[i].
std::size_t tenBytesAt(std::string_view text, std::size_t i);

// A card or pattern typed into a list or given as an argument, as the items and
// the chain reader write it: separators around it dropped, and the ten at its
// start, however typed, written "X". "10п", "Хп" and " хп " all give "Xп".
QString typedCardText(const QString &text);
