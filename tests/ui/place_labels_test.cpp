// The place labels beside the seats at the sides are narrow boxes: their two
// characters read top to bottom inside the box, at the table's own size and
// scaled up, never spilling out sideways. The names beside them, in English,
// stay on the table top.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "tests/ui/window_support.h"
#include "ui/language.h"
#include "ui/main_window.h"

namespace tav::ui {
namespace {

// Dark (text) pixels in a rectangle of the picture.
int dark_pixels(const QImage& img, QRect r) {
    int n = 0;
    r = r.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += qGray(img.pixel(x, y)) < 60 ? 1 : 0;
    return n;
}

TEST(PlaceLabels, SideLabelsReadTopToBottomInsideTheirBoxes) {
    Settings settings;
    settings.play_pause = 0;
    MainWindow window(settings, 2024);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Session& s = window.session();
    for (const QSize size : {QSize(787, 568), QSize(1574, 1136)}) {
        SCOPED_TRACE(size.width());
        window.resize(size + (window.size() - window.table()->size()));
        QTest::qWait(5);
        QImage shot;
        s.callbacks.before_event = [&](const game::Event& event) {
            for (const test::Row& e : test::rows(event)) {
                if (e.kind != test::Kind::deal_over) return;
                shot = QImage(window.table()->size(), QImage::Format_RGB32);
                window.table()->render(&shot);
            }
        };
        s.shuffle();
        for (int turns = 0; s.state().deal_running(); ++turns) {
            ASSERT_LT(turns, 2000);
            ASSERT_TRUE(s.autoplay_human());
        }
        s.callbacks.before_event = nullptr;
        ASSERT_FALSE(shot.isNull());
        for (const char* name : {"t_ob", "t_oc", "t_oe", "t_of"}) {
            SCOPED_TRACE(name);
            const SurfaceObject* label = s.surface().find(name);
            ASSERT_NE(label, nullptr);
            const QRect box = window.table()
                                  ->table_to_widget()
                                  .mapRect(QRectF(px_rect(label->x, label->y, label->width, label->height)))
                                  .toRect()
                                  .adjusted(2, 2, -2, -2);
            // Top to bottom: characters in the top and the bottom third; a
            // line across the middle would leave both all but empty.
            const int third = box.height() / 3;
            const QRect upper(box.left(), box.top(), box.width(), third);
            const QRect lower(box.left(), box.bottom() - third + 1, box.width(), third);
            EXPECT_GT(dark_pixels(shot, upper), 8) << "no character in the top third";
            EXPECT_GT(dark_pixels(shot, lower), 8) << "no character in the bottom third";
            // Nothing of the text beside the box.
            const int w = box.width();
            EXPECT_EQ(dark_pixels(shot, QRect(box.left() - w, box.top() + 4, w - 4, box.height() - 8)), 0);
            EXPECT_EQ(dark_pixels(shot, QRect(box.right() + 5, box.top() + 4, w - 4, box.height() - 8)), 0);
        }
    }
}

// The English names of the side seats read along their tall labels; the
// labels of the lower seats reach past the table top's edge, the names may not.
TEST(PlaceLabels, EnglishSideNamesStayOnTheTableTop) {
    ASSERT_TRUE(use_english(true));
    SeededWindow w;
    Surface& surface = w.session().surface();
    const SurfaceObject* top = surface.find("r_1");
    ASSERT_NE(top, nullptr);
    const QRect table_top = px_rect(top->x, top->y, top->width, top->height);
    const QImage named = w.shot();
    for (const char* name : {"t_b", "t_c", "t_e", "t_f"}) {
        SCOPED_TRACE(name);
        SurfaceObject* label = surface.object(name);
        ASSERT_NE(label, nullptr);
        label->visible = false;
        surface.touched();
        const QImage bare = w.shot();
        label->visible = true;
        surface.touched();
        // Where the name is drawn: the pixels it changes.
        int on = 0, off = 0;
        for (int y = 0; y < named.height(); ++y)
            for (int x = 0; x < named.width(); ++x)
                if (named.pixel(x, y) != bare.pixel(x, y)) ++(table_top.contains(x, y) ? on : off);
        EXPECT_GT(on, 50) << "the name is drawn";
        EXPECT_EQ(off, 0) << "the name runs past the table top's edge";
    }
    use_english(false);
}

}  // namespace
}  // namespace tav::ui
