// The icon at every size a desktop asks for: the small ones are drawn, not
// shrunk, so their card and heart still read at 16 pixels.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "tools/cardart/art.h"

namespace {

int count_pixels(const QImage& img, bool (*wanted)(QColor)) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (wanted(img.pixelColor(x, y))) ++n;
    return n;
}

bool pure_white(QColor c) { return c.alpha() == 255 && c.red() == 255 && c.green() == 255 && c.blue() == 255; }
bool card_red(QColor c) { return c.alpha() == 255 && c.red() >= 180 && c.green() <= 40 && c.blue() <= 40; }

TEST(Icon, EverySizeIsARoundTableOnATransparentSquare) {
    for (int size : cardart::kIconSizes) {
        SCOPED_TRACE(size);
        const QImage img = cardart::renderIcon(size);
        ASSERT_EQ(img.size(), QSize(size, size));
        for (QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
            EXPECT_EQ(img.pixelColor(corner).alpha(), 0);
        EXPECT_EQ(img.pixelColor(size / 2, size / 2).alpha(), 255);
        EXPECT_GT(img.pixelColor(size / 2, size / 10).alpha(), 0);  // the felt reaches out to the edge
    }
}

TEST(Icon, SmallSizesKeepACleanCardAndAFullRedHeart) {
    // The full picture shrunk to 16 pixels keeps almost no clean white and a
    // few reddish specks; the drawn one a whole card face and heart.
    const QImage shrunk = cardart::renderIcon(256).scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(count_pixels(shrunk, pure_white), 16 * 16 / 16);
    EXPECT_LT(count_pixels(shrunk, card_red), 4);
    for (int size : {16, 24, 32}) {
        SCOPED_TRACE(size);
        const QImage img = cardart::renderIcon(size);
        const int area = size * size;
        EXPECT_GE(count_pixels(img, pure_white), area / 10);
        EXPECT_GE(count_pixels(img, card_red), area / 40);
    }
}

TEST(Icon, TheTinyCardHasSharpStraightEdges) {
    // Its sides lie on whole pixels: both show as pixels of the exact edge
    // colour, row after row, where a blurred edge would only be greyish.
    const QImage img = cardart::renderIcon(16);
    int edge_rows = 0;
    for (int y = 0; y < 16; ++y) {
        int edge = 0;
        for (int x = 0; x < 16; ++x) edge += img.pixelColor(x, y) == cardart::kEdge ? 1 : 0;
        if (edge >= 2) ++edge_rows;
    }
    EXPECT_GE(edge_rows, 8);
}

}  // namespace
