// The menu bar, the rules dialog, the colour and card-back dialogs, the
// about box and the help window, driven as a player would.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>

#include "model/catalogue.h"
#include "ui/about_dialog.h"
#include "ui/bgcard_dialog.h"
#include "ui/bgcolor_dialog.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/menu.h"
#include "ui/setup_dialog.h"

namespace tav::ui {
namespace {

template <typename T>
T* child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// A click where a player would click: on the box of a check or radio button
// (its text may not fill the width the layout gives it), else the middle.
void click(QWidget* w) {
    const bool box = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, box ? QPoint(6, w->height() / 2) : w->rect().center());
}

// Runs `f` on the modal dialog of type D once the next exec() has opened it;
// a dialog that is not the expected one is closed so the test cannot hang.
template <typename D>
void when_open(std::function<void(D*)> f) {
    QTimer::singleShot(0, [f] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* d = qobject_cast<D*>(modal);
        if (!d) {
            ADD_FAILURE() << "the expected dialog did not open";
            if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
            return;
        }
        f(d);
    });
}

long colour(int r, int g, int b) { return r + 256L * g + 65536L * b; }

long strip_colour(const Surface& s, const char* name) {
    const SurfaceObject* o = s.find(name);
    return o ? o->brush_color : -1;
}

// A settings block for window tests: no pause when plays leave the table.
Settings quick_settings() {
    Settings s;
    s.gc_show = 0;
    return s;
}

// ---------------------------------------------------------------- the menu

TEST(Menu, EveryItemWithItsTextAndShortcut) {
    Settings settings = quick_settings();
    MainWindow w(settings, 1);
    auto* bar = qobject_cast<m_main*>(w.menuBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->objectName(), "m_main");

    const QList<QAction*> menus = bar->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), "游戏(&G)");
    EXPECT_EQ(menus[1]->text(), "设置(&S)");
    EXPECT_EQ(menus[2]->text(), "帮助(&H)");

    struct Item {
        const char* name;
        const char* text;
        QKeySequence keys;
    };
    const Item items[] = {
        {"m_新游戏", "新游戏(&N)", QKeySequence("Ctrl+N")},
        {"m_打印设置", "打印设置", {}},
        {"m_打印", "打印", {}},
        {"m_退出", "退出", QKeySequence("Alt+F4")},
        {"m_游戏规则", "游戏规则", {}},
        {"m_背景颜色", "背景颜色", {}},
        {"m_牌背图案", "牌背图案", {}},
        {"m_联机帮助", "联机帮助", QKeySequence("F1")},
        {"m_关于tava", "关于Tav(&A)", {}},
    };
    for (const Item& i : items) {
        QAction* a = bar->item(QString::fromUtf8(i.name));
        ASSERT_NE(a, nullptr) << i.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(i.text)) << i.name;
        EXPECT_EQ(a->shortcut(), i.keys) << i.name;
    }
    // Display order, separators included.
    auto names = [](QMenu* m) {
        QStringList out;
        for (QAction* a : m->actions()) out << a->objectName();
        return out;
    };
    EXPECT_EQ(names(menus[0]->menu()), QStringList({"m_新游戏", "m_-", "m_打印设置", "m_打印", "m_-1", "m_退出"}));
    EXPECT_EQ(names(menus[1]->menu()), QStringList({"m_游戏规则", "m_背景颜色", "m_牌背图案"}));
    EXPECT_EQ(names(menus[2]->menu()), QStringList({"m_联机帮助", "m_-0", "m_关于tava"}));
    EXPECT_TRUE(bar->item("m_-1")->isSeparator());
}

TEST(Menu, TheMenuBarAddsToTheWindowNotTakesFromTheTable) {
    Settings settings = quick_settings();
    MainWindow w(settings, 1);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.table()->size(), QSize(px_x(3602), px_y(2272)));
    EXPECT_EQ(w.height(), px_y(2272) + w.menuBar()->height());
}

