// Every card picture is boxed: a thin black frame just outside the picture,
// one pixel at the table's own size and growing with the table.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "tests/ui/window_support.h"

namespace tav::ui {
namespace {

bool black(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 20; }

TEST(CardBorder, EachCardHasABlackBoxOutsideItsPicture) {
    SeededWindow w;
    MainWindow& window = w.window;
    Session& s = w.session();
    s.shuffle();
    // The human's rightmost card: nothing covers its frame.
    const game::Hand& hand = s.state().hands[game::Seat::A];
    ASSERT_FALSE(hand.empty());
    const SurfaceObject* card = nullptr;
    for (game::Card c : hand) {
        const SurfaceObject* o = s.surface().find("p_" + std::to_string(c));
        ASSERT_NE(o, nullptr);
        if (!card || o->x > card->x) card = o;
    }
    for (const int factor : {1, 2}) {
        SCOPED_TRACE(factor);
        window.resize(QSize(787, 568) * factor + (window.size() - window.table()->size()));
        QTest::qWait(5);
        const QImage shot = w.shot();
        const QRect r = window.table()
                            ->table_to_widget()
                            .mapRect(QRectF(px_rect(card->x, card->y, card->width, card->height)))
                            .toRect();
        const int mid_y = r.center().y(), mid_x = r.center().x();
        // The frame's lines, as wide as the scale, just outside each edge.
        for (int i = 1; i <= factor; ++i) {
            EXPECT_TRUE(black(shot, r.left() - i, mid_y)) << "left edge";
            EXPECT_TRUE(black(shot, r.right() + i, mid_y)) << "right edge";
            EXPECT_TRUE(black(shot, mid_x, r.top() - i)) << "top edge";
            EXPECT_TRUE(black(shot, mid_x, r.bottom() + i)) << "bottom edge";
        }
        // Beyond the frame, the cloth again.
        EXPECT_FALSE(black(shot, r.right() + factor + 2, mid_y));
        EXPECT_FALSE(black(shot, mid_x, r.bottom() + factor + 2));
    }
}

}  // namespace
}  // namespace tav::ui
