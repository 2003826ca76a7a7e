// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChainAnalysis.h"

#include "engine/ChainReader.h"
#include "engine/StackCollapse.h"
#include "engine/Utf8.h"

#include "hexagrams/HexagramPatterns.h"
#include "hexagrams/SuitStatistics.h"
#include "platform/LocaleFormats.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cassert>
#include <cstring>

namespace {

// An entry the text does not fill: it matches only another such entry, as two
// empty letters do. No code point comes near it.
constexpr char32_t NoLetter = 0xFFFFFFFF;

constexpr std::array<std::string_view, 10> RankUtf8 = {"",  "6", "7", "8", "9",
                                                       "X", "В", "Д", "К", "Т"};
constexpr std::array<std::string_view, 5> SuitUtf8 = {"", "п", "б", "к", "ч"};

constexpr std::array<char, 200> DigitPairs = [] {
    std::array<char, 200> digits{};
    for (int v = 0; v < 100; ++v) {
        digits[std::size_t(2 * v)] = char('0' + v / 10);
        digits[std::size_t(2 * v + 1)] = char('0' + v % 10);
    }
    return digits;
}();

// Every number the tables show lies between 0 and 36.
std::string_view decimal(int value)
{
    assert(value >= 0 && value < 100);
    return value < 10 ? std::string_view(&DigitPairs[std::size_t(2 * value + 1)], 1)
                      : std::string_view(&DigitPairs[std::size_t(2 * value)], 2);
}

constexpr std::array<std::string_view, 5> BalanceMarks = {"--", "-", "=", "+", "++"};

template <typename Buffer> void put(Buffer &buffer, std::string_view piece)
{
    assert(buffer.size + piece.size() <= sizeof buffer.bytes);
    std::memcpy(buffer.bytes + buffer.size, piece.data(), piece.size());
    buffer.size = std::uint8_t(buffer.size + piece.size());
}

} // namespace

ChainAnalysis::ChainAnalysis() : ChainAnalysis(platform::decimalSeparator()) {}

ChainAnalysis::ChainAnalysis(QChar decimalSeparator) : separator_(decimalSeparator)
{
    factors_ = {BalanceFactor(QStringLiteral("="), true), BalanceFactor(QStringLiteral("+"), true),
                BalanceFactor(QStringLiteral("++"), true)};
    hexagramOfLines(0); // its table is built here, not in the first analysis

    // The title cells, as MainTables sets them; the other cells start empty.
    for (int k = 1; k <= 36; ++k)
        grid1(k, 0) = decimal(k);
    constexpr std::array<std::string_view, 7> rowTitles = {"Колода",  "Формула", "Мобилы", "Стац-ы",
                                                           "Транз-ы", "Глубина", "Остаток"};
    for (int r = 1; r <= 7; ++r)
        grid1(0, r) = rowTitles[std::size_t(r - 1)];

    for (int c = 1; c <= 9; ++c)
        grid2(c, 0) = RankUtf8[std::size_t(c)];
    grid2(10, 0) = "m";
    constexpr std::array<std::string_view, 9> hexagramTitles = {"9|7", "6|8", "X",  "Д|В", "К",
                                                                "Т",   "m",   "#g", "{R}"};
    for (int c = 1; c <= 9; ++c)
        grid3(c, 0) = hexagramTitles[std::size_t(c - 1)];
    for (int r = 1; r <= 4; ++r) {
        grid2(0, r) = SuitUtf8[std::size_t(r)];
        grid3(0, r) = SuitUtf8[std::size_t(r)];
    }
    grid2(0, 5) = grid3(0, 5) = "m";
    grid2(0, 6) = grid3(0, 6) = "hb";
}

void ChainAnalysis::analyse(std::string_view utf8Text)
{
    assert(QByteArrayView(utf8Text.data(), qsizetype(utf8Text.size())).isValidUtf8());
    // QString::fromUtf8 drops one byte order mark at the start.
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    text_ = utf8Text.substr(utf8Text.starts_with(ByteOrderMark) ? ByteOrderMark.size() : 0);
    read(text_);
    collapse();
    fillAnalysisTable();
    fillHexagramTables();
}