TEST(Menu, CtrlNDuringADealStartsAFreshGame) {
    Settings settings = quick_settings();
    MainWindow w(settings, 7);
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    Session& m = w.session();
    w.button("cb_send")->click();
    ASSERT_FALSE(w.button("cb_send")->isEnabled());
    // A game under way: the computer plays the human's turns until a seat is
    // out, with its score and the place tribute it is owed.
    while (m.state().deal_running() && m.state().out_count == 0) ASSERT_TRUE(m.autoplay_human());
    ASSERT_TRUE(m.state().deal_running());
    ASSERT_TRUE(std::any_of(m.state().ledger.begin(), m.state().ledger.end(),
                            [](const game::Debt& d) { return d.filed(); }));
    const game::Seat first = *m.state().ledger[13].receiver;
    ASSERT_EQ(m.state().scores[first], 2);

    QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);

    const std::string label = std::string("t_c") + static_cast<char>('a' + game::index_of(first));
    EXPECT_EQ(m.surface().find(label)->text, std::string(game::padded_name_of(first)) + "得分：0");
    for (game::Seat seat : game::kAllSeats) {
        EXPECT_EQ(m.state().scores[seat], 0);
        EXPECT_TRUE(m.state().hands[seat].empty());
    }
    for (const game::Debt& d : m.state().ledger) EXPECT_FALSE(d.filed());
    EXPECT_FALSE(m.state().deal_running());
    EXPECT_TRUE(m.surface().find("p_t216")->visible);
    EXPECT_EQ(m.view().note_text(), " \n＞＞＞请先洗牌");
    EXPECT_TRUE(w.button("cb_send")->isEnabled());
    EXPECT_FALSE(w.button("cb_out")->isEnabled());
    EXPECT_FALSE(w.button("cb_pass")->isEnabled());

    // The next deal starts at once: nothing of the old game is owed.
    w.button("cb_send")->click();
    const auto& log = m.view().note_log();
    EXPECT_TRUE(std::none_of(log.begin(), log.end(),
                             [](const std::string& l) { return l.find("贡") != std::string::npos; }));
    EXPECT_TRUE(m.state().deal_running());
}

TEST(Menu, QuitItemAndAltF4CloseTheWindow) {
    Settings settings = quick_settings();
    {
        MainWindow w(settings, 1);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        qobject_cast<m_main*>(w.menuBar())->item("m_退出")->trigger();
        EXPECT_FALSE(w.isVisible());
    }
    {
        MainWindow w(settings, 1);
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_F4, Qt::AltModifier);
        EXPECT_FALSE(w.isVisible());
    }
}

TEST(Menu, PrintAndPrinterSetupOpenTheirDialogs) {
    Settings settings = quick_settings();
    MainWindow w(settings, 1);
    auto* bar = qobject_cast<m_main*>(w.menuBar());
    QString seen;
    when_open<QDialog>([&seen](QDialog* d) {
        seen = d->objectName();
        d->reject();
    });
    bar->item("m_打印")->trigger();
    EXPECT_EQ(seen, "print_dialog");
    seen = "none";
    when_open<QDialog>([&seen](QDialog* d) {
        seen = d->metaObject()->className();
        d->reject();
    });
    bar->item("m_打印设置")->trigger();
    EXPECT_EQ(seen, "QPageSetupDialog");
}

