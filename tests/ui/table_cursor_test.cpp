// The mouse on the table: the hand over the human's cards in its row, the
// arrow over anything else, without a repaint for a mouse that only moves.
#include <gtest/gtest.h>

#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QTest>
#include <memory>
#include <optional>
#include <string>

#include "model/catalogue.h"
#include "tests/ui/window_support.h"
#include "ui/main_window.h"
#include "ui/units.h"

namespace tav::ui {
namespace {

using game::Card;
using game::Seat;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

struct TableCursor : ::testing::Test {
    Settings settings = quick_settings();
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        window = std::make_unique<MainWindow>(settings, 1);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QTest::mouseClick(window->button("cb_send"), Qt::LeftButton);
        ASSERT_EQ(m().state().hands[Seat::A].size(), 36);
    }

    Session& m() { return window->session(); }
    TableWidget* table() { return window->table(); }
    // The object the table finds under a pixel, as the widget reads the mouse.
    const SurfaceObject* under(QPoint px) { return m().surface().object_at(units_x(px.x()), units_y(px.y())); }
    // A pixel where the picture of a card lies on top: the first one, left to
    // right and top to bottom, that no other card covers; none for a card
    // that lies wholly under others.
    std::optional<QPoint> spot_of(Card c) {
        const SurfaceObject* o = m().surface().find(card_id(c));
        EXPECT_NE(o, nullptr);
        if (!o) return {};
        const QRect r = px_rect(o->x, o->y, o->width, o->height);
        for (int y = r.top() + 2; y < r.bottom() - 1; y += 3)
            for (int x = r.left() + 2; x < r.right() - 1; x += 3)
                if (const SurfaceObject* top = under(QPoint(x, y)); top && top->name == o->name) return QPoint(x, y);
        return {};
    }
    QPoint on_card(Card c) {
        const std::optional<QPoint> spot = spot_of(c);
        EXPECT_TRUE(spot) << card_id(c) << " lies covered";
        return spot.value_or(QPoint());
    }
    Qt::CursorShape move_to(QPoint px) {
        QTest::mouseMove(table(), px);
        return table()->cursor().shape();
    }
};

TEST_F(TableCursor, HandOverTheHumansCardsArrowElsewhere) {
    const Card mine = m().state().hands[Seat::A][0];
    const QPoint on_mine = on_card(mine);
    ASSERT_NE(under(on_mine), nullptr);
    ASSERT_EQ(under(on_mine)->name, card_id(mine));
    ASSERT_EQ(under(on_mine)->pointer, "HyperLink!");
    EXPECT_EQ(move_to(on_mine), Qt::PointingHandCursor);

    // The empty table top left of the hand.
    const QPoint empty(px_x(1000), px_y(1400));
    const SurfaceObject* bare = under(empty);
    ASSERT_TRUE(!bare || bare->pointer.empty());
    EXPECT_EQ(move_to(empty), Qt::ArrowCursor);

    // Every card of the human's row is a hand, every computer's card an arrow.
    for (Card c : m().state().hands[Seat::A]) EXPECT_EQ(move_to(on_card(c)), Qt::PointingHandCursor) << card_id(c);
    for (Seat seat : {Seat::B, Seat::C, Seat::D, Seat::E, Seat::F}) {
        int seen = 0;
        for (Card theirs : m().state().hands[seat])
            if (const std::optional<QPoint> spot = spot_of(theirs)) {
                ++seen;
                EXPECT_EQ(move_to(*spot), Qt::ArrowCursor) << card_id(theirs);
            }
        EXPECT_GT(seen, 0) << "no card of seat " << game::index_of(seat) << " shows";
    }
}

TEST_F(TableCursor, MovingTheMouseRepaintsNothing) {
    PaintCounter counter;
    table()->installEventFilter(&counter);
    const std::uint64_t changes = m().surface().notifications();
    for (Card c : m().state().hands[Seat::A]) move_to(on_card(c));
    move_to(QPoint(px_x(1000), px_y(1400)));
    QTest::qWait(20);
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(m().surface().notifications(), changes);
    table()->removeEventFilter(&counter);
}

TEST_F(TableCursor, ACardLeavingFromUnderAStillMouseTakesTheHandWithIt) {
    const Card mine = m().state().hands[Seat::A][0];
    ASSERT_EQ(move_to(on_card(mine)), Qt::PointingHandCursor);
    // A new game takes every card off the table; the mouse has not moved.
    window->new_game();
    EXPECT_EQ(table()->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace tav::ui
