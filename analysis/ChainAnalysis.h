// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

// The analysis run of one chain text (RunAnalysis: reader, collapse, analysis
// table, rank-by-suit and hexagram tables, hexagrams, statistics, report) with
// its results in fixed buffers instead of QString cells. It is meant for batches
// of chains, where building and comparing the tables' text cells costs many
// times the collapse itself; the window keeps the tables.
//
// One object is reused from chain to chain: once it has shown each suit
// statistic it meets it allocates nothing more. It touches no global state and
// shows no message; isShort() tells the caller what ReadChain would have warned.
class ChainAnalysis
{
public:
    enum class Grid
    {
        StringGrid1, // the analysis table, 38 x 8
        StringGrid2, // the rank-by-suit table, 11 x 8
        StringGrid3, // the hexagram table, 11 x 8
    };

    // One entry of the chain as read, with what the collapse did to it. The
    // letters are UTF-8, one character each, empty when the entry holds no card.
    struct Card
    {
        std::string_view rank;
        std::string_view suit;
        std::string_view name; // rank then suit, as the table shows the card
        std::int32_t mobileCount = 0;
        std::int32_t transit = 0;
        std::int32_t remainder = 0;
        std::int32_t depth = 0;
    };

    static constexpr int ReportLineCount = 4;

    // Statistics are written with the locale's decimal separator as it is when
    // the object is made (platform::decimalSeparator), or with the one given.
    ChainAnalysis();
    explicit ChainAnalysis(QChar decimalSeparator);
    ChainAnalysis(const ChainAnalysis &) = delete;
    ChainAnalysis &operator=(const ChainAnalysis &) = delete;

    // Reads and analyses a chain text given as valid UTF-8 (the line reader and
    // the argument reading of tlcalc-cli make it so). The text is read as
    // ReadChain reads the QString::fromUtf8 of it, one character being one
    // Unicode code point: a byte order mark at the start is dropped. The results
    // refer to the text, which must outlive them, and last until the next call.
    void analyse(std::string_view utf8Text);

    // The text as read: the bytes given, without a byte order mark.
    std::string_view text() const { return text_; }
    // Fewer than 36 characters: what makes the analysis run say "Цепочка маловата".
    bool isShort() const { return short_; }
    // Cards left by the collapse (CountCollapse).
    int left() const { return left_; }
    std::int32_t transitTotal() const { return transitTotal_; }
    // Entry 1..36.
    const Card &card(int position) const { return cards_[std::size_t(position - 1)]; }

    static int columnCount(Grid grid) { return grid == Grid::StringGrid1 ? 38 : 11; }
    static int rowCount(Grid) { return 8; }
    // A cell's text, titles included; outside the grid the empty text.
    std::string_view cell(Grid grid, int column, int row) const;
    // Every cell, row 0 first, each row from column 0.
    std::span<const std::string_view> cells(Grid grid) const;

    // The report lines of the run: the collapse line, the two balance lines
    // and the statistics line, index 0 to 3.
    std::string_view reportLine(int index) const;

    // Suit 1..4 (п, б, к, ч).
    int hexagramNumber(int suit) const { return hexagrams_[std::size_t(suit - 1)]; }
    std::string_view statistic(int suit) const { return statistics_[std::size_t(suit - 1)]; }

private:
    struct LetterBytes
    {
        // "[" rank suit "]", so that the name and the bracketed form share it.
        char bytes[10];
    };
    struct ShownStatistic
    {
        std::uint8_t size = 0; // 0 = not formatted yet
        char bytes[15];
    };
    struct LineBuffer
    {
        std::uint8_t size = 0;
        char bytes[127];
        std::string_view view() const { return {bytes, size}; }
    };

    void read(std::string_view text);
    void collapse();
    void fillAnalysisTable();
    void fillHexagramTables();
    std::string_view shownStatistic(int factorIndex);

    std::string_view &grid1(int column, int row) { return grid1_[std::size_t(row * 38 + column)]; }
    std::string_view &grid2(int column, int row) { return grid2_[std::size_t(row * 11 + column)]; }
    std::string_view &grid3(int column, int row) { return grid3_[std::size_t(row * 11 + column)]; }

    std::array<long double, 3> factors_{}; // 1.0, 0.66, 0.5 as BalanceFactor gives them
    QChar separator_;

    std::string_view text_;
    bool short_ = false;
    int left_ = 36;
    std::int32_t transitTotal_ = 0;
    std::array<char32_t, 36> ranks_{};
    std::array<char32_t, 36> suits_{};
    std::array<LetterBytes, 36> letters_{};
    std::array<Card, 36> cards_{};
    std::array<std::array<bool, 10>, 5> marked_{}; // [suit][rank], mobile deck cards
    std::array<int, 5> suitCounts_{};
    std::array<int, 10> rankCounts_{};
    std::array<int, 4> hexagrams_{};
    std::array<std::string_view, 4> statistics_{};

    std::array<std::string_view, 38 * 8> grid1_{};
    std::array<std::string_view, 11 * 8> grid2_{};
    std::array<std::string_view, 11 * 8> grid3_{};
    LineBuffer collapseLine_;
    LineBuffer balanceLine_;
    std::string_view verdictLine_;
    LineBuffer statisticsLine_;

    std::array<ShownStatistic, 729> shown_{}; // by the six factors, in base 3
};