void ChainAnalysis::read(std::string_view text)
{
    const auto *s = reinterpret_cast<const unsigned char *>(text.data());
    const std::size_t size = text.size();

    // Only whether there are 36 characters matters, however long the text.
    int characters = 0;
    for (std::size_t i = 0; i < size && characters < 36; ++i)
        characters += (s[i] & 0xC0) != 0x80;
    short_ = characters < 36;

    Utf8ChainScanner scanner(text);
    for (std::size_t n = 0; n < 36; ++n) {
        std::string_view rank, suit;
        scanner.next(rank, suit);
        LetterBytes &letters = letters_[n];
        letters.bytes[0] = '[';
        if (!rank.empty())
            std::memcpy(letters.bytes + 1, rank.data(), rank.size());
        if (!suit.empty())
            std::memcpy(letters.bytes + 1 + rank.size(), suit.data(), suit.size());
        letters.bytes[1 + rank.size() + suit.size()] = ']';
        ranks_[n] = rank.empty() ? NoLetter : utf8CodePoint(rank);
        suits_[n] = suit.empty() ? NoLetter : utf8CodePoint(suit);
        Card &card = cards_[n];
        card.rank = std::string_view(letters.bytes + 1, rank.size());
        card.suit = std::string_view(letters.bytes + 1 + rank.size(), suit.size());
        card.name = std::string_view(letters.bytes + 1, rank.size() + suit.size());
    }
}

void ChainAnalysis::collapse()
{
    // The engine's fast collapse, on whole code points instead of deck cards,
    // since any letters may stand here.
    struct Letters
    {
        char32_t rank;
        char32_t suit;
    };
    struct Record
    {
        std::array<Card, 36> &cards;
        std::int32_t transitTotal = 0;
        void mobile(int position) { ++cards[std::size_t(position - 1)].mobileCount; }
        void transit(int position)
        {
            ++cards[std::size_t(position - 1)].transit;
            ++transitTotal;
        }
        void stageEnds(int position, int depth, int remainder)
        {
            cards[std::size_t(position - 1)].depth = depth;
            cards[std::size_t(position - 1)].remainder = remainder;
        }
    };
    std::array<Letters, 36> row;
    for (std::size_t k = 0; k < 36; ++k) {
        row[k] = {ranks_[k], suits_[k]};
        Card &card = cards_[k];
        card.mobileCount = card.transit = card.remainder = card.depth = 0;
    }
    Record record{cards_};
    left_ = collapseOnStack(
        row, [](Letters a, Letters b) { return a.rank == b.rank || a.suit == b.suit; }, record);
    cards_[35].mobileCount = 1;
    transitTotal_ = record.transitTotal;
}

void ChainAnalysis::fillAnalysisTable()
{
    int depthSum = 0;
    int mostMobile = 0;
    for (int k = 1; k <= 36; ++k) {
        const Card &card = cards_[std::size_t(k - 1)];
        grid1(k, 1) = card.name;
        if (card.mobileCount == 0) {
            grid1(k, 3) = " ";
            grid1(k, 2) =
                std::string_view(letters_[std::size_t(k - 1)].bytes, card.name.size() + 2);
            grid1(k, 4) = "X";
        } else {
            grid1(k, 3) = decimal(card.mobileCount);
            grid1(k, 2) = card.name;
            grid1(k, 4) = {};
        }
        if (card.transit != 0) {
            grid1(k, 5) = "X";
            grid1(k, 6) = decimal(card.depth);
            grid1(k, 7) = decimal(card.remainder);
        } else {
            grid1(k, 5) = grid1(k, 6) = grid1(k, 7) = {};
        }
        depthSum += card.depth;
        mostMobile = std::max(mostMobile, card.mobileCount);
    }
    grid1(37, 5) = decimal(transitTotal_);
    grid1(37, 6) = decimal(depthSum);
    grid1(37, 3) = decimal(mostMobile);

    collapseLine_.size = 0;
    put(collapseLine_, "Свёртка до ");
    put(collapseLine_, decimal(left_));
    put(collapseLine_, " карт");
}

