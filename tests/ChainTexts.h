// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/FastDeal.h"
#include "platform/RandomSource.h"

#include <QString>

#include <array>
#include <string>
#include <string_view>
#include <vector>

inline std::string toUtf8(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Chain texts as people and files give them: random deals, about half of them
// spoilt the ways a typed text can be: cards dropped or doubled, tens as "10",
// blanks missing or doubled, Latin look-alikes and patterns for letters, stray
// and control characters, a cut or a tail. Only characters of the BMP, which the
// reader reads alike whether it counts UTF-16 units or code points.
class ChainTexts
{
public:
    explicit ChainTexts(std::uint64_t seed) : random_(seed) {}

    std::string next()
    {
        fastdeal::Deal deal;
        fastdeal::dealRandom(random_, deal);
        std::vector<Card> cards;
        for (const fastdeal::Card card : deal)
            cards.push_back({toUtf8(RankLetters[fastdeal::rankOf(card)]),
                             toUtf8(SuitLetters[fastdeal::suitOf(card)])});
        if (random_.below(2) == 0)
            return join(cards, " ");

        for (int spoils = 1 + int(random_.below(3)); spoils > 0; --spoils)
            spoilCards(cards);
        std::string text = join(cards, pick(Separators));
        for (int spoils = int(random_.below(3)); spoils > 0; --spoils)
            spoilCharacters(text);
        return text;
    }

private:
    struct Card
    {
        std::string rank;
        std::string suit;
    };

    static constexpr std::array<std::string_view, 6> Separators = {" ", " ", "", "  ", " \t", ","};
    // Look-alikes of the deck's letters (Latin B K T p, Cyrillic Х), patterns,
    // quotes and escapes, control characters, NUL and letters of two and three bytes.
    static constexpr std::array<std::string_view, 24> Strays = {
        "B",    "K",  "T", "Х",  "x",  "p",  "?",    "1",
        "0",    "10", " ", "\t", "\"", "\\", "\x01", "\x1f",
        "\x7f", "ё",  "Ё", "п",  "б",  "é",  "€",    std::string_view("\0", 1)};

    template <std::size_t N> std::string_view pick(const std::array<std::string_view, N> &items)
    {
        return items[random_.below(std::uint32_t(N))];
    }

    static std::string join(const std::vector<Card> &cards, std::string_view separator)
    {
        std::string text;
        for (std::size_t i = 0; i < cards.size(); ++i) {
            if (i > 0)
                text.append(separator);
            text.append(cards[i].rank).append(cards[i].suit);
        }
        return text;
    }

    void spoilCards(std::vector<Card> &cards)
    {
        if (cards.empty())
            return;
        const std::size_t at = random_.below(std::uint32_t(cards.size()));
        Card &card = cards[at];
        switch (random_.below(7)) {
        case 0: // dropped
            cards.erase(cards.begin() + std::ptrdiff_t(at));
            break;
        case 1: // doubled
            cards.insert(cards.begin() + std::ptrdiff_t(random_.below(std::uint32_t(cards.size()))),
                         Card(card));
            break;
        case 2: // every ten as "10"
            for (Card &c : cards)
                if (c.rank == "X")
                    c.rank = "10";
            break;
        case 3: // a rank pattern or a suit pattern
            // assign() with a length: GCC 12 warns wrongly of overlap on "= "?"".
            (random_.below(2) ? card.rank : card.suit).assign(1, '?');
            break;
        case 4: // Latin look-alikes of В, К, Т and Cyrillic Х for X, throughout
            for (Card &c : cards) {
                for (auto [cyrillic, latin] : {std::pair{"В", "B"}, {"К", "K"}, {"Т", "T"}})
                    if (c.rank == cyrillic)
                        c.rank = latin;
                if (c.rank == "X" && random_.below(2))
                    c.rank = "Х";
            }
            break;
        case 5: // a stray character for a letter
            (random_.below(2) ? card.rank : card.suit) = std::string(pick(Strays));
            break;
        default: // half of the chain gone
            cards.resize(cards.size() / 2);
            break;
        }
    }

    void spoilCharacters(std::string &text)
    {
        std::vector<std::size_t> starts; // of every character
        for (std::size_t i = 0; i < text.size(); ++i)
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
                starts.push_back(i);
        const std::size_t at =
            starts.empty() ? 0 : starts[random_.below(std::uint32_t(starts.size()))];
        switch (random_.below(3)) {
        case 0:
            text.insert(at, pick(Strays));
            break;
        case 1:
            text.resize(at);
            break;
        default:
            text.append(" ").append(pick(Strays)).append("п 7ч Тб");
            break;
        }
    }

    RandomSource random_;
};
