// The optional helps, driven in the real window: auto-play
// of whole deals gives the simulator's record for the same deal numbers,
// turned off it leaves the human to go on; the deal number dialog refuses
// what is not a number; a number deals the same hands again; the hint
// button, the counter and the record window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "model/notes.h"
#include "session/card_counter.h"
#include "tests/ui/window_support.h"
#include "tools/sim/simulation.h"
#include "ui/deal_number_dialog.h"
#include "ui/main_menu.h"
#include "ui/main_window.h"
#include "ui/record_window.h"

namespace tav::ui {
namespace {

using game::Ask;
using game::Seat;

// The simulator's note lines of `deals` deals from `number` (a new game from
// that deal when `fresh`, else the seed's game from its first deal), by deal.
std::vector<std::vector<std::string>> simulated(const Settings& rules, std::uint64_t number, int deals, bool fresh) {
    sim::Simulation game(rules, number / 1000, false);
    if (fresh) {
        EXPECT_TRUE(game.start_at(number));
    }
    std::vector<std::vector<std::string>> out;
    game.on_note([&out](std::string_view line) {
        if (line == game::notes::kShuffling) out.emplace_back();
        if (!out.empty()) out.back().emplace_back(line);
    });
    for (int k = 0; k < deals; ++k) EXPECT_TRUE(game.play_deal()) << game.fault();
    return out;
}

struct Aids : ::testing::Test {
    Settings settings = quick_settings();
    std::unique_ptr<MainWindow> window;
    BoxAnswerer boxes;

    void open(std::uint64_t seed) {
        window = std::make_unique<MainWindow>(settings, seed);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    Session& m() { return window->session(); }
    QAction* item(const char* name) {
        return qobject_cast<MainMenu*>(window->menuBar())->item(QString::fromUtf8(name));
    }
    void shuffle() { QTest::mouseClick(window->button("cb_send"), Qt::LeftButton); }
    bool deal_over() { return m().state().ask == Ask::shuffle; }
    std::vector<std::string> record_of(std::size_t deal) {
        std::vector<std::string> lines;
        for (const DealRecord& d : m().helps().record().deals())
            if (d.number != 0 && deal-- == 0)
                for (const game::notes::Entry& e : d.lines) game::notes::write(e, &game::notes::write, lines);
        return lines;
    }
};

// With a pause before plays leave the table too: auto-play goes on by
// itself once each action's showing is over.
TEST_F(Aids, AutoPlayOfWholeDealsGivesTheSimulatorsRecord) {
    for (const double pause : {0.0, 0.002}) {
        SCOPED_TRACE(pause);
        settings.play_pause = pause;
        open(2024);
        QAction* autoplay = item("m_托管");
        ASSERT_NE(autoplay, nullptr);
        EXPECT_FALSE(autoplay->isEnabled()) << "nothing to decide before the shuffle";
        shuffle();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !m().busy(); }, 5000));
        ASSERT_TRUE(autoplay->isEnabled());
        autoplay->trigger();
        EXPECT_TRUE(m().helps().autoplay());
        EXPECT_TRUE(m().surface().find("t_autoplay")->visible) << "the mark while it is on";
        for (int deal = 1; deal <= 3; ++deal) {
            if (deal > 1) shuffle();
            ASSERT_TRUE(QTest::qWaitFor([&] { return deal_over() && !m().busy(); }, 20000));
            EXPECT_TRUE(autoplay->isEnabled()) << "it can always be turned off";
        }
        EXPECT_EQ(boxes.answered(), 0) << "the same-side question is answered without a box";
        const auto expected = simulated(settings, 2024001, 3, false);
        ASSERT_EQ(expected.size(), 3u);
        for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(record_of(k), expected[k]) << "deal " << k + 1;
        autoplay->trigger();
        EXPECT_FALSE(m().helps().autoplay());
        EXPECT_FALSE(m().surface().find("t_autoplay")->visible);
    }
}

TEST_F(Aids, ADealChosenByNumberAndAutoPlayedGivesTheSimulatorsRecord) {
    open(1);
    when_open<DealNumberDialog>([](DealNumberDialog* d) {
        child<QLineEdit>(d, "sle_dealno")->setText("2024005");
        click(child<QPushButton>(d, "cb_confirm"));
    });
    item("m_按编号发牌")->trigger();
    EXPECT_EQ(boxes.answered(), 0) << "no game under way: nothing to ask";
    EXPECT_EQ(m().helps().deal_number(), 2024005u);
    EXPECT_EQ(m().surface().find("t_dealno")->text, "牌局编号 2024005");
    item("m_托管")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return deal_over(); }, 20000));
    const auto expected = simulated(settings, 2024005, 1, true);
    ASSERT_EQ(expected.size(), 1u);
    EXPECT_EQ(record_of(0), expected[0]);
}