void ChainAnalysis::fillHexagramTables()
{
    for (auto &row : marked_)
        row.fill(false);
    suitCounts_.fill(0);
    for (std::size_t n = 0; n < 36; ++n) {
        if (cards_[n].mobileCount <= 0)
            continue;
        const int s = suitIndexOf(suits_[n]);
        const int r = rankIndexOf(ranks_[n]);
        // A doubled card marks its cell once but counts for its suit twice, as
        // the rank-by-suit analysis counts entries.
        if (s != 0 && r != 0) {
            marked_[std::size_t(s)][std::size_t(r)] = true;
            ++suitCounts_[std::size_t(s)];
        }
    }

    int balanced = 0;
    for (int c = 1; c <= 9; ++c) {
        int k = 0;
        for (int s = 1; s <= 4; ++s) {
            const bool mark = marked_[std::size_t(s)][std::size_t(c)];
            grid2(c, s) = mark ? "X" : "";
            k += mark;
        }
        rankCounts_[std::size_t(c)] = k;
        grid2(c, 5) = decimal(k);
        grid2(c, 6) = BalanceMarks[std::size_t(k)];
        balanced += k == 2;
    }
    for (int s = 1; s <= 4; ++s)
        grid2(10, s) = decimal(suitCounts_[std::size_t(s)]);

    balanceLine_.size = 0;
    put(balanceLine_, " Сбалансированных участков  = ");
    put(balanceLine_, decimal(balanced));
    put(balanceLine_, " шт.");
    verdictLine_ =
        balanced >= 6 ? " Полная балансировка возможна." : " Полная балансировка невозможна.";

    for (int line = 1; line <= 6; ++line) {
        const int k = rankCounts_[std::size_t(HexagramLineRank[std::size_t(line)])];
        grid3(line, 5) = decimal(k);
        grid3(line, 6) = BalanceMarks[std::size_t(k)];
    }

    statisticsLine_.size = 0;
    put(statisticsLine_, "P(п,б,к,ч) = {");
    for (int s = 1; s <= 4; ++s) {
        unsigned lines = 0;
        int count = 0;
        int factorIndex = 0;
        for (int line = 1, weight = 1; line <= 6; ++line, weight *= 3) {
            const std::size_t rank = std::size_t(HexagramLineRank[std::size_t(line)]);
            const bool mark = marked_[std::size_t(s)][rank];
            grid3(line, s) = mark ? "X" : "";
            lines |= unsigned(mark) << (line - 1);
            count += mark;
            // 0: 1.0, 1: 0.66, 2: 0.5, as BalanceFactor chooses by the mark.
            const int k = rankCounts_[rank];
            int factor = 0;
            if (k == 0 || k == 4)
                factor = 2;
            else if ((k == 3 && mark) || (k == 1 && !mark))
                factor = 1;
            factorIndex += factor * weight;
        }
        grid3(7, s) = decimal(count);
        const int number = hexagramOfLines(lines);
        hexagrams_[std::size_t(s - 1)] = number;
        grid3(8, s) = decimal(number);
        const std::string_view shown = shownStatistic(factorIndex);
        statistics_[std::size_t(s - 1)] = shown;
        grid3(9, s) = shown;
        if (s > 1)
            put(statisticsLine_, ";");
        put(statisticsLine_, shown);
    }
    put(statisticsLine_, "}");
}

std::string_view ChainAnalysis::shownStatistic(int factorIndex)
{
    ShownStatistic &entry = shown_[std::size_t(factorIndex)];
    if (entry.size == 0) {
        // Line 1's factor is the lowest base-3 digit. The product runs from line
        // 1 to line 6 in extended precision, as ComputeSuitStatistics has it.
        long double statistic = 1.0L;
        for (int line = 1, rest = factorIndex; line <= 6; ++line, rest /= 3)
            statistic *= factors_[std::size_t(rest % 3)];
        const QByteArray text = formatSuitStatistic(statistic, separator_).toUtf8();
        assert(text.size() > 0 && std::size_t(text.size()) <= sizeof entry.bytes);
        std::memcpy(entry.bytes, text.constData(), std::size_t(text.size()));
        entry.size = std::uint8_t(text.size());
    }
    return {entry.bytes, entry.size};
}

std::string_view ChainAnalysis::cell(Grid grid, int column, int row) const
{
    if (column < 0 || row < 0 || column >= columnCount(grid) || row >= rowCount(grid))
        return {};
    return cells(grid)[std::size_t(row * columnCount(grid) + column)];
}

std::span<const std::string_view> ChainAnalysis::cells(Grid grid) const
{
    switch (grid) {
    case Grid::StringGrid1:
        return grid1_;
    case Grid::StringGrid2:
        return grid2_;
    case Grid::StringGrid3:
        return grid3_;
    }
    return {};
}

std::string_view ChainAnalysis::reportLine(int index) const
{
    switch (index) {
    case 0:
        return collapseLine_.view();
    case 1:
        return balanceLine_.view();
    case 2:
        return verdictLine_;
    case 3:
        return statisticsLine_.view();
    default:
        return {};
    }
}
