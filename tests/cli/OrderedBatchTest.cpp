// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/OrderedBatch.h"
#include "../ChainTexts.h"
#include "../TestSupport.h"
#include "cli/AnalyseRecordWriter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Writes "index:line" for each line and a warning for lines that start with
// "!"; lines take more or less work by their text, so that threads finish
// their chunks out of order.
class EchoWorker : public LineWorker
{
public:
    void process(std::uint64_t index, std::string_view line, LineOutput &output) override
    {
        volatile std::uint64_t spin = 0;
        const std::uint64_t work = std::hash<std::string_view>{}(line) % 20000;
        for (std::uint64_t i = 0; i < work; ++i)
            spin = spin + i;
        output.out.append(std::to_string(index) + ":");
        output.out.append(line);
        output.out.append('\n');
        if (!line.empty() && line.front() == '!')
            output.err.append("warning ").append(std::to_string(index)).append("\n");
    }
};

class LinesSource
{
public:
    explicit LinesSource(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    bool operator()(std::string &buffer)
    {
        if (next_ == lines_.size())
            return false;
        buffer.append(lines_[next_++]);
        return true;
    }
    std::size_t read() const { return next_; }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

struct Written
{
    std::string out, err;
    int calls = 0;
    std::size_t largestPiece = 0;
};

Written runBatch(const BatchOptions &options, const std::vector<std::string> &lines,
                 const LineWorkerFactory &makeWorker)
{
    Written written;
    LinesSource source(lines);
    const bool ok = runOrderedBatch(
        options, std::ref(source), makeWorker, [&](std::string_view out, std::string_view err) {
            written.out.append(out);
            written.err.append(err);
            ++written.calls;
            written.largestPiece = std::max(written.largestPiece, out.size());
            return true;
        });
    EXPECT_TRUE(ok);
    EXPECT_EQ(source.read(), lines.size());
    return written;
}

struct BatchShape
{
    const char *name;
    int threads;
    std::size_t chunkLines;
};

class OrderedBatchShapes : public ::testing::TestWithParam<BatchShape>
{
};

TEST_P(OrderedBatchShapes, OutputKeepsTheInputOrder)
{
    std::vector<std::string> lines;
    std::string expectedOut, expectedErr;
    for (int i = 0; i < 2000; ++i) {
        std::string line(i % 7 == 0 ? "!" : "");
        line.append(std::size_t(i % 13), 'a').append(std::to_string(i * 7919));
        lines.push_back(line);
        expectedOut += std::to_string(i) + ":" + lines.back() + "\n";
        if (i % 7 == 0)
            expectedErr += "warning " + std::to_string(i) + "\n";
    }
    BatchOptions options;
    options.threads = GetParam().threads;
    options.chunkLines = GetParam().chunkLines;
    options.handOnBytes = 64;
    const Written written = runBatch(options, lines, [] { return std::make_unique<EchoWorker>(); });
    EXPECT_EQ(written.out, expectedOut);
    EXPECT_EQ(written.err, expectedErr);
}

INSTANTIATE_TEST_SUITE_P(Shapes, OrderedBatchShapes,
                         ::testing::Values(BatchShape{"OneThread", 1, 256},
                                           BatchShape{"TwoThreadsLineByLine", 2, 1},
                                           BatchShape{"ThreeThreadsSmallChunks", 3, 3},
                                           BatchShape{"EightThreads", 8, 16}),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(OrderedBatch, OnOneThreadEachLineCanGoOnAtOnce)
{
    BatchOptions options;
    options.handOnBytes = 0;
    const std::vector<std::string> lines{"a", "b", "", "c"};
    std::vector<std::string> pieces;
    LinesSource source(lines);
    // The source sees each line's output written before it is asked for the next.
    const auto readAfterWriting = [&](std::string &buffer) {
        EXPECT_EQ(pieces.size(), source.read());
        return source(buffer);
    };
    EXPECT_TRUE(runOrderedBatch(
        options, readAfterWriting, [] { return std::make_unique<EchoWorker>(); },
        [&](std::string_view out, std::string_view) {
            pieces.emplace_back(out);
            return true;
        }));
    EXPECT_EQ(pieces, (std::vector<std::string>{"0:a\n", "1:b\n", "2:\n", "3:c\n"}));
}

TEST(OrderedBatch, EmptyInputWritesNothing)
{
    for (int threads : {1, 2}) {
        BatchOptions options;
        options.threads = threads;
        const Written written =
            runBatch(options, {}, [] { return std::make_unique<EchoWorker>(); });
        EXPECT_EQ(written.calls, 0);
        EXPECT_TRUE(written.out.empty());
    }
}

TEST(OrderedBatch, AnalysedOnSeveralThreadsAsOnOne)
{
    ChainTexts texts(77);
    std::vector<std::string> lines;
    for (int i = 0; i < 1500; ++i)
        lines.push_back(texts.next());
    for (const auto format : {AnalyseLineWorker::Format::Json, AnalyseLineWorker::Format::Report}) {
        const auto makeWorker = [format] {
            return std::make_unique<AnalyseLineWorker>(format, QChar(u','));
        };
        BatchOptions one;
        const Written alone = runBatch(one, lines, makeWorker);
        BatchOptions three;
        three.threads = 3;
        three.chunkLines = 7;
        const Written together = runBatch(three, lines, makeWorker);
        EXPECT_EQ(together.out, alone.out);
        EXPECT_EQ(together.err, alone.err);
        // Notes go beside reports; a JSON record carries them itself.
        EXPECT_EQ(alone.err.find("Цепочка маловата\n") != std::string::npos,
                  format == AnalyseLineWorker::Format::Report);
    }
}

TEST(OrderedBatch, VeryLongLineIsHandedOnWhileItIsWritten)
{
    std::string deck = toUtf8(OrderedDeckText);
    std::string line;
    while (line.size() < 3'000'000)
        line += deck;
    const std::vector<std::string> lines{deck, line, deck};
    const auto makeWorker = [] {
        return std::make_unique<AnalyseLineWorker>(AnalyseLineWorker::Format::Json, QChar(u'.'));
    };
    std::string expected;
    for (const std::string &text : lines) {
        AnalyseRecordWriter writer(QChar(u'.'));
        ByteOutput out;
        writer.writeJson(text, out);
        expected += out.view();
    }
    for (int threads : {1, 2}) {
        BatchOptions options;
        options.threads = threads;
        options.handOnBytes = 4096;
        const Written written = runBatch(options, lines, makeWorker);
        EXPECT_EQ(written.out, expected);
        // The long record went on in pieces of the text, never whole.
        EXPECT_GT(written.calls, 40);
        EXPECT_LT(written.largestPiece, std::size_t(256 * 1024));
    }
}

TEST(OrderedBatch, RefusingSinkEndsTheBatchSoon)
{
    for (int threads : {1, 2, 4}) {
        LinesSource source(std::vector<std::string>(100000, "line"));
        int calls = 0;
        BatchOptions options;
        options.threads = threads;
        options.chunkLines = 4;
        options.handOnBytes = 1;
        const bool ok = runOrderedBatch(
            options, std::ref(source), [] { return std::make_unique<EchoWorker>(); },
            [&](std::string_view, std::string_view) { return ++calls < 3; });
        EXPECT_FALSE(ok);
        EXPECT_EQ(calls, 3);
        // No more than the chunks in flight are read after the refusal.
        EXPECT_LT(source.read(), std::size_t(200)) << threads << " threads";
    }
}

} // namespace
