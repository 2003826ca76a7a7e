// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Cards.h"
#include "platform/Services.h"

// An exchange argument from a list's text: its first character (code point) as the
// rank and its second as the suit, each empty when the text is shorter.
TKarta exchangeArgument(const QString &listText);

// The text the other list must show after the changed list took changedText, so
// that both lists name the same kind (card, "?" + suit, rank + "?"): the changed
// text when the kinds differ, else otherText unchanged.
QString kindAlikeText(const QString &changedText, const QString &otherText);

// Exchanges A and B (cards, suits or ranks, from the lists' texts) in the chain
// text: the chain read from text, exchanged, and written back entry by entry,
// each entry's letters followed by one blank.
QString replaceCards(const QString &text, const QString &a, const QString &b,
                     const platform::Services &services);
