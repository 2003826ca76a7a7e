// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnalyseRecordWriter.h"

#include "CommandMessages.h"
#include "JsonWriter.h"
#include "engine/DeckCheck.h"

#include <array>
#include <span>

namespace {

// The text goes out in pieces this long, so that a record whose text runs to
// megabytes can be handed on while it is written.
constexpr std::size_t TextPiece = 64 * 1024;

constexpr std::array<std::string_view, 3> GridNames = {"StringGrid1", "StringGrid2", "StringGrid3"};
constexpr std::array<ChainAnalysis::Grid, 3> Grids = {ChainAnalysis::Grid::StringGrid1,
                                                      ChainAnalysis::Grid::StringGrid2,
                                                      ChainAnalysis::Grid::StringGrid3};

// Decimal digits of a value, written backwards from the end of a buffer.
std::string_view decimal(int value, char (&buffer)[20])
{
    const char *first = JsonWriter::decimalBefore(buffer + sizeof buffer, value);
    return {first, std::size_t(buffer + sizeof buffer - first)};
}

void appendNumber(ByteOutput &out, int value)
{
    char buffer[20];
    out.append(decimal(value, buffer));
}

// Right-aligned in a field of width characters (code points), so that a letter
// beyond the BMP does not shift its column.
void appendPadded(ByteOutput &out, std::string_view utf8, int width)
{
    int characters = 0;
    for (const char c : utf8)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (characters < width)
        out.append(std::size_t(width - characters), ' ');
    out.append(utf8);
}

void appendPadded(ByteOutput &out, int value, int width)
{
    char buffer[20];
    appendPadded(out, decimal(value, buffer), width);
}

// Writes a text in pieces of TextPiece bytes through write, with a checkpoint
// of out between them.
template <typename Write> void writeInPieces(std::string_view text, ByteOutput &out, Write write)
{
    while (!text.empty()) {
        const std::string_view piece = text.substr(0, TextPiece);
        text.remove_prefix(piece.size());
        write(piece);
        if (!text.empty())
            out.checkpoint();
    }
}

} // namespace

void AnalyseRecordWriter::writeJson(std::string_view utf8Text, ByteOutput &out)
{
    analyse(utf8Text);
    const ChainAnalysis &a = analysis_;
    JsonWriter json(out);
    // Keys in the order QJsonObject keeps them: sorted.
    json.beginObject();
    json.key("cards");
    json.beginArray();
    for (int n = 1; n <= 36; ++n) {
        const ChainAnalysis::Card &card = a.card(n);
        json.beginObject();
        json.key("depth");
        json.integer(card.depth);
        json.key("mobile");
        json.integer(card.mobileCount);
        json.key("rank");
        json.string(card.rank);
        json.key("remainder");
        json.integer(card.remainder);
        json.key("suit");
        json.string(card.suit);
        json.key("transit");
        json.integer(card.transit);
        json.endObject();
    }
    json.endArray();

    json.key("deck");
    json.beginObject();
    json.key("full");
    json.boolean(deck_.full);
    const std::pair<std::string_view, const QStringList *> lists[] = {
        {"missing", &deck_.missing}, {"repeated", &deck_.repeated}, {"unknown", &deck_.unknown}};
    for (const auto &[key, entries] : lists) {
        json.key(key);
        json.beginArray();
        for (const QString &entry : *entries)
            json.string(entry.toStdString());
        json.endArray();
    }
    json.endObject();

    json.key("grids");
    json.beginObject();
    for (std::size_t g = 0; g < Grids.size(); ++g) {
        json.key(GridNames[g]);
        json.beginArray();
        const std::span<const std::string_view> cells = a.cells(Grids[g]);
        const std::size_t columns = std::size_t(ChainAnalysis::columnCount(Grids[g]));
        for (std::size_t first = 0; first < cells.size(); first += columns) {
            json.beginArray();
            for (std::size_t column = 0; column < columns; ++column)
                json.string(cells[first + column]);
            json.endArray();
        }
        json.endArray();
    }
    json.endObject();

    json.key("hexagrams");
    json.beginArray();
    for (int s = 1; s <= 4; ++s)
        json.integer(a.hexagramNumber(s));
    json.endArray();
    json.key("left");
    json.integer(a.left());
    json.key("report");
    json.beginArray();
    for (int i = 0; i < ChainAnalysis::ReportLineCount; ++i)
        json.string(a.reportLine(i));
    json.endArray();
    json.key("short");
    json.boolean(a.isShort());
    json.key("statistics");
    json.beginArray();
    for (int s = 1; s <= 4; ++s)
        json.string(a.statistic(s));
    json.endArray();
    json.key("text");
    json.beginString();
    writeInPieces(a.text(), out, [&json](std::string_view piece) { json.stringPiece(piece); });
    json.endString();
    json.key("transitTotal");
    json.integer(a.transitTotal());
    json.endObject();
    out.append('\n');
    out.checkpoint();
}

void AnalyseRecordWriter::analyse(std::string_view utf8Text)
{
    analysis_.analyse(utf8Text);
    deck_ = checkDeckUtf8(analysis_.text());
}

void AnalyseRecordWriter::writeReport(std::string_view utf8Text, ByteOutput &out)
{
    analyse(utf8Text);
    const ChainAnalysis &a = analysis_;
    out.append("Цепочка: ");
    writeInPieces(a.text(), out, [&out](std::string_view piece) { out.append(piece); });
    out.append('\n');
    for (int i = 0; i < ChainAnalysis::ReportLineCount; ++i) {
        out.append(a.reportLine(i));
        out.append('\n');
    }
    out.append("Транзитов: ");
    appendNumber(out, a.transitTotal());
    out.append("\nГексаграммы (п, б, к, ч):");
    for (int s = 1; s <= 4; ++s) {
        out.append(' ');
        appendNumber(out, a.hexagramNumber(s));
    }
    out.append("\n Поз  Карта  Мобилы  Транзит  Глубина  Остаток\n");
    for (int n = 1; n <= 36; ++n) {
        const ChainAnalysis::Card &card = a.card(n);
        appendPadded(out, n, 4);
        appendPadded(out, card.name, 7);
        appendPadded(out, card.mobileCount, 8);
        appendPadded(out, card.transit, 9);
        appendPadded(out, card.depth, 9);
        appendPadded(out, card.remainder, 9);
        out.append('\n');
    }
    out.checkpoint();
}

void AnalyseLineWorker::process(std::uint64_t index, std::string_view line, LineOutput &output)
{
    if (format_ == Format::Json) {
        writer_.writeJson(line, output.out);
    } else {
        if (index > 0)
            output.out.append('\n');
        writer_.writeReport(line, output.out);
    }
    if (format_ == Format::Json)
        return;
    if (writer_.analysis().isShort())
        note(index, "Цепочка маловата", output.err);
    if (!writer_.deck().full)
        note(index, deckCheckLine(writer_.deck()).toStdString(), output.err);
}

void AnalyseLineWorker::note(std::uint64_t index, std::string_view text, std::string &err) const
{
    err.append(notePrefix_);
    if (namesLines_)
        err.append(lineLabel(index + 1).toStdString()).append(": ");
    err.append(text);
    err.append(1, '\n');
}
