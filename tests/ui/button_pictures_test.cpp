// The game buttons' pictures are drawn at the size asked for: they fill the
// same share of a large square as of a small one (a fixed small bitmap would
// leave a large square nearly empty), and disabled they are grey.
#include <gtest/gtest.h>

#include <QImage>

#include "ui/button_pictures.h"

namespace tav::ui {
namespace {

double inked_share(const QIcon& icon, int side, QIcon::Mode mode) {
    const QImage img = icon.pixmap(QSize(side, side), mode).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(img.size(), QSize(side, side));
    int inked = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) inked += qAlpha(img.pixel(x, y)) > 128 ? 1 : 0;
    return double(inked) / (side * side);
}

TEST(ButtonPictures, DrawnAtEverySizeAndGreyWhenDisabled) {
    for (const char* name : {"Continue!", "count!", "RetrieveCancel!", "MoveMode!", "Exit!"}) {
        SCOPED_TRACE(name);
        const QIcon icon = button_picture(name);
        ASSERT_FALSE(icon.isNull());
        const double small = inked_share(icon, 16, QIcon::Normal), large = inked_share(icon, 96, QIcon::Normal);
        EXPECT_GT(small, 0.05);
        EXPECT_NEAR(large, small, 0.08);
        // Disabled: every inked pixel grey (no colour, not black).
        const QImage off = icon.pixmap(QSize(48, 48), QIcon::Disabled).toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < off.height(); ++y)
            for (int x = 0; x < off.width(); ++x) {
                const QRgb px = off.pixel(x, y);
                if (qAlpha(px) < 250) continue;
                EXPECT_EQ(qRed(px), qGreen(px));
                EXPECT_EQ(qGreen(px), qBlue(px));
                EXPECT_GT(qGray(px), 100);
            }
    }
    EXPECT_TRUE(button_picture("NoSuchPicture!").isNull());
    EXPECT_TRUE(button_picture("").isNull());
}

}  // namespace
}  // namespace tav::ui
