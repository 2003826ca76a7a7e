// SPDX-License-Identifier: GPL-3.0-or-later
#include "auxwindows/UnitAbout.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class AboutWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    TFormAbout form;
};

TEST(AboutWindowBeforeShowing, HasItsCaptionSizeAndFonts)
{
    TFormAbout form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("FormAbout"));
    EXPECT_EQ(form.size(), QSize(432, 542));
    EXPECT_EQ(form.font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(form.font().pointSize(), 8);
    const QFont label = form.Label1->font();
    EXPECT_EQ(label.family(), QStringLiteral("Calibri"));
    EXPECT_EQ(label.pixelSize(), 19);
    EXPECT_TRUE(label.italic());
    EXPECT_EQ(form.findChild<QLabel *>(QStringLiteral("Label1")), form.Label1);
    EXPECT_EQ(form.findChild<QLabel *>(QStringLiteral("Image1")), form.Image1);
    EXPECT_EQ(form.findChild<QPushButton *>(QStringLiteral("Button1")), form.Button1);
}

TEST_F(AboutWindow, CentresTheTitleOnTheClientWidth)
{
    EXPECT_EQ(form.Label1->text(), QStringLiteral("Калькулятор ТЛ, версия для тестирования v.022"));
    EXPECT_EQ(form.Label1->height(), 25);
    // The label is as wide as its caption.
    EXPECT_EQ(form.Label1->width(), form.Label1->sizeHint().width());
    EXPECT_GT(form.Label1->width(), 200);
    EXPECT_EQ(form.Label1->x(), (432 - form.Label1->width()) / 2);
}

TEST_F(AboutWindow, PlacesThePictureUnderTheTitleCentredOnTheOuterWidth)
{
    EXPECT_EQ(form.Image1->size(), QSize(241, 321));
    EXPECT_EQ(form.Image1->x(), (form.frameGeometry().width() - 241) / 2);
    EXPECT_EQ(form.Image1->y(), form.Label1->y() + 25 + 20);
}

TEST_F(AboutWindow, PlacesTheButtonUnderThePictureAsWideAsIt)
{
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Продолжить"));
    EXPECT_EQ(form.Button1->geometry(),
              QRect(form.Image1->x(), form.Image1->y() + 321 + 20, 241, 50));
    EXPECT_LE(form.Button1->geometry().bottom(), form.height());
}

TEST_F(AboutWindow, ShowsThePictureStoredWithTheWindow)
{
    const QImage stored(QStringLiteral(":/auxwindows/about.jpg"));
    ASSERT_FALSE(stored.isNull());
    ASSERT_EQ(stored.size(), QSize(241, 321));

    const QImage shown = form.grab().toImage();
    const QPoint origin = form.Image1->pos();
    for (const QPoint &p : {QPoint(5, 5), QPoint(120, 160), QPoint(60, 250), QPoint(235, 315)}) {
        EXPECT_EQ(QColor(shown.pixel(origin + p)), QColor(stored.pixel(p)))
            << "at " << p.x() << "," << p.y();
    }
    // Just outside the picture lies the window's background again.
    const QColor background = form.palette().color(QPalette::Window);
    EXPECT_EQ(QColor(shown.pixel(origin + QPoint(-3, 160))), background);
}

TEST_F(AboutWindow, LaysItselfOutAgainOnEachActivation)
{
    form.Label1->move(0, form.Label1->y());
    form.Image1->move(0, 0);
    form.resize(500, 542);
    form.FormActivate();
    EXPECT_EQ(form.Label1->x(), (500 - form.Label1->width()) / 2);
    EXPECT_EQ(form.Image1->x(), (form.frameGeometry().width() - 241) / 2);
    EXPECT_EQ(form.Button1->x(), form.Image1->x());
}

TEST_F(AboutWindow, ContinueClosesTheWindow)
{
    QSignalSpy finished(&form, &QDialog::finished);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(finished.count(), 1);
}

} // namespace
