#include "ChainReader.h"


namespace {

// The character at 1-based position p, or the empty text past the end.
QString charAt(const QString &text, qsizetype p)
{
    return p >= 1 && p <= text.size() ? QString(text[p - 1]) : QString();
}

} // namespace

void ReadChain(const QString &Text, TTLKoloda &Chain, const platform::Services &services)
{
    if (Text.size() < 36)
        services.showMessage(QStringLiteral("Цепочка маловата"));

    qsizetype p = 1;
    int n = 1;
    while (n <= 36) {
        if (p <= Text.size() && Text[p - 1] == u' ') {
            ++p;
            continue;
        }
        QString rank = charAt(Text, p);
        if (rank == u"1" && charAt(Text, p + 1) == u"0") {
            rank = QStringLiteral("X");
            ++p;
        }
        TKarta &card = Chain.Cards[n];
        card.Rank = rank;
        card.Suit = charAt(Text, p + 1);
        card.Position = n;
        p += 2;
        ++n;
    }
}
