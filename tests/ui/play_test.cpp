// Whole deals through the real window: the human shuffles, leads its weakest
// rank by clicking a card on the table and the play button, and passes or
// holds back otherwise, until the game is over.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "model/catalogue.h"
#include "model/invariants.h"
#include "ui/main_window.h"
#include "ui/units.h"
#include "window_support.h"

namespace tav::ui {
namespace {

using game::Ask;
using game::Card;
using game::Seat;

struct WindowPlay : ::testing::Test {
    Settings settings;
    std::unique_ptr<MainWindow> window;
    BoxAnswerer boxes;
    int leads = 0;  // the human's plays made through the window

    void SetUp() override {
        settings.play_pause = 0;
        window = std::make_unique<MainWindow>(settings, 2024);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    Session& m() { return window->session(); }
    const game::Hand& hand() { return m().state().hands[Seat::A]; }
    bool enabled(const char* name) { return window->button(name)->isEnabled(); }
    void press(const char* name) { QTest::mouseClick(window->button(name), Qt::LeftButton); }
    void click(Card c) {
        const SurfaceObject* o = m().surface().find(card_id(c));
        ASSERT_NE(o, nullptr);
        QTest::mouseClick(window->table(), Qt::LeftButton, {}, QPoint(px_x(o->x + 10), px_y(o->y + 10)));
    }
    bool pickable(Card c) {
        if (!settings.threes_rule || game::rank_of(c) != game::kThree) return true;
        return std::all_of(hand().begin(), hand().end(), [](Card x) { return game::rank_of(x) == game::kThree; });
    }

    // Every card in one hand, play or the cleared pile, the picked cards in
    // the human's hand, and every play of one rank.
    ::testing::AssertionResult cards_accounted() {
        for (const std::string& broken : {game::check_cards(m().state()), game::check_plays(m().state())})
            if (!broken.empty()) return ::testing::AssertionFailure() << broken;
        for (Card c : m().picking().picks())
            if (!hand().contains(c)) return ::testing::AssertionFailure() << card_id(c) << " is picked but not held";
        return ::testing::AssertionSuccess();
    }

    // Returns the tribute the human owes, picking its weakest cards.
    void return_tribute() {
        const int owed = m().state().ledger[static_cast<std::size_t>(m().state().settling)].count;
        for (int r = hand().size() - 1; r >= 0 && static_cast<int>(m().picking().picks().size()) < owed; --r)
            if (pickable(hand()[r])) click(hand()[r]);
        press("cb_gog");
    }

    // The human's turn: lead the weakest rank, else pass or hold back.
    void take_turn() {
        if (m().state().ask == Ask::lead) {
            for (int r = hand().size() - 1; r >= 0; --r)
                if (pickable(hand()[r])) {
                    click(hand()[r]);
                    break;
                }
            ASSERT_TRUE(enabled("cb_out")) << "a whole rank is a legal lead";
            press("cb_out");
            ++leads;
        } else if (enabled("cb_over")) {
            press("cb_over");
        } else {
            press("cb_pass");
        }
    }

    void play_deal() {
        const std::size_t first_note = m().view().note_log().size();
        ASSERT_TRUE(enabled("cb_send"));
        press("cb_send");
        for (int guard = 0; m().state().ask == Ask::return_tribute && guard < 20; ++guard) return_tribute();
        for (int actions = 0; m().state().deal_running(); ++actions) {
            ASSERT_LT(actions, 1000);
            ASSERT_TRUE(cards_accounted());
            const Ask ask = m().state().ask;
            ASSERT_TRUE(ask == Ask::lead || ask == Ask::follow || ask == Ask::follow_or_hold)
                << "the deal runs but waits for nothing from the human";
            EXPECT_FALSE(enabled("cb_send"));
            EXPECT_EQ(enabled("cb_pass"), ask == Ask::follow);
            EXPECT_EQ(enabled("cb_over"), ask == Ask::follow_or_hold);
            take_turn();
            if (HasFatalFailure()) return;
        }
        const auto& log = m().view().note_log();
        EXPECT_EQ(std::count(log.begin() + static_cast<long>(first_note), log.end(), "游戏结束"), 1);
        EXPECT_EQ(log.back(), "＞＞＞请先洗牌");
        EXPECT_TRUE(enabled("cb_send"));
        EXPECT_FALSE(enabled("cb_out") || enabled("cb_pass") || enabled("cb_over"));
        int sum = 0;
        for (Seat seat : game::kAllSeats) sum += m().state().scores[seat];
        EXPECT_EQ(sum, 0);
    }
};

TEST_F(WindowPlay, WholeDealsFromShuffleToGameOver) {
    for (int deal = 0; deal < 3; ++deal) {
        SCOPED_TRACE("deal " + std::to_string(deal + 1));
        play_deal();
        if (HasFailure()) return;
    }
    EXPECT_GT(leads, 3);
    for (const std::string& text : boxes.texts)
        EXPECT_EQ(text, "要同帮的进贡吗？") << "only the partner question opens a box";
}

}  // namespace
}  // namespace tav::ui
