#include "DeckCheck.h"

#include "Cards.h"
#include "ChainReader.h"

#include <QSet>

#include <array>

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
