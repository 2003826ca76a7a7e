// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ByteOutput.h"
#include "OrderedBatch.h"
#include "analysis/ChainAnalysis.h"
#include "engine/DeckCheck.h"

#include <string_view>

// The records of `analyse` from the typed analysis, appended to a byte buffer
// without building a QJsonObject or the QString tables. One writer is reused
// from chain to chain (one per thread); it reads the decimal separator once.
class AnalyseRecordWriter
{
public:
    AnalyseRecordWriter() = default;
    explicit AnalyseRecordWriter(QChar decimalSeparator) : analysis_(decimalSeparator) {}

    // Analyses a chain text (valid UTF-8) and appends its JSON record and a line
    // end: the bytes QJsonDocument(analyseRecord(text)).toJson(QJsonDocument::Compact)
    // gives, the key "deck" being the check of the whole text (checkDeck):
    // {"full": BOOL, "missing": [...], "repeated": [...], "unknown": [...]}.
    // The text is handed on in pieces through out.checkpoint().
    void writeJson(std::string_view utf8Text, ByteOutput &out);

    // Analyses a chain text and appends the lines of analyseReport(text), each
    // with its line end.
    void writeReport(std::string_view utf8Text, ByteOutput &out);

    // The analysis of the chain last written.
    const ChainAnalysis &analysis() const { return analysis_; }
    // The deck check of the whole text last written (checkDeck).
    const ::DeckCheck &deck() const { return deck_; }

private:
    void analyse(std::string_view utf8Text);

    ChainAnalysis analysis_;
    ::DeckCheck deck_;
};

// The worker of `analyse` over lines of valid UTF-8: a JSON record or a readable
// report per line (reports separated by a blank line, as the command has them).
// Beside a report, standard error gets "Цепочка маловата" for each text shorter
// than 36 characters and the deck check of a text that is not a full deck; a JSON
// record says both itself ("short", "deck"), so it gets no note. Each note starts
// with the note prefix and, when lines are named, "строка N: " for line N (from
// 1), so that a note can be matched to its chain whatever the order of writing.
class AnalyseLineWorker : public LineWorker
{
public:
    enum class Format
    {
        Json,
        Report
    };

    explicit AnalyseLineWorker(Format format) : format_(format) {}
    AnalyseLineWorker(Format format, QChar decimalSeparator)
        : format_(format), writer_(decimalSeparator)
    {
    }

    void process(std::uint64_t index, std::string_view line, LineOutput &output) override;

    // "tlcalc-cli analyse: ", say; none by default.
    void setNotePrefix(std::string prefix) { notePrefix_ = std::move(prefix); }
    void setNamesLines(bool namesLines) { namesLines_ = namesLines; }

private:
    void note(std::uint64_t index, std::string_view text, std::string &err) const;

    Format format_;
    std::string notePrefix_;
    bool namesLines_ = false;
    AnalyseRecordWriter writer_;
};
