#pragma once

#include "Cards.h"
#include "platform/Services.h"

// Reads a chain text into the Cards of Chain: rank letter, suit letter and
// Position of entries 1 to 36, nothing else. Blanks, tabs and no-break spaces
// separate cards; "10" and the Cyrillic "Х" and "х", which look like it, are read
// as the ten "X" (TypedCards.h); nothing is validated. A text shorter than 36 characters shows
// "Цепочка маловата" through the services' message sink and is read all the same.
// A character is one code point: a letter outside the Basic Multilingual Plane
// is held as its two UTF-16 units in one QString and is never split.
void ReadChain(const QString &Text, TTLKoloda &Chain, const platform::Services &services);

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