TEST(Menu, F1ShowsOurHelpPage) {
    Settings settings = quick_settings();
    MainWindow w(settings, 1);
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F1);
    auto* help = w.findChild<HelpWindow*>("w_help");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->source(), QUrl(HelpWindow::kIndex));
    const QString text = help->browser()->toPlainText();
    for (const char* word : {"瑟柯牌", "扣牌", "头科", "大落", "扪贡", "点贡", "落贡", "买三", "憋３限制"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word;
    // The menu item reuses the same window.
    qobject_cast<m_main*>(w.menuBar())->item("m_联机帮助")->trigger();
    EXPECT_EQ(w.findChildren<HelpWindow*>().size(), 1);
}

// ------------------------------------------------------- the rules dialog

TEST(SetupDialog, OpensWithTheStartValues) {
    Settings settings;
    w_setup d(settings);
    EXPECT_EQ(d.windowTitle(), "游戏规则设置");
    EXPECT_TRUE(d.windowFlags() & Qt::WindowContextHelpButtonHint);
    EXPECT_TRUE(child<QRadioButton>(&d, "rb_2")->isChecked());
    EXPECT_EQ(child<QRadioButton>(&d, "rb_2")->text(), "记分加进贡");
    EXPECT_FALSE(child<QRadioButton>(&d, "rb_1")->isChecked());
    auto* l = child<QCheckBox>(&d, "cbx_l");
    EXPECT_TRUE(l->isChecked());
    EXPECT_FALSE(l->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(&d, "cbx_m")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(&d, "cbx_m")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(&d, "cbx_d")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(&d, "cbx_d")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(&d, "cbx_b3")->isChecked());
    EXPECT_EQ(child<QCheckBox>(&d, "cbx_b3")->text(), "憋３限制");
    EXPECT_TRUE(child<QRadioButton>(&d, "rb_ks")->isChecked());
    EXPECT_FALSE(child<QRadioButton>(&d, "rb_zc")->isChecked());
    auto* slider = child<QSlider>(&d, "htb_show");
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->maximum(), 50);
    EXPECT_EQ(slider->value(), static_cast<int>(settings.gc_show * 100 + 0.5));
    EXPECT_EQ(child<QLabel>(&d, "st_3")->text(), "小          中         大");
    EXPECT_FALSE(child<QPushButton>(&d, "cb_apply")->isEnabled());
    EXPECT_EQ(child<QPushButton>(&d, "cb_apply")->text(), "应用(&A)");
    // The context-help hints.
    EXPECT_EQ(child<QRadioButton>(&d, "rb_ks")->whatsThis(), "设置洗牌速度为快速");
    EXPECT_EQ(child<QRadioButton>(&d, "rb_zc")->whatsThis(), "设置洗牌速度为正常");
    EXPECT_EQ(slider->whatsThis(), "设置发牌的间隔时间");
}

TEST(SetupDialog, OpensWithOtherValuesAsTheyStand) {
    Settings settings;
    settings.gb_b3 = false;
    settings.gc_show = 0.29;  // a decimal: shows as 29, not 28
    settings.gs_sends = "1";
    settings.gi_winstyle = 5;  // anything but 1 is scores only
    settings.gb_m = true;
    w_setup d(settings);
    EXPECT_FALSE(child<QCheckBox>(&d, "cbx_b3")->isChecked());
    EXPECT_EQ(child<QSlider>(&d, "htb_show")->value(), 29);
    EXPECT_TRUE(child<QRadioButton>(&d, "rb_zc")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&d, "rb_1")->isChecked());
    for (const char* name : {"cbx_m", "cbx_d", "cbx_l"}) {
        EXPECT_FALSE(child<QCheckBox>(&d, name)->isChecked()) << name;
        EXPECT_FALSE(child<QCheckBox>(&d, name)->isEnabled()) << name;
    }
    // Opening changes no setting.
    EXPECT_TRUE(settings.gb_m);
    EXPECT_EQ(settings.gi_winstyle, 5);
}

TEST(SetupDialog, ScoresOnlyAndConfirmClearsTheTributeRules) {
    Settings settings;
    settings.gb_m = true;
    settings.gb_d = true;
    w_setup d(settings);
    d.show();
    click(child<QRadioButton>(&d, "rb_1"));
    for (const char* name : {"cbx_m", "cbx_d", "cbx_l"}) {
        EXPECT_FALSE(child<QCheckBox>(&d, name)->isChecked()) << name;
        EXPECT_FALSE(child<QCheckBox>(&d, name)->isEnabled()) << name;
    }
    EXPECT_TRUE(child<QPushButton>(&d, "cb_apply")->isEnabled());
    EXPECT_EQ(settings.gi_winstyle, 1);  // nothing written before apply or confirm
    click(child<QPushButton>(&d, "cb_confirm"));
    EXPECT_EQ(settings.gi_winstyle, 0);
    EXPECT_FALSE(settings.gb_m);
    EXPECT_FALSE(settings.gb_d);
    EXPECT_FALSE(settings.gb_l);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);

    // Back to scores and tributes: 落 is ticked and locked, 扪 and 点 open again.
    w_setup again(settings);
    again.show();
    click(child<QRadioButton>(&again, "rb_2"));
    EXPECT_TRUE(child<QCheckBox>(&again, "cbx_l")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(&again, "cbx_l")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(&again, "cbx_m")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(&again, "cbx_d")->isEnabled());
}

