// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's outputs for fixed inputs and seeds, byte for byte as the
// Linux build wrote them, kept in recorded/. Every build (Windows among them)
// must write the same bytes: the same chains dealt, the same analyses, no CR
// before line ends. TLCALC_RECORD_OUTPUTS=1 writes the files anew from this
// build instead of comparing; do that only on Linux, when an output changes on
// purpose, and read the difference before committing it.
#include "../TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <utility>

#include <gtest/gtest.h>

namespace {

struct RecordedCase
{
    const char *name;
    QStringList arguments;
    QByteArray input;
};

QString recordedFile(const char *name)
{
    return QDir(QStringLiteral(TLCALC_SOURCE_DIR "/tests/cli/recorded"))
        .filePath(QString::fromLatin1(name) + QStringLiteral(".out"));
}

// Chains of every kind the reader meets: whole decks collapsing or not, a short
// one, a spoilt one, a Windows-1251 line, a line with CR LF.
QByteArray mixedChains()
{
    QByteArray input = OrderedDeckText.toUtf8() + '\n' + NoCollapseText.toUtf8() + "\r\n";
    input += "6п 7п 8п\n";
    input += "6п 7б 8к 9ч Xп Вб Дк Кч Тп Ж 6б 7к\n";
    input += QStringLiteral("Тп 6б Вк").toUtf8() + '\n';
    input += QByteArray("\xD2\xF7 6\xEF 7\xEF\n"); // "Тч 6п 7п" in Windows-1251
    return input;
}

// The output with what a clock gives (times taken, rates, dates) put as "…",
// so that the rest can be held to the bytes recorded.
QByteArray withoutTimes(const QByteArray &output)
{
    static const std::pair<QRegularExpression, QString> clockParts[] = {
        {QRegularExpression(QStringLiteral("\"ms\":\\d+")), QStringLiteral("\"ms\":…")},
        {QRegularExpression(QStringLiteral(", \\d+ мс$"), QRegularExpression::MultilineOption),
         QStringLiteral(", … мс")},
        {QRegularExpression(QStringLiteral("\\(сид (\\d+), [^)]*\\)")),
         QStringLiteral("(сид \\1, …)")},
        {QRegularExpression(QStringLiteral("(Начали в|Закончили в) += .*$"),
                            QRegularExpression::MultilineOption),
         QStringLiteral("\\1 = …")},
        {QRegularExpression(QStringLiteral("Времени ушло = .*$"),
                            QRegularExpression::MultilineOption),
         QStringLiteral("Времени ушло = …")},
    };
    QString text = QString::fromUtf8(output);
    for (const auto &[pattern, replacement] : clockParts)
        text.replace(pattern, replacement);
    return text.toUtf8();
}

class RecordedOutputs : public ::testing::TestWithParam<RecordedCase>
{
};

TEST_P(RecordedOutputs, AreTheBytesTheLinuxBuildWrote)
{
    const RecordedCase &c = GetParam();
    QProcess process;
    process.start(QStringLiteral(TLCALC_CLI_PATH), c.arguments);
    ASSERT_TRUE(process.waitForStarted());
    process.write(c.input);
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(120000));
    ASSERT_EQ(process.exitStatus(), QProcess::NormalExit);
    // The exit status and standard error come first in the file, then the output.
    const QByteArray got = withoutTimes("status " + QByteArray::number(process.exitCode()) +
                                        "\nstderr:\n" + process.readAllStandardError() +
                                        "stdout:\n" + process.readAllStandardOutput());

    QFile file(recordedFile(c.name));
    if (qEnvironmentVariableIntValue("TLCALC_RECORD_OUTPUTS") == 1) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(got);
        GTEST_SKIP() << "recorded " << file.fileName().toStdString();
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QByteArray recorded = file.readAll();
    EXPECT_FALSE(got.contains('\r') && !recorded.contains('\r')) << "CR written before line ends";
    EXPECT_EQ(got, recorded) << "the output differs from " << file.fileName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RecordedOutputs,
    ::testing::Values(
        RecordedCase{"AnalyseJson", words("analyse --json --threads 2"), mixedChains()},
        RecordedCase{"AnalyseReport", words("analyse --threads 1"), mixedChains()},
        RecordedCase{"AnalyseCp1251", words("analyse --json --encoding cp1251"),
                     QByteArray("\xD2\xF7 6\xEF 7\xEF 8\xEF\n")},
        RecordedCase{"GenerateSeeded", words("generate --seed 1 --count 5 --threads 2 --json"), {}},
        RecordedCase{"GenerateConditions",
                     words("generate --seed 7 --min-efl 12 --target ?п --count 3 --threads 1"),
                     {}},
        RecordedCase{"ExchangeSuits",
                     QStringList{QStringLiteral("exchange"), QStringLiteral("--json"),
                                 OrderedDeckText, QStringLiteral("?п"), QStringLiteral("?ч")},
                     {}},
        RecordedCase{"ExchangeCards",
                     QStringList{QStringLiteral("exchange"), NoCollapseText, QStringLiteral("6п"),
                                 QStringLiteral("Тч")},
                     {}},
        RecordedCase{"StatsJson", words("stats --deals 300000 --seed 1 --threads 2 --json"), {}},
        RecordedCase{"StatsTable", words("stats --deals 100000 --seed 5 --threads 1"), {}},
        RecordedCase{"MicroGat",
                     words("micro --efl 6 --method gat --target Тч --count 3 --seed 1 --json"),
                     {}},
        RecordedCase{"MicroSearch",
                     words("micro --efl 20 --method search --target ?п --count 3 --seed 2 --json"),
                     {}},
        RecordedCase{"MicroText", words("micro --efl 3 --target Дб --count 2 --seed 9"), {}},
        RecordedCase{"UsageError", words("generate --min-efl 99"), {}}),
    [](const auto &test) { return std::string(test.param.name); });

} // namespace
