// The owner-drawn game button: presets, gradients, the pressed look, hover,
// tooltip, and exactly one `clicked` per activation.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "ui/cool_button.h"
#include "ui/main_window.h"

namespace tav::ui {
namespace {

// Distance between two colours, summed over the components.
int distance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

struct Shown {
    QWidget host;
    CoolButton* button;
    Shown() {
        host.resize(200, 80);
        button = new CoolButton("洗牌(&S)", &host);
        button->setGeometry(10, 10, 90, 30);
        host.show();
        (void)QTest::qWaitForWindowExposed(&host);
    }
};

TEST(CoolButton, StyleNumbersOutsideTheTable) {
    CoolButton b("x");
    b.use_preset(1);
    EXPECT_EQ(b.gradient_kind(), CoolButton::kHeaderGradient);
    // A negative style is style 0; an unknown one takes the last preset.
    b.use_preset(-3);
    EXPECT_EQ(b.preset_style(), 0);
    EXPECT_EQ(b.colour_to(), QColor(179, 213, 243));
    EXPECT_EQ(b.gradient_kind(), CoolButton::kVerticalGradient);
    b.use_preset(42);
    EXPECT_EQ(b.colour_from(), QColor(255, 255, 255));
    EXPECT_EQ(b.colour_to(), QColor(160, 190, 190));
    // Unknown gradient kinds change nothing.
    b.set_gradient_kind(9);
    EXPECT_EQ(b.gradient_kind(), CoolButton::kVerticalGradient);
}

TEST(CoolButton, TheFourGradientKinds) {
    const QColor from(255, 255, 255), to(0, 0, 200);
    auto fill = [&](int kind) {
        QImage img(40, 40, QImage::Format_RGB32);
        img.fill(Qt::black);
        QPainter p(&img);
        CoolButton::fill_gradient(p, img.rect(), from, to, kind);
        return img;
    };
    const int near = 30;
    QImage v = fill(CoolButton::kVerticalGradient);
    EXPECT_LT(distance(v.pixelColor(20, 0), from), near);
    EXPECT_LT(distance(v.pixelColor(20, 39), to), near);
    EXPECT_EQ(v.pixelColor(0, 20), v.pixelColor(39, 20));  // no change across

    QImage h = fill(CoolButton::kHorizontalGradient);
    EXPECT_LT(distance(h.pixelColor(0, 20), from), near);
    EXPECT_LT(distance(h.pixelColor(39, 20), to), near);
    EXPECT_EQ(h.pixelColor(20, 0), h.pixelColor(20, 39));

    // Header: two bands with a step between them.
    QImage head = fill(CoolButton::kHeaderGradient);
    EXPECT_LT(distance(head.pixelColor(20, 0), from), near);
    EXPECT_LT(distance(head.pixelColor(20, 39), to), near);
    const int step = distance(head.pixelColor(20, 19), head.pixelColor(20, 20));
    const int smooth = distance(head.pixelColor(20, 17), head.pixelColor(20, 18));
    EXPECT_GT(step, 4 * smooth + 20);

    // Edge: the far colour at both edges, the near one along the middle.
    QImage edge = fill(CoolButton::kEdgeGradient);
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
    EXPECT_EQ(s.button->colour_from(), s.button->colour_start());
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
    EXPECT_EQ(s.button->colour_from(), s.button->colour_end());
    EXPECT_EQ(clicked.count(), 1);
    QTest::keyRelease(s.button, Qt::Key_Space);
    EXPECT_EQ(clicked.count(), 2);
    EXPECT_EQ(s.button->colour_from(), s.button->colour_start());
}

TEST(CoolButton, DrawsTheSwappedGradientWhilePressed) {
    Shown s;
    CoolButton* b = s.button;
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
    EXPECT_EQ(b->colour_from(), blue);
    EXPECT_EQ(b->colour_to(), light);
    std::tie(top, bottom) = top_and_bottom();
    EXPECT_LT(distance(top, blue), distance(top, light));
    EXPECT_LT(distance(bottom, light), distance(bottom, blue));
    EXPECT_EQ(clicked.count(), 0);

    QTest::mouseRelease(b, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(b->colour_from(), light);
    EXPECT_EQ(b->colour_to(), blue);
}

TEST(CoolButton, HoverTooltipFocusAndPictures) {
    Shown s;
    CoolButton* b = s.button;
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
        EXPECT_FALSE(b->stock_icon(name).isNull()) << name;
    EXPECT_TRUE(b->stock_icon("NoSuchPicture!").isNull());
}

TEST(CoolButton, TheGameButtonsAreCoolButtons) {
    Settings settings;
    settings.play_pause = 0;
    MainWindow w(settings, 1);
    const struct {
        const char* name;
        const char* picture;
        const char* tip;
        const char* key;  // the tooltip names it after the tag
    } buttons[] = {
        {"cb_send", "Continue!", "开始游戏请先洗牌", "S"},
        {"cb_out", "", "请选择一手牌来发牌", "Enter"},
        {"cb_pass", "Count!", "不接牌请过牌", "P"},
        {"cb_over", "RetrieveCancel!", "瑟柯牌扣牌", "H"},
        {"cb_gog", "MoveMode!", "还牌", "R"},
        {"cb_quit", "Exit!", "退出本游戏", "Alt+Q"},
    };
    for (const auto& e : buttons) {
        auto* b = qobject_cast<CoolButton*>(w.button(e.name));
        ASSERT_NE(b, nullptr) << e.name;
        EXPECT_EQ(b->normal_picture(), QString::fromUtf8(e.picture)) << e.name;
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(e.tip) + "（" + e.key + "）") << e.name;
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
