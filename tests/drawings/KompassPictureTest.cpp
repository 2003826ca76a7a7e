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
