// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChainReader.h"

#include "Utf8.h"

#include <algorithm>
#include <cstdint>

namespace {

// UTF-16 units of the character starting at unit i: two for a surrogate pair.
qsizetype unitsAt(const QString &text, qsizetype i)
{
    return i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

} // namespace

qsizetype characterCount(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); i += unitsAt(text, i))
        ++count;
    return count;
}

QString characterAt(const QString &text, qsizetype index)
{
    qsizetype i = 0;
    for (; i < text.size() && index > 0; --index)
        i += unitsAt(text, i);
    return i < text.size() ? text.mid(i, unitsAt(text, i)) : QString();
}

bool ChainTextScanner::next(QString &rank, QString &suit)
{
    while (unit_ < text_.size() && text_[unit_] == u' ')
        ++unit_;
    if (unit_ >= text_.size()) {
        rank.clear();
        suit.clear();
        return false;
    }
    const qsizetype rankUnits = unitsAt(text_, unit_);
    if (text_[unit_] == u'1' && unit_ + 1 < text_.size() && text_[unit_ + 1] == u'0') {
        rank = QStringLiteral("X");
        unit_ += 2;
    } else {
        rank = text_.mid(unit_, rankUnits);
        unit_ += rankUnits;
    }
    // The suit is whatever character follows, a blank included.
    if (unit_ < text_.size()) {
        const qsizetype suitUnits = unitsAt(text_, unit_);
        suit = text_.mid(unit_, suitUnits);
        unit_ += suitUnits;
    } else {
        suit.clear();
    }
    return true;
}

bool Utf8ChainScanner::next(std::string_view &rank, std::string_view &suit)
{
    const std::size_t size = text_.size();
    while (offset_ < size && text_[offset_] == ' ')
        ++offset_;
    rank = suit = {};
    if (offset_ >= size)
        return false;
    const auto character = [&] {
        const std::size_t length =
            std::min(size - offset_, utf8SequenceLength(std::uint8_t(text_[offset_])));
        const std::string_view letter = text_.substr(offset_, length);
        offset_ += length;
        return letter;
    };
    if (text_[offset_] == '1' && offset_ + 1 < size && text_[offset_ + 1] == '0') {
        rank = "X";
        offset_ += 2;
    } else {
        rank = character();
    }
    // The suit is whatever character follows, a blank included.
    if (offset_ < size)
        suit = character();
    return true;
}

ReadChainResult ReadChain(const QString &Text, TTLKoloda &Chain)
{
    // Once the text is exhausted the scanner yields empty letters, so the rest of
    // the entries come out empty with their Position set.
    ChainTextScanner scanner(Text);
    for (int n = 1; n <= 36; ++n) {
        TKarta &card = Chain.Cards[n];
        scanner.next(card.Rank, card.Suit);
        card.Position = n;
    }
    return ReadChainResult{characterCount(Text) < 36};
}
