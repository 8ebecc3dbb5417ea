// The background colour and card-back dialogs driven as a player would:
// their previews, apply, confirm and cancel, and what reaches the table.
#include <gtest/gtest.h>

#include <QAction>
#include <QColor>
#include <QImage>
#include <QPushButton>
#include <QSize>
#include <QString>
#include <array>
#include <string>

#include "model/catalogue.h"
#include "tests/ui/window_support.h"
#include "ui/background_dialog.h"
#include "ui/card_back_dialog.h"
#include "ui/main_menu.h"
#include "ui/main_window.h"

namespace tav::ui {
namespace {

long colour(int r, int g, int b) { return r + 256L * g + 65536L * b; }

long strip_colour(const Surface& s, const char* name) {
    const SurfaceObject* o = s.find(name);
    return o ? o->brush_color : -1;
}

// ----------------------------------------------------- background colours

TEST(BgcolorDialog, SwatchPreviewsAndSetsTheStyleApplyRepaintsTheTable) {
    Settings settings;
    MainWindow w(settings, 1);
    const Surface& table = w.session().surface();
    ASSERT_EQ(strip_colour(table, "rec_1"), colour(0, 189, 84));

    BackgroundDialog d(settings, w.session(), &w);
    d.show();
    EXPECT_EQ(d.windowTitle(), "背景颜色设置");
    Surface& preview = d.preview()->surface();
    EXPECT_EQ(strip_colour(preview, "rec_1"), colour(0, 189, 84));  // the current style
    auto* apply = child<QPushButton>(&d, "cb_apply");
    EXPECT_FALSE(apply->isEnabled());

    click(child<ClickLabel>(&d, "st_style3"));
    EXPECT_EQ(settings.background_style, 3);
    EXPECT_EQ(strip_colour(preview, "rec_1"), colour(255, 175, 96));
    EXPECT_EQ(strip_colour(table, "rec_1"), colour(0, 189, 84));  // the table waits for apply
    EXPECT_TRUE(apply->isEnabled());
    // The preview is drawn from its strips.
    const QImage shot = d.preview()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, 1), QColor(255, 175, 96));  // row 0 is the frame

    click(apply);
    EXPECT_EQ(strip_colour(table, "rec_1"), colour(255, 175, 96));
    EXPECT_FALSE(apply->isEnabled());

    // A click then cancel: the style the table shows stays the chosen one
    // (the settings are saved after the dialog, and came back at the next start).
    click(child<ClickLabel>(&d, "st_style2"));
    click(child<QPushButton>(&d, "cb_cancel"));
    EXPECT_EQ(settings.background_style, 3);
    EXPECT_EQ(strip_colour(table, "rec_1"), colour(255, 175, 96));
    // The same with Esc, in a dialog opened from the menu.
    when_open<BackgroundDialog>([](BackgroundDialog* open) {
        click(child<ClickLabel>(open, "st_style1"));
        QTest::keyClick(open, Qt::Key_Escape);
    });
    qobject_cast<MainMenu*>(w.menuBar())->item("m_背景颜色")->trigger();
    EXPECT_EQ(settings.background_style, 3);

    // Confirm applies.
    BackgroundDialog again(settings, w.session(), &w);
    again.show();
    click(child<ClickLabel>(&again, "st_style1"));
    click(child<QPushButton>(&again, "cb_confirm"));
    EXPECT_EQ(strip_colour(table, "rec_1"), colour(0, 189, 84));
    EXPECT_FALSE(again.isVisible());
}

