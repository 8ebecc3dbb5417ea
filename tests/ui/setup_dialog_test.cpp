// The rules dialog driven as a player would: the values it opens with, how
// its choices lock one another (and that the help page tells it so), apply,
// confirm and cancel, and a rule changed from the menu reaching the next deal.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTextBrowser>
#include <algorithm>
#include <string>

#include "tests/ui/window_support.h"
#include "ui/help_window.h"
#include "ui/main_menu.h"
#include "ui/main_window.h"
#include "ui/setup_dialog.h"

namespace tav::ui {
namespace {

TEST(SetupDialog, OpensWithTheStartValues) {
    Settings settings;
    SetupDialog d(settings);
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
    EXPECT_EQ(slider->value(), static_cast<int>(settings.play_pause * 100 + 0.5));
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
    settings.threes_rule = false;
    settings.play_pause = 0.29;  // a decimal: shows as 29, not 28
    settings.deal_speed = "1";
    settings.win_style = 5;  // anything but 1 is scores only
    settings.smother_tributes = true;
    SetupDialog d(settings);
    EXPECT_FALSE(child<QCheckBox>(&d, "cbx_b3")->isChecked());
    EXPECT_EQ(child<QSlider>(&d, "htb_show")->value(), 29);
    EXPECT_TRUE(child<QRadioButton>(&d, "rb_zc")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&d, "rb_1")->isChecked());
    for (const char* name : {"cbx_m", "cbx_d", "cbx_l"}) {
        EXPECT_FALSE(child<QCheckBox>(&d, name)->isChecked()) << name;
        EXPECT_FALSE(child<QCheckBox>(&d, name)->isEnabled()) << name;
    }
    // Opening changes no setting.
    EXPECT_TRUE(settings.smother_tributes);
    EXPECT_EQ(settings.win_style, 5);
}

TEST(SetupDialog, ScoresOnlyAndConfirmClearsTheTributeRules) {
    Settings settings;
    settings.smother_tributes = true;
    settings.point_tributes = true;
    SetupDialog d(settings);
    d.show();
    click(child<QRadioButton>(&d, "rb_1"));
    for (const char* name : {"cbx_m", "cbx_d", "cbx_l"}) {
        EXPECT_FALSE(child<QCheckBox>(&d, name)->isChecked()) << name;
        EXPECT_FALSE(child<QCheckBox>(&d, name)->isEnabled()) << name;
    }
    EXPECT_TRUE(child<QPushButton>(&d, "cb_apply")->isEnabled());
    EXPECT_EQ(settings.win_style, 1);  // nothing written before apply or confirm
    click(child<QPushButton>(&d, "cb_confirm"));
    EXPECT_EQ(settings.win_style, 0);
    EXPECT_FALSE(settings.smother_tributes);
    EXPECT_FALSE(settings.point_tributes);
    EXPECT_FALSE(settings.place_tributes_box);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);

    // Back to scores and tributes: 落 is ticked and locked, 扪 and 点 open again.
    SetupDialog again(settings);
    again.show();
    click(child<QRadioButton>(&again, "rb_2"));
    EXPECT_TRUE(child<QCheckBox>(&again, "cbx_l")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(&again, "cbx_l")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(&again, "cbx_m")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(&again, "cbx_d")->isEnabled());
}

