// The owner-drawn game button: presets, gradients, the pressed look, hover,
// tooltip, and exactly one `clicked` per activation.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "ui/coolbutton.h"
#include "ui/main_window.h"

namespace tav::ui {
namespace {

// Distance between two colours, summed over the components.
int distance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

struct Shown {
    QWidget host;
    uo_coolbutton* button;
    Shown() {
        host.resize(200, 80);
        button = new uo_coolbutton("洗牌(&S)", &host);
        button->setGeometry(10, 10, 90, 30);
        host.show();
        (void)QTest::qWaitForWindowExposed(&host);
    }
};

TEST(CoolButton, StyleNumbersOutsideTheTable) {
    uo_coolbutton b("x");
    b.of_init(1);
    EXPECT_EQ(b.gradienttype(), uo_coolbutton::style_vheadergradient);
    // A negative style is style 0; an unknown one takes the last preset.
    b.of_init(-3);
    EXPECT_EQ(b.preset_style(), 0);
    EXPECT_EQ(b.colorto(), QColor(179, 213, 243));
    EXPECT_EQ(b.gradienttype(), uo_coolbutton::style_vgradient);
    b.of_init(42);
    EXPECT_EQ(b.colorfrom(), QColor(255, 255, 255));
    EXPECT_EQ(b.colorto(), QColor(160, 190, 190));
    // Unknown gradient kinds change nothing.
    b.set_gradienttype(9);
    EXPECT_EQ(b.gradienttype(), uo_coolbutton::style_vgradient);
}

TEST(CoolButton, TheFourGradientKinds) {
    const QColor from(255, 255, 255), to(0, 0, 200);
    auto fill = [&](int kind) {
        QImage img(40, 40, QImage::Format_RGB32);
        img.fill(Qt::black);
        QPainter p(&img);
        uo_coolbutton::of_gradientfill(p, img.rect(), from, to, kind);
        return img;
    };
    const int near = 30;
    QImage v = fill(uo_coolbutton::style_vgradient);
    EXPECT_LT(distance(v.pixelColor(20, 0), from), near);
    EXPECT_LT(distance(v.pixelColor(20, 39), to), near);
    EXPECT_EQ(v.pixelColor(0, 20), v.pixelColor(39, 20));  // no change across

    QImage h = fill(uo_coolbutton::style_hgradient);
    EXPECT_LT(distance(h.pixelColor(0, 20), from), near);
    EXPECT_LT(distance(h.pixelColor(39, 20), to), near);
    EXPECT_EQ(h.pixelColor(20, 0), h.pixelColor(20, 39));

    // Header: two bands with a step between them.
    QImage head = fill(uo_coolbutton::style_vheadergradient);
    EXPECT_LT(distance(head.pixelColor(20, 0), from), near);
    EXPECT_LT(distance(head.pixelColor(20, 39), to), near);
    const int step = distance(head.pixelColor(20, 19), head.pixelColor(20, 20));
    const int smooth = distance(head.pixelColor(20, 17), head.pixelColor(20, 18));
    EXPECT_GT(step, 4 * smooth + 20);

    // Edge: the far colour at both edges, the near one along the middle.
    QImage edge = fill(uo_coolbutton::style_vedgegradient);
    EXPECT_LT(distance(edge.pixelColor(20, 0), to), near);
    EXPECT_LT(distance(edge.pixelColor(20, 39), to), near);
    EXPECT_LT(distance(edge.pixelColor(20, 20), from), near);
}

TEST(CoolButton, OneClickedPerMouseClick) {
    Shown s;
    QSignalSpy clicked(s.button, &QPushButton::clicked);
    QTest::mouseClick(s.button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    QTest::mouseClick(s.button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 2);
    // Pressed, dragged off and released outside: no click, resting look back.
    QTest::mousePress(s.button, Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPointF(150, 15), QPointF(150, 15), s.button->mapToGlobal(QPointF(150, 15)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(s.button, &move);
    EXPECT_FALSE(s.button->isDown());
    EXPECT_EQ(s.button->colorfrom(), s.button->colorstart());
    QTest::mouseRelease(s.button, Qt::LeftButton, {}, QPoint(150, 15));
    EXPECT_EQ(clicked.count(), 2);
    // A disabled button gives none.
    s.button->setEnabled(false);
    QTest::mouseClick(s.button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 2);
}

TEST(CoolButton, OneClickedPerKeyActivation) {
    Shown s;
    QApplication::setActiveWindow(&s.host);
    s.button->setFocus();
    QSignalSpy clicked(s.button, &QPushButton::clicked);
    QTest::keyClick(s.button, Qt::Key_Space);
    EXPECT_EQ(clicked.count(), 1);
    // Held down by the key: drawn pressed until released.
    QTest::keyPress(s.button, Qt::Key_Space);
    EXPECT_EQ(s.button->colorfrom(), s.button->colorend());
    EXPECT_EQ(clicked.count(), 1);
    QTest::keyRelease(s.button, Qt::Key_Space);
    EXPECT_EQ(clicked.count(), 2);
    EXPECT_EQ(s.button->colorfrom(), s.button->colorstart());
}

TEST(CoolButton, DrawsTheSwappedGradientWhilePressed) {
    Shown s;
    uo_coolbutton* b = s.button;
    const QColor light(255, 255, 255), blue(179, 213, 243);
    auto top_and_bottom = [b] {
        const QImage img = b->grab().toImage();
        return std::pair{img.pixelColor(img.width() / 2, 3), img.pixelColor(img.width() / 2, img.height() - 4)};
    };
    auto [top, bottom] = top_and_bottom();
    EXPECT_LT(distance(top, light), distance(top, blue));
    EXPECT_LT(distance(bottom, blue), distance(bottom, light));

    QSignalSpy clicked(b, &QPushButton::clicked);
    QTest::mousePress(b, Qt::LeftButton);
    EXPECT_TRUE(b->isDown());
    EXPECT_EQ(b->colorfrom(), blue);
    EXPECT_EQ(b->colorto(), light);
    std::tie(top, bottom) = top_and_bottom();
    EXPECT_LT(distance(top, blue), distance(top, light));
    EXPECT_LT(distance(bottom, light), distance(bottom, blue));
    EXPECT_EQ(clicked.count(), 0);

    QTest::mouseRelease(b, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(b->colorfrom(), light);
    EXPECT_EQ(b->colorto(), blue);
}

TEST(CoolButton, HoverTooltipFocusAndPictures) {
    Shown s;
    uo_coolbutton* b = s.button;
    b->set_tag("开始游戏请先洗牌");
    EXPECT_EQ(b->toolTip(), "开始游戏请先洗牌");

    b->clearFocus();
    ASSERT_FALSE(b->hasFocus());
    const QImage resting = b->grab().toImage();
    QEnterEvent enter(QPointF(5, 5), QPointF(15, 15), b->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(b, &enter);
    EXPECT_TRUE(b->hovered());
    const QImage hovered = b->grab().toImage();
    EXPECT_NE(resting, hovered);  // darker border, tinted text
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b, &leave);
    EXPECT_FALSE(b->hovered());

    // The focus rectangle is drawn only with the focus.
    QApplication::setActiveWindow(&s.host);
    b->setFocus();
    ASSERT_TRUE(b->hasFocus());
    EXPECT_NE(b->grab().toImage(), resting);

    for (const char* name : {"Continue!", "Count!", "RetrieveCancel!", "MoveMode!", "Exit!"})
        EXPECT_FALSE(b->of_getstockicon(name).isNull()) << name;
    EXPECT_TRUE(b->of_getstockicon("NoSuchPicture!").isNull());
}

TEST(CoolButton, TheGameButtonsAreCoolButtons) {
    Settings settings;
    settings.gc_show = 0;
    MainWindow w(settings, 1);
    const struct {
        const char* name;
        const char* picture;
        const char* tip;
    } buttons[] = {
        {"cb_send", "Continue!", "开始游戏请先洗牌"},
        {"cb_out", "", "请选择一手牌来发牌"},
        {"cb_pass", "Count!", "不接牌请过牌"},
        {"cb_over", "RetrieveCancel!", "瑟柯牌扣牌"},
        {"cb_gog", "MoveMode!", "还牌"},
        {"cb_quit", "Exit!", "退出本游戏"},
    };
    for (const auto& e : buttons) {
        auto* b = qobject_cast<uo_coolbutton*>(w.button(e.name));
        ASSERT_NE(b, nullptr) << e.name;
        EXPECT_EQ(b->normalpicname(), QString::fromUtf8(e.picture)) << e.name;
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(e.tip)) << e.name;
        EXPECT_EQ(b->tag(), QString::fromUtf8(e.tip)) << e.name;
    }
    // The shuffle button still deals, once per click.
    w.show();
    QSignalSpy clicked(w.button("cb_send"), &QPushButton::clicked);
    QTest::mouseClick(w.button("cb_send"), Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(w.session().state().hands[game::Seat::A].size(), 36);
}

}  // namespace
}  // namespace tav::ui
