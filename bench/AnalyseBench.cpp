// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/AnalyseCommand.h"
#include "cli/AnalyseRecordWriter.h"
#include "cli/OrderedBatch.h"
#include "engine/FastDeal.h"
#include "platform/Services.h"

#include <QJsonDocument>

#include <benchmark/benchmark.h>

#include <ctime>
#include <string>
#include <vector>

namespace {

// Random chain texts as `analyse` reads them: one line of UTF-8 each.
std::vector<std::string> randomChainTexts(std::size_t count)
{
    RandomSource random(2026);
    std::vector<std::string> texts;
    fastdeal::Deal deal;
    for (std::size_t i = 0; i < count; ++i) {
        fastdeal::dealRandom(random, deal);
        texts.push_back(fastdeal::toText(deal).toStdString());
    }
    return texts;
}

// Services whose messages ("Цепочка маловата") go nowhere.
platform::Services &quietServices()
{
    static platform::Services *const services = [] {
        auto *quiet = new platform::Services(1);
        quiet->setMessageHandler([](const QString &) {});
        return quiet;
    }();
    return *services;
}

} // namespace

// The typed analysis and its JSON record: one item is one chain.
static void BM_AnalyseJson(benchmark::State &state)
{
    const std::vector<std::string> texts = randomChainTexts(256);
    AnalyseRecordWriter writer;
    ByteOutput out;
    std::size_t i = 0, bytes = 0;
    for (auto _ : state) {
        out.clear();
        writer.writeJson(texts[i++ % texts.size()], out);
        bytes += out.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(std::int64_t(bytes));
}
BENCHMARK(BM_AnalyseJson);

// Today's path for comparison: RunAnalysis on the QString tables, the record as
// a QJsonObject written by QJsonDocument.
static void BM_AnalyseJsonTables(benchmark::State &state)
{
    const std::vector<std::string> texts = randomChainTexts(256);
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string &text = texts[i++ % texts.size()];
        const QByteArray record =
            QJsonDocument(analyseRecord(QString::fromUtf8(text.data(), qsizetype(text.size())),
                                        quietServices()))
                .toJson(QJsonDocument::Compact);
        benchmark::DoNotOptimize(record.size());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AnalyseJsonTables);

// The typed analysis and its readable report.
static void BM_AnalyseText(benchmark::State &state)
{
    const std::vector<std::string> texts = randomChainTexts(256);
    AnalyseRecordWriter writer;
    ByteOutput out;
    std::size_t i = 0;
    for (auto _ : state) {
        out.clear();
        writer.writeReport(texts[i++ % texts.size()], out);
        benchmark::DoNotOptimize(out.size());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AnalyseText);

static void BM_AnalyseTextTables(benchmark::State &state)
{
    const std::vector<std::string> texts = randomChainTexts(256);
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string &text = texts[i++ % texts.size()];
        const QByteArray report =
            analyseReport(QString::fromUtf8(text.data(), qsizetype(text.size())), quietServices())
                .toUtf8();
        benchmark::DoNotOptimize(report.size());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AnalyseTextTables);

static double processSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// `analyse --json --threads T` without its input and output streams: lines
// from memory, records counted and dropped in input order. Wall-clock time;
// one item is one chain. cpu_us_per_chain is the processor time of all
// threads together: on a busy machine, where the threads cannot all run at
// once, it shows what the batch costs beyond the analyses themselves.
static void BM_AnalyseBatch(benchmark::State &state)
{
    const std::vector<std::string> texts = randomChainTexts(20000);
    BatchOptions options;
    options.threads = int(state.range(0));
    const LineWorkerFactory makeWorker = [] {
        return std::make_unique<AnalyseLineWorker>(AnalyseLineWorker::Format::Json);
    };
    std::size_t written = 0;
    const double cpuStart = processSeconds();
    for (auto _ : state) {
        std::size_t next = 0;
        runOrderedBatch(
            options,
            [&](std::string &buffer) {
                if (next == texts.size())
                    return false;
                buffer.append(texts[next++]);
                return true;
            },
            makeWorker,
            [&](std::string_view out, std::string_view) {
                written += out.size();
                return true;
            });
    }
    const double chains = double(state.iterations()) * double(texts.size());
    state.counters["cpu_us_per_chain"] = (processSeconds() - cpuStart) * 1e6 / chains;
    benchmark::DoNotOptimize(written);
    state.SetItemsProcessed(state.iterations() * std::int64_t(texts.size()));
}
BENCHMARK(BM_AnalyseBatch)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);
