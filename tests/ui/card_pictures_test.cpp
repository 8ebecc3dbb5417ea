// The table's card pictures: the resource bitmaps at the game's own size, the
// card art drawn afresh (never a scaled-up bitmap) at any other size or pixel
// ratio, and the cache behind them.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <string>

#include "model/catalogue.h"
#include "ui/card_pictures.h"

namespace tav::ui {
namespace {

// The 60 picture names the table uses: 54 faces, then the six backs.
QStringList all_names() {
    QStringList names;
    for (int row = 1; row <= kCatalogueRows; ++row) names << QString::fromUtf8(catalogue_row(row).bmp);
    for (int n = 1; n <= 6; ++n) names << QString("cards\\bgcard%1.bmp").arg(n);
    return names;
}

// The bitmap straight from the resources, its grey corners see-through.
QImage resource_bitmap(const QString& name) {
    QImage img(":/" + name.toLower().replace('\\', '/'));
    EXPECT_EQ(img.format(), QImage::Format_Indexed8) << name.toStdString();
    EXPECT_EQ(img.color(0), qRgb(128, 128, 128)) << name.toStdString();
    img.setColor(0, qRgba(0, 0, 0, 0));
    return img.convertToFormat(QImage::Format_ARGB32);
}

// The picture as it looks laid on white.
QImage on_white(const QImage& picture) {
    QImage out(picture.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, picture);
    return out;
}

int luma(QRgb c) { return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000; }

bool near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Neighbours side by side whose brightness jumps by more than half the range:
// the crisp edges of a drawing. A smoothly scaled-up bitmap spreads every edge
// over several pixels and has next to none.
int sharp_steps(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 1; x < img.width(); ++x)
            if (std::abs(luma(img.pixel(x, y)) - luma(img.pixel(x - 1, y))) > 128) ++n;
    return n;
}

// Aligned 2 x 2 blocks whose pixels are not all alike. A bitmap doubled pixel
// by pixel has none.
int mixed_blocks(const QImage& img) {
    int n = 0;
    for (int y = 0; y + 1 < img.height(); y += 2)
        for (int x = 0; x + 1 < img.width(); x += 2) {
            const QRgb a = img.pixel(x, y);
            if (!near(a, img.pixel(x + 1, y), 16) || !near(a, img.pixel(x, y + 1), 16) ||
                !near(a, img.pixel(x + 1, y + 1), 16))
                ++n;
        }
    return n;
}

int differing_pixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!near(a.pixel(x, y), b.pixel(x, y), 32)) ++n;
    return n;
}

TEST(CardPictures, AtTheGamesOwnSizeEveryPictureIsTheBitmapPixelForPixel) {
    CardPictures pictures;
    for (const QString& name : all_names()) {
        const QPixmap pm = pictures.picture(name, QSize(71, 96), 1.0);
        ASSERT_FALSE(pm.isNull()) << name.toStdString();
        EXPECT_EQ(pm.size(), QSize(71, 96)) << name.toStdString();
        EXPECT_EQ(pm.devicePixelRatio(), 1.0) << name.toStdString();
        EXPECT_EQ(pm.toImage().convertToFormat(QImage::Format_ARGB32), resource_bitmap(name)) << name.toStdString();
    }
}

