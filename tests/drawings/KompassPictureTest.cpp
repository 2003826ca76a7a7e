// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/KompassPicture.h"
#include "../TestSupport.h"
#include "PaintedPixels.h"
#include "drawings/ImageBox.h"
#include "drawings/KompasDrawUnit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Runs a test from another working directory and comes back.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const QString &path) : previous_(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~WorkingDirectory() { QDir::setCurrent(previous_); }

private:
    QString previous_;
};

void writeJpeg(const QString &path, QSize size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QImageWriter writer(path, "jpeg");
    ASSERT_TRUE(writer.write(image)) << writer.errorString().toStdString();
}

} // namespace

TEST(KompassPicture, QtCanDecodeJpeg)
{
    EXPECT_TRUE(QImageReader::supportedImageFormats().contains("jpeg"));
}

TEST(KompassPicture, IsFoundBesideTheProgramFromAnyWorkingDirectory)
{
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    WorkingDirectory cd(elsewhere.path());
    ASSERT_FALSE(QFile::exists(KompassFileName));

    const QImage picture = loadKompassPicture();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(240, 190));

    TextGrid table(38, 8);
    DrawingsState state;
    TestServices services;
    TFormDrawings window(state, services, table, nullptr);
    EXPECT_TRUE(window.ImageKompas->hasPicture());
    window.show();
    // Shrunk to the thumbnail's 120 x 95, the picture covers the whole box.
    const QImage shown = window.ImageKompas->grab().toImage();
    const QColor background = window.ImageKompas->palette().color(QPalette::Window);
    EXPECT_LT(countColour(shown, shown.rect(), background), shown.width() * shown.height() / 4);
}

TEST(KompassPicture, TheWorkingDirectoryComesFirst)
{
    QTemporaryDir here;
    ASSERT_TRUE(here.isValid());
    writeJpeg(QDir(here.path()).filePath(KompassFileName), QSize(10, 8), Qt::red);
    WorkingDirectory cd(here.path());
    EXPECT_EQ(loadKompassPicture().size(), QSize(10, 8));
}

TEST(KompassPicture, AnUnreadableCopyIsPassedOver)
{
    QTemporaryDir broken, good;
    ASSERT_TRUE(broken.isValid() && good.isValid());
    QFile garbage(QDir(broken.path()).filePath(KompassFileName));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a picture");
    garbage.close();
    writeJpeg(QDir(good.path()).filePath(KompassFileName), QSize(12, 6), Qt::blue);

    EXPECT_TRUE(loadKompassPicture({broken.path()}).isNull());
    EXPECT_EQ(loadKompassPicture({broken.path(), good.path()}).size(), QSize(12, 6));
}

TEST(KompassPicture, WithNoCopyAnywhereTheThumbnailStaysEmpty)
{
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    const QImage none = loadKompassPicture({empty.path()});
    EXPECT_TRUE(none.isNull());

    ImageBox thumbnail;
    thumbnail.resize(120, 95);
    thumbnail.setProportional(true);
    thumbnail.setPicture(none);
    EXPECT_FALSE(thumbnail.hasPicture());
    const QImage shown = thumbnail.grab().toImage();
    EXPECT_EQ(countColour(shown, shown.rect(), pixelAt(shown, 0, 0)), 120 * 95);
}

namespace {

// An install tree as `cmake --install --prefix` lays it out: the program in
// <prefix>/bin, its data in <prefix>/share/tlcalc. Each copy of the picture has a
// size of its own, so the size tells which copy was read.
struct PictureCopies
{
    const char *behaviour;
    bool inWorkingDirectory;
    bool besideProgram;
    bool inInstalledData;
    QSize expected; // empty: no picture
};

const QSize WorkingCopy(10, 8), ProgramCopy(14, 9), InstalledCopy(16, 12);

class InstalledKompassPicture : public ::testing::TestWithParam<PictureCopies>
{
};

} // namespace

TEST_P(InstalledKompassPicture, IsLookedForInTheWorkingDirectoryThenBesideTheInstall)
{
    const PictureCopies &copies = GetParam();
    QTemporaryDir prefix, working;
    ASSERT_TRUE(prefix.isValid() && working.isValid());
    const QDir root(prefix.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("bin")) && root.mkpath(QStringLiteral("share/tlcalc")));
    const QString program = root.filePath(QStringLiteral("bin"));
    if (copies.inWorkingDirectory)
        writeJpeg(QDir(working.path()).filePath(KompassFileName), WorkingCopy, Qt::red);
    if (copies.besideProgram)
        writeJpeg(QDir(program).filePath(KompassFileName), ProgramCopy, Qt::green);
    if (copies.inInstalledData)
        writeJpeg(root.filePath(QStringLiteral("share/tlcalc/") + KompassFileName), InstalledCopy,
                  Qt::blue);

    const QImage picture = loadKompassPicture(kompassFolders(working.path(), program));
    EXPECT_EQ(picture.isNull() ? QSize() : picture.size(), copies.expected) << copies.behaviour;
}

INSTANTIATE_TEST_SUITE_P(
    Copies, InstalledKompassPicture,
    ::testing::Values(PictureCopies{"an installed program started elsewhere finds its data copy",
                                    false, false, true, InstalledCopy},
                      PictureCopies{"the working directory's copy wins over the installed one",
                                    true, false, true, WorkingCopy},
                      PictureCopies{"the working directory's copy wins over the program's", true,
                                    true, false, WorkingCopy},
                      PictureCopies{"in the build tree the copy beside the program is read", false,
                                    true, true, ProgramCopy},
                      PictureCopies{"with no copy anywhere there is no picture", false, false,
                                    false, QSize()}));