TEST(SetupDialog, TheRuleOnThreesGovernsPoint) {
    Settings settings;
    settings.gb_d = true;
    w_setup d(settings);
    d.show();
    auto* b3 = child<QCheckBox>(&d, "cbx_b3");
    auto* point = child<QCheckBox>(&d, "cbx_d");
    ASSERT_TRUE(point->isChecked());
    click(b3);
    EXPECT_FALSE(b3->isChecked());
    EXPECT_FALSE(point->isChecked());
    EXPECT_FALSE(point->isEnabled());
    click(b3);
    EXPECT_TRUE(b3->isChecked());
    EXPECT_TRUE(point->isEnabled());
    EXPECT_FALSE(point->isChecked());

    // In scores-only mode ticking it again leaves 点 locked.
    click(b3);
    click(child<QRadioButton>(&d, "rb_1"));
    click(b3);
    EXPECT_FALSE(point->isEnabled());
}

TEST(SetupDialog, CancelAfterApplyKeepsTheAppliedValues) {
    Settings settings;
    w_setup d(settings);
    d.show();
    auto* apply = child<QPushButton>(&d, "cb_apply");
    click(child<QRadioButton>(&d, "rb_zc"));
    child<QSlider>(&d, "htb_show")->setValue(37);
    click(child<QCheckBox>(&d, "cbx_m"));
    ASSERT_TRUE(apply->isEnabled());
    click(apply);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(settings.gs_sends, "1");
    EXPECT_DOUBLE_EQ(settings.gc_show, 0.37);
    EXPECT_TRUE(settings.gb_m);

    click(child<QRadioButton>(&d, "rb_1"));
    click(child<QRadioButton>(&d, "rb_ks"));
    click(child<QPushButton>(&d, "cb_cancel"));
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(settings.gs_sends, "1");
    EXPECT_DOUBLE_EQ(settings.gc_show, 0.37);
    EXPECT_TRUE(settings.gb_m);
    EXPECT_EQ(settings.gi_winstyle, 1);
}

TEST(SetupDialog, ScoresOnlyFromTheMenuMeansTheNextDealSettlesNoTribute) {
    for (const bool scores_only : {false, true}) {
        SCOPED_TRACE(scores_only ? "scores only" : "scores and tributes");
        Settings settings = quick_settings();
        // Seed 3: the first deal, the computer playing the human's turns,
        // leaves the human owed a place tribute by the other side.
        MainWindow w(settings, 3);
        Session& m = w.session();
        w.button("cb_send")->click();
        for (int turns = 0; m.state().deal_running(); ++turns) {
            ASSERT_LT(turns, 2000);
            ASSERT_TRUE(m.autoplay_human());
        }
        ASSERT_TRUE(std::any_of(m.state().ledger.begin(), m.state().ledger.end(), [](const game::Debt& d) {
            return d.receiver == game::Seat::A && d.payer && !game::same_side(*d.payer, game::Seat::A);
        }));
        const std::size_t seen = m.view().note_log().size();

        when_open<w_setup>([scores_only](w_setup* d) {
            if (scores_only) click(child<QRadioButton>(d, "rb_1"));
            click(child<QPushButton>(d, "cb_confirm"));
        });
        qobject_cast<m_main*>(w.menuBar())->item("m_游戏规则")->trigger();
        EXPECT_EQ(settings.gi_winstyle, scores_only ? 0 : 1);

        w.button("cb_send")->click();
        bool tribute = false, began = false;
        const auto& log = m.view().note_log();
        for (std::size_t i = seen; i < log.size(); ++i) {
            if (log[i].find("进落贡") != std::string::npos) tribute = true;
            if (log[i].find("开始游戏") != std::string::npos) began = true;
        }
        EXPECT_EQ(tribute, !scores_only);
        EXPECT_EQ(began, scores_only);
        EXPECT_EQ(!w.button("cb_gog")->isHidden(), !scores_only);
        EXPECT_EQ(m.state().ask == game::Ask::return_tribute, !scores_only);
    }
}

// ----------------------------------------------------- background colours

