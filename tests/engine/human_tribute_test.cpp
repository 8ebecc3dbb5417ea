// The human's side of the tribute: a partner's tribute taken or let go, the
// human's return counted and refused, and the computer's return in the
// human's place as the simulator makes it.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "model/invariants.h"
#include "model/notes.h"
#include "rules/engine.h"
#include "tests/engine/game_support.h"
#include "tests/engine/tribute_support.h"

namespace tav {
namespace {

using game::Ask;
using game::Decision;
using game::Move;
using game::Phase;
using game::Seat;
using test::Kind;
using enum game::Seat;
using test::Settlement;

TEST(Tribute, TributeFromTheOwnSideMayBeRefused) {
    Settlement g;
    g.debt(13, Seat::C, "BJ SJ 7", Seat::A, "9 8 4", 2);
    g.settle();
    ASSERT_EQ(g.t.s.ask, Ask::take_partner_tribute);
    EXPECT_EQ(g.asked(Ask::take_partner_tribute), 1);
    EXPECT_TRUE(g.t.noted("石坚进落贡一大户，一小户"));
    EXPECT_FALSE(g.return_tribute({g.card(Seat::A, "9")}).ok());  // the question comes first
    EXPECT_TRUE(g.answer({Move::let_tribute_go, {}}).ok());
    EXPECT_TRUE(g.t.noted(game::notes::kHumanRefuses));
    EXPECT_EQ(g.held(Seat::C), "BJ SJ 7");
    EXPECT_EQ(g.held(Seat::A), "9 8 4");
    EXPECT_EQ(g.moved_in(Seat::C), "");
    EXPECT_EQ(g.asked(Ask::return_tribute), 0);
    EXPECT_EQ(g.t.s.ask, Ask::lead);
    EXPECT_TRUE(g.started());
    EXPECT_TRUE(g.ledger_empty());
    EXPECT_EQ(game::check_cards(g.t.s), "");
}

TEST(Tribute, TributeFromTheOwnSideTakenWaitsForTheReturn) {
    // Taken by the human, or by the computer in the human's place: the same.
    for (const bool by_computer : {false, true}) {
        SCOPED_TRACE(by_computer ? "the computer answers" : "the human answers");
        Settlement g;
        g.debt(13, Seat::E, "BJ SJ 7", Seat::A, "9 8 6 4", 2);
        g.settle();
        EXPECT_EQ(g.asked(Ask::take_partner_tribute), 1);
        const std::optional<Decision> hint = host::computer_choice(g.t.s);
        ASSERT_TRUE(hint);
        EXPECT_EQ(hint->move, Move::take_tribute);
        ASSERT_TRUE(by_computer ? host::computer_decides(g.t.s, g.t.ev).ok() : g.answer({Move::take_tribute, {}}).ok());
        EXPECT_EQ(g.asked(Ask::take_partner_tribute), 1);
        EXPECT_EQ(g.moved_in(Seat::A), "BJ SJ");
        EXPECT_EQ(g.t.s.ask, Ask::return_tribute);
        EXPECT_EQ(g.t.notes().back(), game::notes::kHumanReturns);
        EXPECT_EQ(g.t.s.settling, 13);
        EXPECT_FALSE(g.started());
        if (!by_computer) continue;
        // The computer's return in the human's place is its own seats' return.
        const std::optional<Decision> back = host::computer_choice(g.t.s);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->move, Move::return_tribute);
        ASSERT_TRUE(host::computer_decides(g.t.s, g.t.ev).ok());
        EXPECT_EQ(g.moved_in(Seat::E), "6 4");  // marked, as a computer seat's return is
        EXPECT_EQ(g.held(Seat::A), "BJ SJ 9 8");
        EXPECT_TRUE(g.started());
    }
}

TEST(Tribute, TheOtherSideIsNotAsked) {
    Settlement g;
    g.debt(13, Seat::A, "2 9 8 4", Seat::C, "5 5 5", 1);  // the human pays its own side: no question
    g.debt(14, Seat::D, "BJ 7", Seat::A, "", 1);
    g.settle();
    EXPECT_EQ(g.asked(Ask::take_partner_tribute), 0);
    EXPECT_TRUE(g.t.noted("钟离云进落贡一钱"));
    EXPECT_TRUE(g.t.noted("石坚还落贡一个5"));
    EXPECT_EQ(g.t.s.settling, 14);
    EXPECT_EQ(g.t.s.ask, Ask::return_tribute);
}

// D pays the human two big jokers: the tribute is shown, the human is asked
// for two cards back, and a wrong answer is refused and changes nothing. The
// return is then the human's pick, shown and handed back unmarked, or the
// computer's in the human's place (as the simulator makes it), the lone 6
// first, marked as a computer seat's return is.
TEST(Tribute, TheHumansReturnIsCountedThenTaken) {
    struct Row {
        const char* what;
        bool by_computer;
        const char* line;
        const char* shown;
        const char* marked;  // D's cards received in the return
    };
    const Row rows[] = {
        {"the human's pick", false, "钟离云还落贡一个4，一个6", "4#1 6#2", ""},
        {"the computer in the human's place", true, "钟离云还落贡一个6，一个4", "6#1 4#2", "6 4"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Settlement g;
        g.debt(13, Seat::D, "BJ BJ 9", Seat::A, "K 6 4 4", 2);
        g.settle();
        EXPECT_EQ(g.shown_by(Seat::D), "BJ#1 BJ#2");
        EXPECT_EQ(g.t.s.ask, Ask::return_tribute);
        EXPECT_EQ(g.t.notes().back(), game::notes::kHumanReturns);

        const game::Card six = g.card(Seat::A, "6"), four = g.card(Seat::A, "4"), nine = g.card(Seat::D, "9");
        EXPECT_EQ(g.return_tribute({six}).reason, "请选择2张牌还贡！");
        EXPECT_EQ(g.return_tribute({six, nine}).reason, "这张牌不在手中");
        EXPECT_FALSE(g.answer(Decision::play({six})).ok());
        EXPECT_FALSE(g.answer({Move::take_tribute, {}}).ok());
        EXPECT_EQ(g.t.s.ask, Ask::return_tribute);
        EXPECT_EQ(g.t.s.settling, 13);
        EXPECT_EQ(g.held(Seat::A), "BJ BJ K 6 4 4");
        EXPECT_EQ(g.held(Seat::D), "9");
        EXPECT_EQ(game::check_cards(g.t.s), "");

        const std::size_t from = g.t.ev.list.size();
        ASSERT_TRUE(r.by_computer ? host::computer_decides(g.t.s, g.t.ev).ok() : g.return_tribute({four, six}).ok());
        EXPECT_TRUE(g.t.noted(r.line));
        EXPECT_EQ(g.shown_by(Seat::A), r.shown);
        EXPECT_EQ(g.held(Seat::A), "BJ BJ K 4");
        EXPECT_EQ(g.held(Seat::D), "9 6 4");
        EXPECT_EQ(g.moved_in(Seat::D), r.marked);
        // Both hands are laid out again, the return now in D's row.
        EXPECT_EQ(g.laid_out_since(from), (std::vector<Seat>{Seat::D, Seat::A}));
        const game::Hand& d = g.t.s.hands[Seat::D];
        const std::vector<game::Card> row = g.last_row(Seat::D);
        EXPECT_TRUE(std::is_permutation(row.begin(), row.end(), d.begin(), d.end()));
        EXPECT_EQ(g.t.notes().back(), game::notes::kHumanLeads);  // play has begun, the human leads
        EXPECT_EQ(g.t.s.ask, Ask::lead);
        EXPECT_TRUE(g.started());
        EXPECT_TRUE(g.ledger_empty());
        EXPECT_EQ(game::check_cards(g.t.s), "");
    }
}

// The simulator's stand-in for the human asks for nothing when nothing is asked of the human.
TEST(HumanAutoReturn, NothingIsDoneWhenNothingIsAsked) {
    game::State s = game::new_game({});
    game::Events ev;
    EXPECT_FALSE(host::computer_decides(s, ev).ok());  // the shuffle is the human's
    EXPECT_FALSE(host::computer_choice(s).has_value());
    test::Table t;
    t.hand(B, "K").trick(std::nullopt, B).rest_cleared();
    EXPECT_FALSE(host::computer_decides(t.s, t.ev).ok());  // a computer seat is to act
    EXPECT_TRUE(t.ev.list.empty());
    EXPECT_EQ(test::words(t.s.hands[B]), "K");
    EXPECT_EQ(t.s.ask, Ask::nothing);
}

}  // namespace
}  // namespace tav
