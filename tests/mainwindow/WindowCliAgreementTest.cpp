// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "cli/AnalyseCommand.h"
#include "engine/Deck.h"
#include "platform/RandomSource.h"

#include <QJsonArray>
#include <QLocale>

class WindowCliAgreement : public MainWindowTest, public ::testing::WithParamInterface<const char *>
{
protected:
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        MainWindowTest::TearDown();
    }

    void expectSameAsTheCommandLine(const QString &text)
    {
        typeAndCheck(text);
        const QJsonObject record = analyseRecord(text, services);
        const MainTables &t = form->tables();
        EXPECT_EQ(record[u"report"].toArray(), QJsonArray::fromStringList(t.RichEdit1.lines()));
        const QJsonObject grids = record[u"grids"].toObject();
        EXPECT_EQ(grids[u"StringGrid1"].toArray(), gridRowsJson(t.StringGrid1));
        EXPECT_EQ(grids[u"StringGrid2"].toArray(), gridRowsJson(t.StringGrid2));
        EXPECT_EQ(grids[u"StringGrid3"].toArray(), gridRowsJson(t.StringGrid3));
        for (int s = 1; s <= 4; ++s) {
            EXPECT_EQ(record[u"hexagrams"].toArray()[s - 1].toInt(),
                      t.StringGrid3.cell(8, s).toInt());
            EXPECT_EQ(record[u"statistics"].toArray()[s - 1].toString(), t.StringGrid3.cell(9, s));
        }
    }
};

TEST_P(WindowCliAgreement, TablesReportAndNumbersAgree)
{
    QLocale::setDefault(QLocale(QString::fromLatin1(GetParam())));
    expectSameAsTheCommandLine(OrderedDeckText);
    RandomSource random(404);
    for (int i = 0; i < 20; ++i) {
        TTLKoloda chain;
        QString text;
        MakeRandomChain(random, chain, text);
        expectSameAsTheCommandLine(text);
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, WindowCliAgreement, ::testing::Values("C", "ru_RU"),
                         [](const auto &testInfo) { return std::string(testInfo.param); });
