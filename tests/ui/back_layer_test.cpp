// What lies behind the cards is drawn once and kept: a card moving does not
// draw it again, while any change to it (a seat's name, the cloth's colours,
// the window's size) shows at once.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "ui/main_window.h"

namespace tav::ui {
namespace {

QImage shot(MainWindow& w) {
    QImage img(w.table()->size(), QImage::Format_RGB32);
    w.table()->render(&img);
    return img;
}

TEST(BackLayer, KeptWhileCardsMoveAndRedrawnWhenItChanges) {
    Settings settings;
    settings.play_pause = 0;
    MainWindow window(settings, 2024);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Session& s = window.session();
    s.shuffle();
    TableWidget* table = window.table();
    (void)shot(window);
    const int draws = table->back_draws();

    // A card raised and dropped: the cards move, the cloth is not redrawn.
    const game::Card card = s.human_row().at(2);
    s.click(card);
    const QImage raised = shot(window);
    s.click(card);
    const QImage dropped = shot(window);
    EXPECT_NE(raised, dropped);
    EXPECT_EQ(table->back_draws(), draws);

    // A seat's name changes: drawn again, and the new text shows.
    SurfaceObject* name = s.surface().object("t_d");
    ASSERT_NE(name, nullptr);
    const QRect box =
        table->table_to_widget().mapRect(QRectF(px_rect(name->x, name->y, name->width, name->height))).toRect();
    const QImage before = shot(window).copy(box);
    name->text = "另一个名字很长";
    s.surface().touched();
    const QImage after = shot(window).copy(box);
    EXPECT_NE(before, after);
    EXPECT_GT(table->back_draws(), draws);

    // The cloth's colours change: the corner of the window shows the new one.
    const QColor corner = shot(window).pixelColor(2, 2);
    s.background_changed(settings.background_style == 1 ? 2 : 1);
    EXPECT_NE(shot(window).pixelColor(2, 2), corner);

    // A new size: drawn for it, and the cloth reaches the new edges.
    const int before_resize = table->back_draws();
    window.resize(window.size() + QSize(200, 100));
    QTest::qWait(5);
    const QImage big = shot(window);
    EXPECT_GT(table->back_draws(), before_resize);
    EXPECT_EQ(big.pixelColor(big.width() - 2, 2), big.pixelColor(big.width() / 2, 2));
}

}  // namespace
}  // namespace tav::ui
