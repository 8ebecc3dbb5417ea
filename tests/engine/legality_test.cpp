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
    // every play and every trick's end; each play is checked as the human's is.
    for (std::uint64_t seed : {2u, 9u, 31u}) {
        State s = new_game(Rules{true, true, true, true});
        std::mt19937_64 rng(seed);
        Events ev;
        Play answered;
        int checked = 0;
        for (int deal = 0; deal < 20; ++deal) {
            ASSERT_TRUE(tav::test::human_acts(s, Decision{Move::shuffle, {}}, ev, rng));
            for (int i = 0; i < 3000 && s.ask != Ask::shuffle; ++i) ASSERT_TRUE(host::computer_decides(s, ev));
            for (const Event& e : ev.list) {
                if (const auto* p = std::get_if<Played>(&e)) {
                    ++checked;
                    EXPECT_TRUE(can_play({p->cards.begin(), p->cards.end()}, answered.empty() ? nullptr : &answered))
                        << "played " << test::words(p->cards) << " on " << test::words(answered);
                    answered = p->cards;
                    answered.sort_by_rank();
                } else if (std::holds_alternative<TrickTaken>(e) || std::holds_alternative<TableReset>(e)) {
                    answered.clear();
                }
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