TEST_F(Aids, TurnedOffTheHumanTakesOverWhereTheGameStands) {
    open(77);
    shuffle();
    item("m_托管")->trigger();
    QCoreApplication::processEvents();  // one decision by the computer
    item("m_托管")->trigger();
    ASSERT_FALSE(m().helps().autoplay());
    const game::State before = m().state();
    QTest::qWait(50);
    const game::State after = m().state();
    EXPECT_EQ(after.hands[Seat::A], before.hands[Seat::A]) << "no more decisions made for the human";
    EXPECT_EQ(after.ask, before.ask);
    if (!deal_over()) {
        EXPECT_TRUE(m().human_decides());
        EXPECT_TRUE(window->hint_button()->isEnabled());
        EXPECT_TRUE(item("m_托管")->isEnabled());
    }
}

TEST_F(Aids, AutoPlayWaitsWhileADialogIsOpen) {
    open(2024);
    shuffle();
    const game::Hand hand = m().state().hands[Seat::A];
    bool held = false;
    when_open<DealNumberDialog>([&](DealNumberDialog* d) {
        item("m_托管")->trigger();
        QTest::qWait(150);
        held = m().helps().autoplay() && m().state().hands[Seat::A] == hand;
        d->reject();
    });
    item("m_按编号发牌")->trigger();
    EXPECT_TRUE(held) << "no decision made behind the dialog";
    ASSERT_TRUE(QTest::qWaitFor([&] { return deal_over(); }, 20000));  // and on it goes once the dialog is closed
}

TEST_F(Aids, TheDealNumberDialogRefusesWhatIsNotANumber) {
    open(3);
    std::vector<std::string> refusals;
    bool still_open = true;
    when_open<DealNumberDialog>([&](DealNumberDialog* d) {
        auto* edit = child<QLineEdit>(d, "sle_dealno");
        auto* error = child<QLabel>(d, "st_dealno_error");
        for (const char* bad : {"abc", "", "2024000", "0", "12345678901234567890123"}) {
            edit->setText(QString::fromUtf8(bad));
            click(child<QPushButton>(d, "cb_confirm"));
            still_open = still_open && d->isVisible() && !error->isHidden();
            refusals.push_back(error->text().toStdString());
        }
        click(child<QPushButton>(d, "cb_cancel"));
    });
    item("m_按编号发牌")->trigger();
    EXPECT_TRUE(still_open) << "a refused number leaves the dialog open, saying why";
    ASSERT_EQ(refusals.size(), 5u);
    EXPECT_NE(refusals[0].find("数字"), std::string::npos) << refusals[0];
    EXPECT_NE(refusals[2].find("没有这个牌局编号"), std::string::npos) << refusals[2];
    EXPECT_EQ(m().helps().deal_number(), 0u) << "nothing dealt";
    EXPECT_EQ(m().state().ask, Ask::shuffle);
}

TEST_F(Aids, AReplayedNumberDealsTheSameHands) {
    open(55);
    std::vector<std::pair<Seat, game::Card>> dealt;
    m().callbacks.before_event = [&dealt](const game::Event& event) {
        for (const test::Row& e : test::rows(event)) {
            if (e.kind == test::Kind::dealt) dealt.emplace_back(e.seat, e.card);
        }
    };
    shuffle();
    item("m_托管")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return deal_over(); }, 20000));
    item("m_托管")->trigger();
    dealt.clear();
    shuffle();  // the game's second deal, after the first one's tributes
    ASSERT_EQ(m().helps().deal_number(), 55002u);
    const auto second = dealt;
    ASSERT_EQ(second.size(), 216u);
    dealt.clear();
    // The game under way is given up only when the player says yes.
    const game::PerSeat<int> scores = m().state().scores;
    const game::Hand hand = m().state().hands[Seat::A];
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        boxes.yes = yes;
        boxes.texts.clear();
        when_open<DealNumberDialog>([](DealNumberDialog* d) {
            EXPECT_EQ(child<QLineEdit>(d, "sle_dealno")->text(), "55002") << "the deal on the table is offered";
            click(child<QPushButton>(d, "cb_confirm"));
        });
        item("m_按编号发牌")->trigger();
        EXPECT_EQ(boxes.texts, std::vector<std::string>{"正在打的牌局将被放弃。要按这个编号开始新的牌局吗？"});
        if (yes) break;
        EXPECT_TRUE(dealt.empty()) << "nothing dealt";
        EXPECT_EQ(m().state().scores, scores);
        EXPECT_EQ(m().state().hands[Seat::A], hand);
        EXPECT_TRUE(m().state().deal_running());
    }
    m().callbacks.before_event = nullptr;
    EXPECT_EQ(m().helps().deal_number(), 55002u);
    EXPECT_EQ(dealt, second) << "the same cards to the same seats";
    EXPECT_EQ(m().state().scores, game::PerSeat<int>{}) << "a new game";
    // 新游戏 clears the table, without a question: no deal's number stands
    // on it until the next shuffle.
    const std::uint64_t next = m().helps().next_deal_number();
    boxes.texts.clear();
    item("m_新游戏")->trigger();
    EXPECT_EQ(boxes.answered(), 0);
    EXPECT_EQ(m().helps().deal_number(), 0u);
    EXPECT_EQ(m().helps().next_deal_number(), next);
    const SurfaceObject* label = m().surface().find("t_dealno");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text, "");
}

