#include "DeckCheck.h"

#include "Cards.h"
#include "ChainReader.h"
#include "Utf8.h"

#include <QSet>
#include <QStringDecoder>

#include <array>
#include <string>
#include <unordered_set>

namespace {

// What every check ends with: the cards the text lacks and those it repeats, in
// deck order, from how often each card was seen (by ordinal, 1 to 36).
void checkCounts(const std::array<int, 37> &seen, DeckCheck &check)
{
    for (int s = 1; s <= 4; ++s)
        for (int r = 1; r <= 9; ++r) {
            const int count = seen[std::size_t((s - 1) * 9 + r)];
            if (count == 0)
                check.missing << RankLetters[r] + SuitLetters[s];
            else if (count > 1)
                check.repeated << RankLetters[r] + SuitLetters[s];
        }
    check.full = check.missing.isEmpty() && check.repeated.isEmpty() && check.unknown.isEmpty();
}

} // namespace

DeckCheck checkDeckUtf8(std::string_view text)
{
    std::array<int, 37> seen{};
    DeckCheck check;
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
    checkCounts(seen, check);
    return check;
}

DeckCheck checkDeck(const QString &text)
{
    std::array<int, 37> seen{}; // by card ordinal, 1 to 36
    DeckCheck check;
    QSet<QString> unknownSeen; // a long line of junk must not make the check quadratic
    ChainTextScanner scanner(text);
    QString rank, suit;
    while (scanner.next(rank, suit)) {
        const int r = rankIndex(rank), s = suitIndex(suit);
        if (r != 0 && s != 0) {
            ++seen[std::size_t((s - 1) * 9 + r)];
            continue;
        }
        const QString entry = rank + suit;
        if (!unknownSeen.contains(entry)) {
            unknownSeen.insert(entry);
            check.unknown << entry;
        }
    }
    checkCounts(seen, check);
    return check;
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
