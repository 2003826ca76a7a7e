// SPDX-License-Identifier: GPL-3.0-or-later
#include "HexagramPatterns.h"

#include <array>
#include <cstdint>

namespace {

// The eight trigrams, each three lines from the bottom up.
enum Trigram
{
    Qian,
    Dui,
    Li,
    Zhen,
    Xun,
    Kan,
    Gen,
    Kun
};

constexpr std::array<const char *, 8> TrigramLines = {
    "111", // Qian, heaven
    "110", // Dui, lake
    "101", // Li, fire
    "100", // Zhen, thunder
    "011", // Xun, wind
    "010", // Kan, water
    "001", // Gen, mountain
    "000", // Kun, earth
};

struct TrigramPair
{
    Trigram lower;
    Trigram upper;
};

// King Wen's sequence as the books give it: the lower (inner) and the upper
// (outer) trigram of every hexagram. The line patterns follow from these.
// clang-format off
constexpr std::array<TrigramPair, HexagramPatternTable::Count> KingWen = {{
    {Qian, Qian}, {Kun, Kun},   {Zhen, Kan},  {Kan, Gen},   // 1-4
    {Qian, Kan},  {Kan, Qian},  {Kan, Kun},   {Kun, Kan},   // 5-8
    {Qian, Xun},  {Dui, Qian},  {Qian, Kun},  {Kun, Qian},  // 9-12
    {Li, Qian},   {Qian, Li},   {Gen, Kun},   {Kun, Zhen},  // 13-16
    {Zhen, Dui},  {Xun, Gen},   {Dui, Kun},   {Kun, Xun},   // 17-20
    {Zhen, Li},   {Li, Gen},    {Kun, Gen},   {Zhen, Kun},  // 21-24
    {Zhen, Qian}, {Qian, Gen},  {Zhen, Gen},  {Xun, Dui},   // 25-28
    {Kan, Kan},   {Li, Li},     {Gen, Dui},   {Xun, Zhen},  // 29-32
    {Gen, Qian},  {Qian, Zhen}, {Kun, Li},    {Li, Kun},    // 33-36
    {Li, Xun},    {Dui, Li},    {Gen, Kan},   {Kan, Zhen},  // 37-40
    {Dui, Gen},   {Zhen, Xun},  {Qian, Dui},  {Xun, Qian},  // 41-44
    {Kun, Dui},   {Xun, Kun},   {Kan, Dui},   {Xun, Kan},   // 45-48
    {Li, Dui},    {Xun, Li},    {Zhen, Zhen}, {Gen, Gen},   // 49-52
    {Gen, Xun},   {Dui, Zhen},  {Li, Zhen},   {Gen, Li},    // 53-56
    {Xun, Xun},   {Dui, Dui},   {Kan, Xun},   {Dui, Kan},   // 57-60
    {Dui, Xun},   {Gen, Zhen},  {Li, Kan},    {Kan, Li},    // 61-64
}};
// clang-format on

std::array<QString, HexagramPatternTable::Count> buildPatterns()
{
    std::array<QString, HexagramPatternTable::Count> patterns;
    for (std::size_t n = 0; n < patterns.size(); ++n)
        patterns[n] = QLatin1String(TrigramLines[KingWen[n].lower]) +
                      QLatin1String(TrigramLines[KingWen[n].upper]);
    return patterns;
}

const std::array<QString, HexagramPatternTable::Count> &patterns()
{
    static const std::array<QString, HexagramPatternTable::Count> table = buildPatterns();
    return table;
}

} // namespace

const HexagramPatternTable HexagramPatterns;

const QString &HexagramPatternTable::operator[](int n) const
{
    static const QString none;
    if (n < 1 || n > Count)
        return none;
    return patterns()[std::size_t(n - 1)];
}

int HexagramPatternTable::find(const QString &pattern) const
{
    for (int n = 1; n <= Count; ++n)
        if ((*this)[n] == pattern)
            return n;
    return 0;
}

int hexagramOfLines(unsigned lines)
{
    static const std::array<std::uint8_t, 64> numbers = [] {
        std::array<std::uint8_t, 64> byLines{};
        for (int n = 1; n <= HexagramPatternTable::Count; ++n) {
            const QString &pattern = HexagramPatterns[n];
            unsigned bits = 0;
            for (int line = 0; line < 6; ++line)
                if (pattern[line] == u'1')
                    bits |= 1u << line;
            byLines[bits] = std::uint8_t(n);
        }
        return byLines;
    }();
    return numbers[lines & 63u];
}
