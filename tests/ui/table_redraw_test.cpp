// Every change to the table shows at once: a card raised and dropped, a
// seat's name, the cloth's colours, the window's size.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "tests/ui/window_support.h"

namespace tav::ui {
namespace {

TEST(TableRedraw, EveryChangeShowsAtOnce) {
    SeededWindow w;
    MainWindow& window = w.window;
    const Settings& settings = w.settings;
    Session& s = w.session();
    s.shuffle();
    TableWidget* table = window.table();
    const QImage dealt = w.shot();

    // A card raised and dropped: the table shows it, and then as before.
    const game::Card card = s.picking().human_row().at(2);
    s.picking().click(card);
    const QImage raised = w.shot();
    s.picking().click(card);
    const QImage dropped = w.shot();
    EXPECT_NE(raised, dropped);
    EXPECT_EQ(dropped, dealt);

    // A seat's name changes: the new text shows.
    SurfaceObject* name = s.surface().object("t_d");
    ASSERT_NE(name, nullptr);
    const QRect box =
        table->table_to_widget().mapRect(QRectF(px_rect(name->x, name->y, name->width, name->height))).toRect();
    const QImage before = w.shot().copy(box);
    name->text = "另一个名字很长";
    s.surface().touched();
    const QImage after = w.shot().copy(box);
    EXPECT_NE(before, after);

    // The cloth's colours change: the corner of the window shows the new one.
    const QColor corner = w.shot().pixelColor(2, 2);
    s.view().paint_background(settings.background_style == 1 ? 2 : 1);
    EXPECT_NE(w.shot().pixelColor(2, 2), corner);

    // A new size: the cloth reaches the new edges.
    window.resize(window.size() + QSize(200, 100));
    QTest::qWait(5);
    const QImage big = w.shot();
    EXPECT_EQ(big.pixelColor(big.width() - 2, 2), big.pixelColor(big.width() / 2, 2));
}

}  // namespace
}  // namespace tav::ui