TEST(BgcolorDialog, SwatchPreviewsAndSetsTheStyleApplyRepaintsTheTable) {
    Settings settings;
    MainWindow w(settings, 1);
    const Surface& table = w.session().surface();
    ASSERT_EQ(strip_colour(table, "rec_1"), colour(0, 189, 84));

    w_bgcolor d(settings, w.session(), &w);
    d.show();
    EXPECT_EQ(d.windowTitle(), "背景颜色设置");
    Surface& preview = d.preview()->surface();
    EXPECT_EQ(strip_colour(preview, "rec_1"), colour(0, 189, 84));  // the current style
    auto* apply = child<QPushButton>(&d, "cb_apply");
    EXPECT_FALSE(apply->isEnabled());

    click(child<ClickLabel>(&d, "st_style3"));
    EXPECT_EQ(settings.ii_bgstyle, 3);
    EXPECT_EQ(strip_colour(preview, "rec_1"), colour(255, 175, 96));
    EXPECT_EQ(strip_colour(table, "rec_1"), colour(0, 189, 84));  // the table waits for apply
    EXPECT_TRUE(apply->isEnabled());
    // The preview is drawn from its strips.
    const QImage shot = d.preview()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, 1), QColor(255, 175, 96));  // row 0 is the frame

    click(apply);
    EXPECT_EQ(strip_colour(table, "rec_1"), colour(255, 175, 96));
    EXPECT_FALSE(apply->isEnabled());

    // A click then cancel: the style stays chosen but the table is not repainted.
    click(child<ClickLabel>(&d, "st_style2"));
    click(child<QPushButton>(&d, "cb_cancel"));
    EXPECT_EQ(settings.ii_bgstyle, 2);
    EXPECT_EQ(strip_colour(table, "rec_1"), colour(255, 175, 96));

    // Confirm applies.
    w_bgcolor again(settings, w.session(), &w);
    again.show();
    click(child<ClickLabel>(&again, "st_style1"));
    click(child<QPushButton>(&again, "cb_confirm"));
    EXPECT_EQ(strip_colour(table, "rec_1"), colour(0, 189, 84));
    EXPECT_FALSE(again.isVisible());
}

TEST(BgcolorDialog, PaintingTwiceLeavesSixtyFourStripsAndBadColoursChangeNothing) {
    Settings settings;
    MainWindow w(settings, 1);
    w_bgcolor d(settings, w.session(), &w);
    d.show();
    GradientPreview* p = d.preview();
    p->wf_bgcolor(2);
    p->wf_bgcolor(2);
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
    p->wf_bgcolor(4);
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

    when_open<w_bgcard>([](w_bgcard* d) {
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
    qobject_cast<m_main*>(w.menuBar())->item("m_牌背图案")->trigger();

    EXPECT_EQ(settings.gs_bgcard, "cards\\bgcard2.bmp");
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
    w_bgcard d(settings, w.session(), &w);
    d.show();
    EXPECT_EQ(d.is_bgcard(), "cards\\bgcard4.bmp");
    click(child<ClickLabel>(&d, "p_6"));
    EXPECT_EQ(d.is_bgcard(), "cards\\bgcard6.bmp");
    click(child<QPushButton>(&d, "cb_cancel"));
    EXPECT_EQ(settings.gs_bgcard, "cards\\bgcard4.bmp");
    EXPECT_EQ(w.session().surface().find("p_t1")->filename, "cards\\bgcard4.bmp");
}

// --------------------------------------------------------------- about box

TEST(AboutBox, TitleVersionAndLink) {
    Settings settings;
    MainWindow w(settings, 1);
    when_open<w_about>([](w_about* d) {
        EXPECT_EQ(d->windowTitle(), "关于Tav");
        EXPECT_EQ(child<QLabel>(d, "st_title")->text(), "瑟柯牌局");
        EXPECT_TRUE(child<QLabel>(d, "st_version")->text().contains(TAV_VERSION));
        EXPECT_FALSE(child<QLabel>(d, "st_contact")->text().isEmpty());
        auto* link = child<QLabel>(d, "st_link");
        EXPECT_TRUE(link->text().contains("网站提供最新下载"));
        EXPECT_TRUE(link->text().contains(w_about::project_page().toString()));
        EXPECT_FALSE(child<QLabel>(d, "p_about")->pixmap().isNull());
        click(child<QPushButton>(d, "cb_confirm"));
    });
    qobject_cast<m_main*>(w.menuBar())->item("m_关于tava")->trigger();
}

}  // namespace
}  // namespace tav::ui
