// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeckCheck.h"

#include "Cards.h"
#include "ChainReader.h"
#include "Utf8.h"

#include <QStringDecoder>

#include <array>
#include <string>
#include <unordered_set>

DeckCheck checkDeckUtf8(std::string_view text)
{
    std::array<int, 37> seen{}; // by card ordinal, 1 to 36
    DeckCheck check;
    // A set, so that a long line of junk does not make the check quadratic.
    std::unordered_set<std::string> unknownSeen;
    Utf8ChainScanner scanner(text);
    std::string_view rank, suit;
    while (scanner.next(rank, suit)) {
        const int r = rank.empty() ? 0 : rankIndexOf(utf8CodePoint(rank));
        const int s = suit.empty() ? 0 : suitIndexOf(utf8CodePoint(suit));
        if (r != 0 && s != 0) {
            ++seen[std::size_t((s - 1) * 9 + r)];
            continue;
        }
        std::string entry(rank);
        entry += suit;
        if (unknownSeen.insert(entry).second) {
            // Decoded as it stands: fromUtf8 would drop a leading byte order mark.
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
            check.unknown << QString(
                decoder(QByteArrayView(entry.data(), qsizetype(entry.size()))));
        }
    }
    // The cards the text lacks and those it repeats, in deck order.
    for (int s = 1; s <= 4; ++s)
        for (int r = 1; r <= 9; ++r) {
            const int count = seen[std::size_t((s - 1) * 9 + r)];
            if (count == 0)
                check.missing << RankLetters[r] + SuitLetters[s];
            else if (count > 1)
                check.repeated << RankLetters[r] + SuitLetters[s];
        }
    check.full = check.missing.isEmpty() && check.repeated.isEmpty() && check.unknown.isEmpty();
    return check;
}

DeckCheck checkDeck(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return checkDeckUtf8(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

QString deckCheckLine(const DeckCheck &check)
{
    QStringList parts;
    if (!check.missing.isEmpty())
        parts << QStringLiteral("не хватает: ") + check.missing.join(u' ');
    if (!check.repeated.isEmpty())
        parts << QStringLiteral("дважды: ") + check.repeated.join(u' ');
    if (!check.unknown.isEmpty()) {
        QStringList quoted;
        for (const QString &entry : check.unknown)
            quoted << u'«' + entry + u'»';
        parts << QStringLiteral("не карты: ") + quoted.join(u' ');
    }
    return parts.join(QStringLiteral("; "));
}