TEST(CardPictures, DoubleSizeAndDoubleRatioAreDrawnAfreshNotScaledUp) {
    CardPictures pictures;
    for (const QString name : {"cards\\hK.bmp", "cards\\sA.bmp", "cards\\h2.bmp", "cards\\c10.bmp", "cards\\Joker1.bmp",
                               "cards\\bgcard4.bmp", "cards\\bgcard5.bmp"}) {
        SCOPED_TRACE(name.toStdString());
        const QPixmap big = pictures.picture(name, QSize(142, 192), 1.0);
        const QPixmap sharp = pictures.picture(name, QSize(71, 96), 2.0);
        ASSERT_FALSE(big.isNull());
        ASSERT_FALSE(sharp.isNull());
        EXPECT_EQ(big.size(), QSize(142, 192));
        EXPECT_EQ(big.devicePixelRatio(), 1.0);
        EXPECT_EQ(sharp.size(), QSize(142, 192));  // device pixels
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
        EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(71, 96));
        // The same pixels either way: both are the card drawn at 142 x 192.
        EXPECT_EQ(big.toImage().convertToFormat(QImage::Format_ARGB32),
                  sharp.toImage().convertToFormat(QImage::Format_ARGB32));

        const QImage drawn = on_white(big.toImage());
        const QImage small = on_white(resource_bitmap(name));
        const QImage smooth = small.scaled(142, 192, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage doubled = small.scaled(142, 192, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        EXPECT_GT(differing_pixels(drawn, smooth), 142 * 192 / 20);
        EXPECT_EQ(sharp_steps(smooth), 0);  // the measure itself tells them apart
        EXPECT_GT(sharp_steps(drawn), sharp_steps(small));
        EXPECT_EQ(mixed_blocks(doubled), 0);
        EXPECT_GT(mixed_blocks(drawn), 200);
    }
}

TEST(CardPictures, EveryPictureDrawsAtOtherSizesAndRatios) {
    struct Want {
        QSize logical;
        qreal ratio;
        QSize pixels;
    };
    const Want wants[] = {{QSize(71, 96), 1.5, QSize(107, 144)},
                          {QSize(107, 145), 1.0, QSize(107, 145)},
                          {QSize(142, 192), 2.0, QSize(284, 384)},
                          {QSize(36, 48), 1.0, QSize(36, 48)},
                          {QSize(325, 440), 1.0, QSize(325, 440)}};
    CardPictures pictures;
    for (const Want& want : wants)
        for (const QString& name : all_names()) {
            SCOPED_TRACE(name.toStdString() + " at " + std::to_string(want.pixels.width()));
            const QPixmap pm = pictures.picture(name, want.logical, want.ratio);
            ASSERT_FALSE(pm.isNull());
            EXPECT_EQ(pm.size(), want.pixels);
            EXPECT_EQ(pm.devicePixelRatio(), want.ratio);
            const QImage img = pm.toImage();
            // The card fills the picture: solid in the middle, see-through
            // outside its rounded corners.
            EXPECT_EQ(qAlpha(img.pixel(img.width() / 2, img.height() / 2)), 255);
            EXPECT_EQ(qAlpha(img.pixel(img.width() / 2, 1)), 255);
            EXPECT_LT(qAlpha(img.pixel(0, 0)), 128);
            EXPECT_LT(qAlpha(img.pixel(img.width() - 1, img.height() - 1)), 128);
        }
}

TEST(CardPictures, AnUnknownNameOrAnEmptySizeIsNull) {
    CardPictures pictures;
    for (const QString name :
         {"", "cards\\zz.bmp", "cards\\h1.bmp", "cards\\bgcard7.bmp", "cards\\bgcard01.bmp", "hK.bmp", "cards\\hK.png"})
        for (const qreal ratio : {1.0, 2.0}) {
            EXPECT_TRUE(pictures.picture(name, QSize(71, 96), ratio).isNull()) << name.toStdString();
            EXPECT_TRUE(pictures.picture(name, QSize(142, 192), ratio).isNull()) << name.toStdString();
        }
    EXPECT_TRUE(pictures.picture("cards\\hK.bmp", QSize(), 1.0).isNull());
    EXPECT_TRUE(pictures.picture("cards\\hK.bmp", QSize(0, 96), 2.0).isNull());
}

TEST(CardPictures, TheSameRequestGivesTheSamePixmapWhateverTheCaseOfTheName) {
    CardPictures pictures;
    for (const QSize size : {QSize(71, 96), QSize(142, 192)}) {
        const QPixmap first = pictures.picture("cards\\hK.bmp", size, 1.0);
        ASSERT_FALSE(first.isNull());
        EXPECT_EQ(pictures.picture("cards\\hK.bmp", size, 1.0).cacheKey(), first.cacheKey());
        EXPECT_EQ(pictures.picture("CARDS/HK.BMP", size, 1.0).cacheKey(), first.cacheKey());
        EXPECT_NE(pictures.picture("cards\\hQ.bmp", size, 1.0).cacheKey(), first.cacheKey());
    }
    // The same device pixels at another ratio are another picture.
    const QPixmap sharp = pictures.picture("cards\\hK.bmp", QSize(71, 96), 2.0);
    EXPECT_NE(sharp.cacheKey(), pictures.picture("cards\\hK.bmp", QSize(142, 192), 1.0).cacheKey());
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_EQ(pictures.picture("cards\\hK.bmp", QSize(71, 96), 2.0).cacheKey(), sharp.cacheKey());
}

TEST(CardPictures, OnlyTheLastFewSizesAreKept) {
    CardPictures pictures;
    const QStringList names = all_names();
    const qint64 first = pictures.picture(names[0], QSize(71, 96), 1.0).cacheKey();
    // A window dragged wider and wider: a new card size at every step.
    for (int width = 71; width < 171; width += 5)
        for (const QString& name : names) pictures.picture(name, QSize(width, width * 96 / 71), 1.0);
    EXPECT_EQ(pictures.count(), CardPictures::kSizesKept * names.size());
    // The last size is still there, the first is drawn again.
    const QPixmap last = pictures.picture(names[0], QSize(166, 166 * 96 / 71), 1.0);
    EXPECT_EQ(pictures.picture(names[0], QSize(166, 166 * 96 / 71), 1.0).cacheKey(), last.cacheKey());
    EXPECT_NE(pictures.picture(names[0], QSize(71, 96), 1.0).cacheKey(), first);
    pictures.clear();
    EXPECT_EQ(pictures.count(), 0);
    EXPECT_NE(pictures.picture(names[0], QSize(166, 166 * 96 / 71), 1.0).cacheKey(), last.cacheKey());
}

}  // namespace
}  // namespace tav::ui
