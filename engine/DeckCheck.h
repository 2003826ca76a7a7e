// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <string_view>

// How a chain text stands against the deck. The analysis reads any text as it
// is; this only tells what the text holds, for a hint beside the report.
struct DeckCheck
{
    bool full = false;    // each of the 36 cards exactly once and nothing else
    QStringList missing;  // the deck's cards the text lacks, in deck order
    QStringList repeated; // cards the text holds more than once, once each, in deck order
    QStringList unknown;  // entries that are no card, as read, once each, in order of first
                          // appearance

    bool operator==(const DeckCheck &) const = default;
};

// Checks every entry of a text given as valid UTF-8 as the reader reads it
// ("10" is the ten, blanks separate, a rank takes the character after it as its
// suit), including the entries after the 36th that the analysis leaves out: a
// card there counts as repeated, anything else as unknown. Shows no message.
// It makes no QString of the text: a batch checks texts of any length in little
// more memory than they take.
DeckCheck checkDeckUtf8(std::string_view text);

// The same check of a QString, made on its UTF-8.
DeckCheck checkDeck(const QString &text);

// The check as one line for a person, empty for a full deck: the non-empty parts
// of "не хватает: …; дважды: …; не карты: …", cards separated by blanks and each
// entry that is no card in «» (it may hold a blank).
QString deckCheckLine(const DeckCheck &check);