TEST(SetupDialog, TheRuleOnThreesGovernsPoint) {
    Settings settings;
    settings.point_tributes = true;
    SetupDialog d(settings);
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

TEST(SetupDialog, ScoresAndTributesFreesPointWithoutTheRuleOnThrees) {
    Settings settings;
    settings.win_style = 1;
    SetupDialog d(settings);
    d.show();
    auto* b3 = child<QCheckBox>(&d, "cbx_b3");
    auto* point = child<QCheckBox>(&d, "cbx_d");
    click(b3);
    ASSERT_FALSE(b3->isChecked());
    ASSERT_FALSE(point->isEnabled());
    // Choosing scores and tributes (already chosen) frees 扪 and 点 again.
    click(child<QRadioButton>(&d, "rb_2"));
    EXPECT_TRUE(point->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(&d, "cbx_m")->isEnabled());
    EXPECT_FALSE(b3->isChecked());
    click(point);
    EXPECT_TRUE(point->isChecked());
    click(child<QPushButton>(&d, "cb_apply"));
    EXPECT_FALSE(settings.threes_rule);
    EXPECT_TRUE(settings.point_tributes);
}

TEST(SetupDialog, TheHelpPageTellsHowPointAndTheRuleOnThreesGoTogether) {
    HelpWindow help;
    const QString text = help.browser()->toPlainText();
    ASSERT_TRUE(text.contains(QString::fromUtf8("憋３限制")));
    // The dialog lets 点 be chosen without the rule on threes: the page
    // must not say otherwise, and says how.
    EXPECT_FALSE(text.contains(QString::fromUtf8("不选时“点”也不能选")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("去掉它时“点”也跟着去掉并变灰")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("不憋３也可以记点贡")));
}

TEST(SetupDialog, CancelAfterApplyKeepsTheAppliedValues) {
    Settings settings;
    SetupDialog d(settings);
    d.show();
    auto* apply = child<QPushButton>(&d, "cb_apply");
    click(child<QRadioButton>(&d, "rb_zc"));
    child<QSlider>(&d, "htb_show")->setValue(37);
    click(child<QCheckBox>(&d, "cbx_m"));
    ASSERT_TRUE(apply->isEnabled());
    click(apply);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(settings.deal_speed, "1");
    EXPECT_DOUBLE_EQ(settings.play_pause, 0.37);
    EXPECT_TRUE(settings.smother_tributes);

    click(child<QRadioButton>(&d, "rb_1"));
    click(child<QRadioButton>(&d, "rb_ks"));
    click(child<QPushButton>(&d, "cb_cancel"));
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(settings.deal_speed, "1");
    EXPECT_DOUBLE_EQ(settings.play_pause, 0.37);
    EXPECT_TRUE(settings.smother_tributes);
    EXPECT_EQ(settings.win_style, 1);
}

TEST(SetupDialog, TheComputersLevelOpensAsSetAndIsWrittenOnApply) {
    Settings settings;
    SetupDialog d(settings);
    d.show();
    EXPECT_EQ(child<QGroupBox>(&d, "gb_level")->title(), "电脑水平");
    auto* classic = child<QRadioButton>(&d, "rb_level_classic");
    auto* strong = child<QRadioButton>(&d, "rb_level_strong");
    EXPECT_EQ(classic->text(), "标准");
    EXPECT_EQ(strong->text(), "高手");
    EXPECT_TRUE(classic->isChecked());  // the start value
    EXPECT_FALSE(strong->isChecked());
    click(strong);
    EXPECT_TRUE(child<QPushButton>(&d, "cb_apply")->isEnabled());
    EXPECT_FALSE(classic->isChecked());     // one or the other
    EXPECT_EQ(settings.computer_level, 0);  // nothing written before apply
    click(child<QPushButton>(&d, "cb_confirm"));
    EXPECT_EQ(settings.computer_level, 1);

    SetupDialog again(settings);
    EXPECT_TRUE(child<QRadioButton>(&again, "rb_level_strong")->isChecked());
    again.show();
    click(child<QRadioButton>(&again, "rb_level_classic"));
    click(child<QPushButton>(&again, "cb_cancel"));
    EXPECT_EQ(settings.computer_level, 1);  // cancelled
}

TEST(SetupDialog, TheLevelChosenFromTheMenuPlaysEveryComputerSeatAndAutoPlay) {
    Settings settings = quick_settings();
    MainWindow w(settings, 4);
    Session& m = w.session();
    when_open<SetupDialog>([](SetupDialog* d) {
        click(child<QRadioButton>(d, "rb_level_strong"));
        click(child<QPushButton>(d, "cb_confirm"));
    });
    qobject_cast<MainMenu*>(w.menuBar())->item("m_游戏规则")->trigger();
    ASSERT_EQ(settings.computer_level, 1);
    w.button("cb_send")->click();
    for (game::Seat seat : game::kAllSeats)
        EXPECT_EQ(m.state().rules.levels[game::array_index(seat)], game::Level::strong) << game::letter_of(seat);
    // The human's turns played by the computer go the strong way too, and the deal runs to its end.
    for (int turns = 0; m.state().deal_running(); ++turns) {
        ASSERT_LT(turns, 2000);
        ASSERT_TRUE(m.autoplay_human());
    }
}

TEST(SetupDialog, ScoresOnlyFromTheMenuMeansTheNextDealSettlesNoTribute) {
    for (const bool scores_only : {false, true}) {
        SCOPED_TRACE(scores_only ? "scores only" : "scores and tributes");
        Settings settings = quick_settings();
        // Seed 4: the first deal, the computer playing the human's turns,
        // leaves the human owed a place tribute by the other side, paid
        // with cards (a payer with nothing to give is owed nothing back).
        MainWindow w(settings, 4);
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

        when_open<SetupDialog>([scores_only](SetupDialog* d) {
            if (scores_only) click(child<QRadioButton>(d, "rb_1"));
            click(child<QPushButton>(d, "cb_confirm"));
        });
        qobject_cast<MainMenu*>(w.menuBar())->item("m_游戏规则")->trigger();
        EXPECT_EQ(settings.win_style, scores_only ? 0 : 1);

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

}  // namespace
}  // namespace tav::ui
