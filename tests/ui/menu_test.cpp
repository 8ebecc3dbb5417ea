// The menu bar driven as a player would: its items and shortcuts, a new
// game, quitting, printing, the help window and the about box.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <algorithm>
#include <string>

#include "model/catalogue.h"
#include "tests/ui/window_support.h"
#include "ui/about_dialog.h"
#include "ui/help_window.h"
#include "ui/main_menu.h"
#include "ui/main_window.h"

namespace tav::ui {
namespace {

TEST(Menu, EveryItemWithItsTextAndShortcut) {
    Settings settings = quick_settings();
    MainWindow w(settings, 1);
    auto* bar = qobject_cast<MainMenu*>(w.menuBar());
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
        {"m_按编号发牌", "按编号发牌…", {}},
        {"m_联机", "联机", {}},
        {"m_开一桌", "开一桌…", {}},
        {"m_加入", "加入…", {}},
        {"m_离开牌桌", "离开牌桌", {}},
        {"m_托管", "托管", QKeySequence("T")},
        {"m_牌局记录", "牌局记录", {}},
        {"m_统计", "统计…", {}},
        {"m_打印设置", "打印设置", {}},
        {"m_打印", "打印", {}},
        {"m_退出", "退出", QKeySequence("Alt+F4")},
        {"m_游戏规则", "游戏规则", {}},
        {"m_背景颜色", "背景颜色", {}},
        {"m_牌背图案", "牌背图案", {}},
        {"m_显示牌局编号", "显示牌局编号", {}},
        {"m_显示提示按钮", "显示提示按钮", {}},
        {"m_记牌器", "记牌器", {}},
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
    EXPECT_EQ(names(menus[0]->menu()),
              QStringList({"m_新游戏", "m_按编号发牌", "m_联机", "m_-2", "m_托管", "m_牌局记录", "m_统计", "m_-",
                           "m_打印设置", "m_打印", "m_-1", "m_退出"}));
    EXPECT_EQ(names(menus[1]->menu()), QStringList({"m_游戏规则", "m_背景颜色", "m_牌背图案", "m_-3", "m_显示牌局编号",
                                                    "m_显示提示按钮", "m_记牌器", "m_-4", "m_语言"}));
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
        qobject_cast<MainMenu*>(w.menuBar())->item("m_退出")->trigger();
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
    auto* bar = qobject_cast<MainMenu*>(w.menuBar());
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
    // Esc closes it, wherever its focus is; the menu item brings the same window back.
    QApplication::setActiveWindow(help);
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help->browser(), Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
    qobject_cast<MainMenu*>(w.menuBar())->item("m_联机帮助")->trigger();
    EXPECT_EQ(w.findChildren<HelpWindow*>().size(), 1);
    EXPECT_TRUE(help->isVisible());
}

// --------------------------------------------------------------- about box

TEST(AboutBox, TitleVersionAndLink) {
    Settings settings;
    MainWindow w(settings, 1);
    when_open<AboutDialog>([](AboutDialog* d) {
        EXPECT_EQ(d->windowTitle(), "关于Tav");
        EXPECT_EQ(child<QLabel>(d, "st_title")->text(), "瑟柯牌局");
        EXPECT_TRUE(child<QLabel>(d, "st_version")->text().contains(TAV_VERSION));
        EXPECT_FALSE(child<QLabel>(d, "st_contact")->text().isEmpty());
        auto* link = child<QLabel>(d, "st_link");
        EXPECT_TRUE(link->text().contains("网站提供最新下载"));
        EXPECT_TRUE(link->text().contains(AboutDialog::project_page().toString()));
        EXPECT_FALSE(child<QLabel>(d, "p_about")->pixmap().isNull());
        click(child<QPushButton>(d, "cb_confirm"));
    });
    qobject_cast<MainMenu*>(w.menuBar())->item("m_关于tava")->trigger();
}

}  // namespace
}  // namespace tav::ui
