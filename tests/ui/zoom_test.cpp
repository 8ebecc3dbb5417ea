// The table fits the window: it scales uniformly and centred, the background
// fills the whole window, clicks map back through the same transform, the
// game buttons move and grow with the table, and at the table's own size
// nothing changes.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>

#include "model/catalogue.h"
#include "ui/cool_button.h"
#include "ui/main_window.h"

namespace tav::ui {
namespace {

using game::Card;
using game::Seat;

struct Zoom : ::testing::Test {
    Settings settings;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        settings.play_pause = 0;
        window = std::make_unique<MainWindow>(settings, 2024);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QTest::mouseClick(window->button("cb_send"), Qt::LeftButton);
    }
    Session& s() { return window->session(); }
    // Resizes the table widget itself to `size` (the window around it follows).
    void table_size(QSize size) {
        const QSize frame = window->size() - window->table()->size();
        window->resize(size + frame);
        QTest::qWait(5);
        ASSERT_EQ(window->table()->size(), size);
    }
    // The widget point at the middle of a card's picture, as it is drawn now.
    QPoint middle_of(Card c) {
        const SurfaceObject* o = s().surface().find(card_id(c));
        const QRect r = px_rect(o->x, o->y, 40, 200);  // the card's visible left part
        return window->table()->table_to_widget().map(QPointF(r.center())).toPoint();
    }
};

TEST_F(Zoom, AClickOnTheSameCardPicksItAtEverySize) {
    const Card card = s().state().hands[Seat::A][5];
    for (const QSize size : {QSize(787, 568), QSize(1574, 1136), QSize(1200, 500), QSize(400, 800)}) {
        SCOPED_TRACE(size.width());
        table_size(size);
        const double sx = size.width() / 787.0, sy = size.height() / 568.0;
        EXPECT_DOUBLE_EQ(window->table()->scale(), std::min(sx, sy));
        // Centred: the unused room is shared equally on both sides.
        const QRectF drawn = window->table()->table_to_widget().mapRect(QRectF(0, 0, 787, 568));
        EXPECT_NEAR(drawn.left(), size.width() - drawn.right(), 1.0);
        EXPECT_NEAR(drawn.top(), size.height() - drawn.bottom(), 1.0);

        ASSERT_TRUE(s().picking().picks().empty());
        QTest::mouseClick(window->table(), Qt::LeftButton, {}, middle_of(card));
        ASSERT_FALSE(s().picking().picks().empty()) << "the click missed the card";
        EXPECT_NE(std::find(s().picking().picks().begin(), s().picking().picks().end(), card),
                  s().picking().picks().end());
        s().picking().drop();
    }
}

TEST_F(Zoom, TheBackgroundFillsTheWindowAndTheButtonsScale) {
    table_size(QSize(1400, 568));  // wider than the table's proportions
    QImage img(window->table()->size(), QImage::Format_RGB32);
    window->table()->render(&img);
    // No bare margin: the left and right edges show the background's green
    // like the middle of the top does.
    const QColor top_middle = img.pixelColor(700, 2), left = img.pixelColor(2, 2), right = img.pixelColor(1397, 2);
    EXPECT_EQ(left, top_middle);
    EXPECT_EQ(right, top_middle);

    QPushButton* quit = window->button("cb_quit");
    auto* cool = qobject_cast<CoolButton*>(quit);
    ASSERT_NE(cool, nullptr);
    table_size(QSize(787, 568));
    const QRect small = quit->geometry();
    const int small_font = QFontInfo(quit->font()).pixelSize();
    const int small_picture = cool->picture_extent();
    EXPECT_GT(small_picture, 0);
    table_size(QSize(1574, 1136));
    const QRect big = quit->geometry();
    // The button's picture grows with it, as its text does.
    EXPECT_GE(cool->picture_extent(), 2 * small_picture - 1);
    EXPECT_NEAR(big.width(), 2 * small.width(), 2);
    EXPECT_NEAR(big.height(), 2 * small.height(), 2);
    EXPECT_NEAR(big.left(), 2 * small.left(), 2);
    EXPECT_GT(QFontInfo(quit->font()).pixelSize(), small_font);
    table_size(QSize(787, 568));
    EXPECT_EQ(quit->geometry(), small);
}

TEST_F(Zoom, ATinyWindowDrawsATinyTable) {
    for (const QSize size : {QSize(200, 150), QSize(1, 1)}) {
        table_size(size);
        QImage img(size, QImage::Format_RGB32);
        window->table()->render(&img);  // no division by zero, nothing thrown
        EXPECT_GT(window->table()->scale(), 0.0);
    }
}

TEST(WindowSize, OpensAtMostOfTheScreenAndRemembersItsSize) {
    QStandardPaths::setTestModeEnabled(true);  // the user's own settings stay untouched
    QSettings().remove("window/size");
    Settings settings;
    QSize closed_at;
    {
        MainWindow w(settings, 1, nullptr, MainWindow::Sizing::screen);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
        const QSize table = w.table()->size();
        // The table's proportions, and about 85 % of the screen in one direction.
        EXPECT_NEAR(table.width() / double(table.height()), 787.0 / 568.0, 0.01);
        EXPECT_LE(w.width(), room.width() * 0.86);
        EXPECT_LE(w.height(), room.height() * 0.86);
        EXPECT_TRUE(w.width() >= room.width() * 0.83 || w.height() >= room.height() * 0.83);
        w.resize(640, 500);
        closed_at = w.size();
        w.close();
    }
    MainWindow again(settings, 1, nullptr, MainWindow::Sizing::screen);
    EXPECT_EQ(again.size(), closed_at);
    // Never so small that the table cannot be read: at least three quarters
    // of its own size (400 x 300 asked for).
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    again.resize(400, 300);
    QTest::qWait(5);
    EXPECT_GE(again.table()->width(), TableWidget::base_size().width() * 3 / 4);
    EXPECT_GE(again.table()->height(), TableWidget::base_size().height() * 3 / 4);
    // A size remembered from a larger screen (or written into the file)
    // opens within this screen's room.
    const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
    for (const QSize remembered : {QSize(20000, 15000), QSize(300, 40000), QSize(600, 450)}) {
        QSettings().setValue("window/size", remembered);
        MainWindow w(settings, 1, nullptr, MainWindow::Sizing::screen);
        EXPECT_LE(w.width(), room.width()) << remembered.width();
        EXPECT_LE(w.height(), room.height()) << remembered.width();
        EXPECT_GE(w.width(), TableWidget::base_size().width() * 3 / 4) << remembered.width();
    }
    // Windows that open at the table's own size neither read nor write it.
    MainWindow plain(settings, 1);
    plain.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plain));
    EXPECT_EQ(plain.table()->size(), TableWidget::base_size());
    QSettings().remove("window/size");
    QStandardPaths::setTestModeEnabled(false);
}

}  // namespace
}  // namespace tav::ui
