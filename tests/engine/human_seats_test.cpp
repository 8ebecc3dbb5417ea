// A human at any seat: the rules that differ for a human seat hold at every
// seat, and a decision the computer makes in a human's place counts as the
// computer's. One decision is carried out at a time (`apply`), so each row
// looks at the state right after it.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "rules/engine.h"
#include "rules/gate.h"
#include "tests/engine/game_support.h"
#include "tests/engine/tribute_support.h"

namespace tav {
namespace {

using game::Ask;
using game::ChallengeAnswer;
using game::Decision;
using game::Move;
using game::PerSeat;
using game::Seat;
using test::Table;

PerSeat<bool> humans(std::initializer_list<Seat> seats) {
    PerSeat<bool> h{};
    for (Seat x : seats) h[x] = true;
    return h;
}

int asked_events(const Table& t, Seat seat) {
    int n = 0;
    for (const game::Event& e : t.ev.list)
        if (const auto* a = std::get_if<game::Asked>(&e)) n += a->seat == seat ? 1 : 0;
    return n;
}

// C lets B's play be: a human's own pass does not count, nor end the trick by
// holding back only when it is the computer's; under a challenge answered in
// turn the human's hold-back ends the trick at once.
TEST(HumanSeats, APassCountsOnlyWhenTheComputerDecides) {
    struct Row {
        const char* what;
        PerSeat<bool> human;
        bool challenge;
        bool by_computer;
        int passes;                // after C's decision
        std::optional<Seat> turn;  // whose turn it is then
        std::optional<Seat> standing;
    };
    const Row rows[] = {
        {"a human's pass", humans({Seat::A, Seat::C}), false, false, 0, Seat::D, Seat::B},
        {"the computer's pass for the human", humans({Seat::A, Seat::C}), false, true, 1, Seat::D, Seat::B},
        {"a computer seat's pass", humans({Seat::A}), false, false, 1, Seat::D, Seat::B},
        {"a human's hold-back ends the trick", humans({Seat::C}), true, false, 0, Seat::B, std::nullopt},
        {"the computer's hold-back for the human", humans({Seat::C}), true, true, 1, Seat::D, Seat::B},
        {"a computer seat's hold-back", humans({Seat::A}), true, false, 1, Seat::D, Seat::B},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Table t;
        t.s.human = r.human;
        for (Seat x : {Seat::A, Seat::C, Seat::D}) t.hand(x, "5 4");
        t.hand(Seat::B, "6").hand(Seat::E, "9").hand(Seat::F, "9").play(Seat::B, r.challenge ? "BJ" : "K");
        if (r.challenge) t.out(Seat::E, 1).out(Seat::F, 2);
        t.trick(Seat::B, Seat::C, r.challenge, r.challenge ? ChallengeAnswer::in_turn : ChallengeAnswer::none);
        t.s.ask = r.challenge ? Ask::follow_or_hold : Ask::follow;
        t.rest_cleared();
        const Decision d{r.challenge ? Move::hold_back : Move::pass, {}, r.by_computer};
        ASSERT_TRUE(game::apply(t.s, Seat::C, d, t.ev));
        EXPECT_EQ(t.s.trick.passes, r.passes);
        EXPECT_EQ(t.s.trick.turn, r.turn);
        EXPECT_EQ(t.s.trick.standing, r.standing);
        EXPECT_EQ(game::current_seat(t.s), r.turn) << "the rules stop at the next seat to decide";
    }
}

// The seat asked is told so only when a human decides there, with its own name.
TEST(HumanSeats, OnlyAHumanSeatIsToldWhatItIsAsked) {
    struct Row {
        Seat leader;
        PerSeat<bool> human;
        const char* line;  // nullptr: no line
    };
    const Row rows[] = {
        {Seat::A, humans({Seat::A}), "钟离云请发牌"},
        {Seat::C, humans({Seat::A, Seat::C}), "石坚请发牌"},
        {Seat::F, humans({Seat::F}), "月琴请发牌"},
        {Seat::C, humans({Seat::A}), nullptr},
    };
    for (const Row& r : rows) {
        Table t;
        t.s.human = r.human;
        for (Seat x : game::kAllSeats) t.hand(x, "5");
        t.rest_cleared();
        game::DealSteps f = t.flow();
        f.schedule(game::DealSteps::Next::end_trick, r.leader);
        f.run();
        EXPECT_EQ(game::current_seat(t.s), r.leader);
        EXPECT_EQ(t.s.ask, Ask::lead);
        EXPECT_EQ(asked_events(t, r.leader), r.line ? 1 : 0);
        EXPECT_EQ(t.notes().empty() ? "" : t.notes().back(), r.line ? r.line : "");
    }
}

// A emptied its hand as the fifth seat out: a human left alone is placed
// last at once; a computer seat left alone plays on.
TEST(HumanSeats, AHumanLeftAloneIsPlacedLastAtOnce) {
    for (const bool d_human : {true, false}) {
        SCOPED_TRACE(d_human ? "D a human" : "D the computer's");
        Table t;
        t.s.human = d_human ? humans({Seat::A, Seat::D}) : humans({Seat::A});
        t.out(Seat::B, 1).out(Seat::C, 2).out(Seat::E, 3).out(Seat::F, 4);
        t.hand(Seat::A, "K").hand(Seat::D, "5 5").rest_cleared().trick(std::nullopt, Seat::A);
        t.s.ask = Ask::lead;
        ASSERT_TRUE(game::apply(t.s, Seat::A, Decision::play({t.s.hands[Seat::A][0]}), t.ev));
        if (d_human) {
            EXPECT_TRUE(t.noted("花月容＞大落"));
            EXPECT_EQ(t.s.ask, Ask::shuffle);  // the deal is over
        } else {
            EXPECT_EQ(t.s.places[Seat::D], 0);
            EXPECT_EQ(game::current_seat(t.s), Seat::D);
            EXPECT_EQ(t.s.ask, Ask::follow);  // it answers A's king
        }
    }
}

// D receives its partner F's tribute: only a human is asked whether to take
// it; its return must be whole and stays unmarked, the computer's may be
// short and is marked traded.
TEST(HumanSeats, AHumanReceiverIsAskedAndReturnsWhole) {
    test::Settlement computer;
    computer.debt(13, Seat::F, "BJ BJ 9", Seat::D, "K 6 4", 2);
    computer.settle();
    EXPECT_EQ(computer.asked(Ask::take_partner_tribute), 0) << "a computer seat takes its partner's tribute";
    EXPECT_EQ(computer.moved_in(Seat::F), "6 4");

    test::Settlement g;
    g.t.s.human = humans({Seat::A, Seat::D});
    g.debt(13, Seat::F, "BJ BJ 9", Seat::D, "K 6 4", 2);
    g.settle();
    EXPECT_EQ(g.t.s.ask, Ask::take_partner_tribute);
    EXPECT_EQ(game::current_seat(g.t.s), Seat::D);
    EXPECT_EQ(game::check(g.t.s, Seat::A, {Move::take_tribute, {}}).reason, "还没轮到这个座位");
    test::Settlement refused = g;
    ASSERT_TRUE(game::apply(refused.t.s, Seat::D, {Move::let_tribute_go, {}}, refused.t.ev));
    EXPECT_TRUE(refused.t.noted("请花月容放弃贡"));

    ASSERT_TRUE(game::apply(g.t.s, Seat::D, {Move::take_tribute, {}}, g.t.ev));
    EXPECT_EQ(g.t.notes().back(), "请花月容还贡");
    const game::Card six = g.card(Seat::D, "6"), four = g.card(Seat::D, "4");
    EXPECT_EQ(game::apply(g.t.s, Seat::D, {Move::return_tribute, {six}}, g.t.ev).reason, "请选择2张牌还贡！");
    test::Settlement by_computer = g;
    ASSERT_TRUE(game::apply(g.t.s, Seat::D, {Move::return_tribute, {six, four}}, g.t.ev));
    EXPECT_EQ(g.moved_in(Seat::F), "");  // a human's return is not marked traded
    ASSERT_TRUE(game::apply(by_computer.t.s, Seat::D, {Move::return_tribute, {six}, true}, by_computer.t.ev));
    EXPECT_EQ(by_computer.moved_in(Seat::F), "6");
    EXPECT_TRUE(by_computer.t.noted("花月容还落贡一个6"));
}

}  // namespace
}  // namespace tav
