// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <cstdint>

// An array indexed from 1, as positions, card numbers and table rows are.
template <typename T, int N> struct OneBased
{
    std::array<T, N> items{};

    T &operator[](int index)
    {
        Q_ASSERT_X(index >= 1 && index <= N, "OneBased", "index out of range");
        return items[std::size_t(index - 1)];
    }
    const T &operator[](int index) const
    {
        Q_ASSERT_X(index >= 1 && index <= N, "OneBased", "index out of range");
        return items[std::size_t(index - 1)];
    }
    static constexpr int size() { return N; }
    bool operator==(const OneBased &) const = default;
};

// One card entry of a chain: its two letters (empty when the entry holds no
// card), its place, and what the collapse did to it.
struct TKarta
{
    QString Rank;
    QString Suit;
    std::int32_t Position = 0;
    std::int32_t MobileCount = 0;
    std::int32_t Transit = 0;
    std::int32_t Remainder = 0;
    std::int32_t Depth = 0;

    QString name() const { return Rank + Suit; }
    bool operator==(const TKarta &) const = default;
};

// Two entries agree when their rank texts or their suit texts are equal: the one
// test of the collapse and of the micro-chains. Letters are compared as they are,
// so two empty entries agree and a pattern's "?" agrees only with itself.
inline bool cardsAgree(const TKarta &a, const TKarta &b)
{
    return a.Suit == b.Suit || a.Rank == b.Rank;
}

using TKoloda = OneBased<TKarta, 36>;
using TStrings = OneBased<QString, 36>;

// A whole chain with its results; always exactly 36 entries.
struct TTLKoloda
{
    TKoloda Cards;
    std::int32_t TransitTotal = 0;
    TStrings ExtremeNames;
    std::uint8_t ExtremeCount = 0;
    OneBased<QString, 5> SuitStatistics;         // п, б, к, ч, then the whole line
    OneBased<std::uint8_t, 4> HexagramNumbers{}; // п, б, к, ч; 0 = not computed

    bool operator==(const TTLKoloda &) const = default;
};

// Suit letters п, б, к, ч (indices 1 to 4) and rank letters 6 … Т (1 to 9). The
// ten is the Latin capital X; В, Д, К, Т are Cyrillic capitals.
extern const OneBased<QString, 4> SuitLetters;
extern const OneBased<QString, 9> RankLetters;

// Index of a letter in its table, 0 when it is none of them.
int suitIndex(const QString &letter);
int rankIndex(const QString &letter);
// The same for one code point, for the paths that read bytes.
int suitIndexOf(char32_t letter);
int rankIndexOf(char32_t letter);

// Empties the letters and counters of every entry and the chain's results.
// ExtremeCount is left as it is: only the depth search sets it.
void ClearChain(TTLKoloda &Chain);
