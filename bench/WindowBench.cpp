// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/GenerateCommand.h"
#include "mainwindow/TForm1.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QThread>

#include <benchmark/benchmark.h>

#include <memory>

// The main window's "Создать ЦС ТЛ" as a user runs it, looking for an EFL of 27
// or more (about one chain in four million deals, a tenth of a second): every
// candidate is tested on the window's thread with the live conditions, and
// pending events are let through at the test points. Chains dealt per second,
// to set beside the command line's rate for the same condition below. A rarer
// condition than the common ones keeps the showing of each found chain (its
// analysis and picture, a millisecond or so) from standing in for the search.
static void BM_WindowGenerate(benchmark::State &state)
{
    const auto program = std::make_unique<ProgramState>();
    platform::Services services(20);
    TForm1 form(*program, services);
    form.show();
    form.CheckBox2->setChecked(true);
    form.ComboBox2->setCurrentIndex(form.ComboBox2->findText(QStringLiteral("27")));
    std::uint64_t dealt = 0;
    for (auto _ : state) {
        form.ButtonTLGClick();
        dealt += program->TriedVariants;
    }
    state.counters["chains_per_second"] =
        benchmark::Counter(double(dealt), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WindowGenerate)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// The command line on every core, the same condition.
static void BM_CliGenerateEveryCore(benchmark::State &state)
{
    GenerateOptions options;
    options.conditions.minEfl = 27;
    options.count = 1;
    options.threads = std::max(1, QThread::idealThreadCount());
    options.seed = 20;
    std::uint64_t dealt = 0;
    for (auto _ : state) {
        generateChains(options, [&](const GeneratedChain &chain) {
            dealt += chain.tried;
            return true;
        });
        ++*options.seed;
    }
    state.counters["chains_per_second"] =
        benchmark::Counter(double(dealt), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CliGenerateEveryCore)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