TEST(BgcolorDialog, PaintingTwiceLeavesSixtyFourStripsAndBadColoursChangeNothing) {
    Settings settings;
    MainWindow w(settings, 1);
    BackgroundDialog d(settings, w.session(), &w);
    d.show();
    GradientPreview* p = d.preview();
    p->paint_style(2);
    p->paint_style(2);
    EXPECT_EQ(p->strip_count(), 64);
    EXPECT_EQ(p->surface().object_count(), 64u);
    const long first = strip_colour(p->surface(), "rec_1");
    const long last = strip_colour(p->surface(), "rec_64");
    EXPECT_EQ(first, colour(158, 189, 84));
    for (auto bad : {std::array<int, 3>{256, 0, 0}, {0, -1, 0}, {0, 0, 300}})
        EXPECT_EQ(p->gradient().gradient(bad[0], bad[1], bad[2]), -1);
    EXPECT_EQ(p->strip_count(), 64);
    EXPECT_EQ(strip_colour(p->surface(), "rec_1"), first);
    EXPECT_EQ(strip_colour(p->surface(), "rec_64"), last);
    // A style outside 1..3 repaints nothing.
    p->paint_style(4);
    EXPECT_EQ(strip_colour(p->surface(), "rec_1"), first);
}

// -------------------------------------------------------------- card backs

// The back shown by every face-down card: the pack and the computer hands.
void expect_backs(Session& m, const std::string& back) {
    for (int n = 1; n <= kCardCount; ++n) ASSERT_EQ(m.surface().find("p_t" + std::to_string(n))->filename, back) << n;
    for (game::Seat seat : {game::Seat::B, game::Seat::C, game::Seat::D, game::Seat::E, game::Seat::F}) {
        ASSERT_FALSE(m.state().hands[seat].empty());
        for (game::Card c : m.state().hands[seat])
            ASSERT_EQ(m.surface().find(card_id(c))->filename, back) << card_id(c);
    }
}

TEST(BgcardDialog, ANewBackReachesThePackAndTheComputerHandsAtOnceAndTheNextDeal) {
    Settings settings = quick_settings();
    MainWindow w(settings, 5);
    Session& m = w.session();
    w.button("cb_send")->click();
    ASSERT_EQ(m.surface().find(card_id(m.state().hands[game::Seat::B][0]))->filename, "cards\\bgcard4.bmp");

    when_open<CardBackDialog>([](CardBackDialog* d) {
        EXPECT_EQ(d->windowTitle(), "背景颜色设置");
        EXPECT_FALSE(child<QPushButton>(d, "cb_apply")->isEnabled());
        for (int n = 1; n <= 6; ++n) {
            auto* p = child<ClickLabel>(d, QString("p_%1").arg(n).toUtf8().constData());
            EXPECT_EQ(p->pixmap().size(), QSize(71, 96)) << n;
        }
        click(child<ClickLabel>(d, "p_2"));
        EXPECT_TRUE(child<QPushButton>(d, "cb_apply")->isEnabled());
        click(child<QPushButton>(d, "cb_confirm"));
    });
    qobject_cast<MainMenu*>(w.menuBar())->item("m_牌背图案")->trigger();

    EXPECT_EQ(settings.card_back, "cards\\bgcard2.bmp");
    expect_backs(m, "cards\\bgcard2.bmp");
    // The human's own cards stay face up.
    for (game::Card c : m.state().hands[game::Seat::A])
        EXPECT_EQ(m.surface().find(card_id(c))->filename, std::string(card_info(c).bmp)) << card_id(c);

    // The next game deals with the same back.
    w.new_game();
    w.button("cb_send")->click();
    expect_backs(m, "cards\\bgcard2.bmp");
}

TEST(BgcardDialog, APictureThenCancelChangesNothing) {
    Settings settings = quick_settings();
    MainWindow w(settings, 5);
    CardBackDialog d(settings, w.session(), &w);
    d.show();
    EXPECT_EQ(d.chosen_back(), "cards\\bgcard4.bmp");
    click(child<ClickLabel>(&d, "p_6"));
    EXPECT_EQ(d.chosen_back(), "cards\\bgcard6.bmp");
    click(child<QPushButton>(&d, "cb_cancel"));
    EXPECT_EQ(settings.card_back, "cards\\bgcard4.bmp");
    EXPECT_EQ(w.session().surface().find("p_t1")->filename, "cards\\bgcard4.bmp");
}

}  // namespace
}  // namespace tav::ui