TEST_F(Aids, TheHintButtonRaisesTheComputersChoice) {
    open(2024);
    QPushButton* hint = window->hint_button();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_FALSE(hint->isEnabled()) << "nothing to decide before the shuffle";
    shuffle();
    ASSERT_TRUE(m().human_decides());
    ASSERT_TRUE(hint->isEnabled());
    const std::size_t notes = m().view().note_log().size();
    QTest::mouseClick(hint, Qt::LeftButton);
    const bool raised = !m().picking().picks().empty();
    EXPECT_TRUE(raised || m().view().note_log().size() == notes + 1);
    if (raised) {
        EXPECT_TRUE(window->button("cb_out")->isEnabled()) << "the play button as for a manual pick";
    }
    QTest::keyClick(window.get(), Qt::Key_I);  // the hint's key: the next offer
    EXPECT_FALSE(hint->toolTip().isEmpty());
    settings.show_hint_button = false;
    item("m_显示提示按钮")->trigger();
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(Aids, TheCounterAndTheDealNumberAreShownByChoice) {
    open(2024);
    shuffle();
    const SurfaceObject* label = m().surface().find("t_dealno");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->visible);
    EXPECT_EQ(label->text, "牌局编号 2024001");
    item("m_显示牌局编号")->trigger();
    EXPECT_FALSE(label->visible);
    EXPECT_EQ(m().surface().find("r_counter"), nullptr) << "the counter is hidden at first";
    item("m_记牌器")->trigger();
    ASSERT_NE(m().surface().find("r_counter"), nullptr);
    EXPECT_TRUE(m().surface().find("r_counter")->visible);
    const RankCounts shown = m().helps().counter();
    EXPECT_EQ(shown, unseen_by_human(m().state()));
    EXPECT_EQ(m().surface().find("t_counter_left1")->text, std::to_string(shown[1]));
    item("m_记牌器")->trigger();
    EXPECT_FALSE(m().surface().find("r_counter")->visible);
}

TEST_F(Aids, TheRecordWindowShowsEveryLineAndSavesThemAsUtf8) {
    open(2024);
    shuffle();
    item("m_托管")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return deal_over(); }, 20000));
    item("m_牌局记录")->trigger();
    auto* record = qobject_cast<RecordWindow*>(window->record_window());
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(record->isVisible());
    EXPECT_EQ(record->text().trimmed(), QString::fromStdString(m().helps().record().text()).trimmed());
    EXPECT_TRUE(record->text().contains("第1局　编号 2024001"));
    shuffle();  // the window follows the game
    EXPECT_TRUE(record->text().contains("第2局　编号 2024002"));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("记录.txt");
    EXPECT_EQ(RecordWindow::save_to(m().helps().record(), path), "");
    const std::string bytes = file_text(path);
    EXPECT_EQ(bytes, m().helps().record().text()) << "the record's own UTF-8 bytes";
    EXPECT_TRUE(QString::fromStdString(bytes).contains("瑟柯洗牌开始"));
    const QString nowhere = dir.filePath("no such folder/记录.txt");
    EXPECT_NE(RecordWindow::save_to(m().helps().record(), nowhere), "");
    EXPECT_FALSE(QFile::exists(nowhere));
}

}  // namespace
}  // namespace tav::ui
