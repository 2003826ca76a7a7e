// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Cards.h"

// What the reader tells of a text besides its entries.
struct ReadChainResult
{
    // Fewer than 36 characters: the text is read all the same, and what to make
    // of that is the caller's (the analysis run says so to the user).
    bool isShort = false;
};

// Reads a chain text into the Cards of Chain: rank letter, suit letter and
// Position of entries 1 to 36, nothing else. Blanks separate cards, "10" is read
// as the ten; nothing is validated. A character is one code point: a letter
// outside the Basic Multilingual Plane is held as its two UTF-16 units in one
// QString and is never split.
ReadChainResult ReadChain(const QString &Text, TTLKoloda &Chain);

// The entries of a chain text one after another by the rules of ReadChain, but
// without its stop after the 36th entry, so that a check can see what a text
// holds beyond the cards the analysis reads.
class ChainTextScanner
{
public:
    explicit ChainTextScanner(QString text) : text_(std::move(text)) {}

    // The next entry's rank and suit (the suit empty when the text ends after the
    // rank); false, with both empty, when only blanks or nothing are left.
    bool next(QString &rank, QString &suit);

private:
    QString text_;
    qsizetype unit_ = 0; // UTF-16 index of the next character
};

// The same entries read from valid UTF-8 bytes, for the batch paths that never
// make a QString of a text: views into the text, the ten written "10" giving the
// rank "X".
class Utf8ChainScanner
{
public:
    explicit Utf8ChainScanner(std::string_view text) : text_(text) {}

    bool next(std::string_view &rank, std::string_view &suit);

private:
    std::string_view text_;
    std::size_t offset_ = 0;
};

// The number of characters (code points) in text. A surrogate without its
// partner counts as one character, as the reader takes it.
qsizetype characterCount(const QString &text);

// The character (code point) at index (from 0) of text, empty past the end.
QString characterAt(const QString &text, qsizetype index);
