// Every play a computer seat makes is checked as the human's play is: it
// holds one rank besides jokers and 2s and beats the play it answers.
#include <gtest/gtest.h>

#include <random>

#include "ai/classic.h"
#include "rules/engine.h"
#include "rules/play.h"
#include "tests/engine/game_support.h"

namespace tav::game {
namespace {

TEST(Legality, EveryPlayMadeIsOneRankAndBeatsThePlayItAnswers) {
    // Whole games stepped by the computer for every seat. The events tell
    // every play (a seat's cards laid one after another) and every trick's
    // end ("扣牌"); each play is checked as the human's is checked.
    for (std::uint64_t seed : {2u, 9u, 31u}) {
        State s = new_game(Rules{true, true, true, true});
        std::mt19937_64 rng(seed);
        Events ev;
        Play answered, laying;
        int checked = 0;
        auto finish_play = [&] {
            if (laying.empty()) return;
            ++checked;
            EXPECT_TRUE(can_play({laying.begin(), laying.end()}, answered.empty() ? nullptr : &answered))
                << "played " << test::words(laying) << " on " << test::words(answered);
            answered = laying;
            answered.sort_by_rank();
            laying.clear();
        };
        for (int deal = 0; deal < 20; ++deal) {
            ASSERT_TRUE(tav::test::human_acts(s, Decision{Move::shuffle, {}}, ev, rng));
            for (int i = 0; i < 3000 && s.ask != Ask::shuffle; ++i) ASSERT_TRUE(host::computer_decides(s, ev));
            for (const Event& e : ev.list) {
                if (e.kind == EventKind::played) {
                    if (e.number == 0) finish_play();
                    laying.push(e.card);
                    continue;
                }
                finish_play();
                if ((e.kind == EventKind::note && e.text == "扣牌") || e.kind == EventKind::table_reset)
                    answered.clear();
            }
            ev.clear();
        }
        EXPECT_GT(checked, 1000);
    }
}

TEST(Legality, AComputerSeatNeverAnswersAPlayHoldingTwosWithTwos) {
    // The classic level would meet "2 K" with its two 2s (kings and above
    // may be met with 2s), which does not beat the 2: the seat passes.
    test::Table t;
    t.hand(Seat::C, "2 2 9 9 5").play(Seat::B, "2 K").rest_cleared();
    t.trick(Seat::B, Seat::C);
    const std::optional<std::vector<Card>> raw = classic::follow(SeatView(t.s, Seat::C));
    ASSERT_TRUE(raw);
    EXPECT_EQ(test::words(*raw), "2 2");
    t.computer_turn();
    EXPECT_EQ(t.s.hands[Seat::C].size(), 5);
    EXPECT_EQ(t.s.trick.standing, Seat::B);
    EXPECT_EQ(t.s.trick.passes, 1);
}

}  // namespace
}  // namespace tav::game
