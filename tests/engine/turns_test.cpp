// Turns and tricks: stepping round the table, clearing plays, passing, the
// end of a trick, the first leader and the bound on a runaway deal.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "model/notes.h"
#include "tests/engine/game_support.h"
#include "tests/engine/turns_support.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using game::Decision;
using game::Move;
using game::Seat;
using test::Kind;
using test::Turns;

TEST_F(Turns, SeatSteppingSkipsSeatsThatAreOut) {
    t.out(Seat::C, 1).out(Seat::D, 2);
    const game::DealSteps f = t.flow();
    EXPECT_EQ(f.in_play_after(Seat::B), Seat::E);
    EXPECT_EQ(f.in_play_from(Seat::C), Seat::E);
    EXPECT_EQ(f.in_play_from(Seat::B), Seat::B);
    EXPECT_EQ(f.in_play_after(Seat::F), Seat::A);
    t.out(Seat::A, 3);
    EXPECT_EQ(f.in_play_after(Seat::F), Seat::B);
    t.out(Seat::B, 4).out(Seat::E, 5);
    EXPECT_EQ(f.in_play_after(Seat::F), Seat::F);  // the last seat in play follows itself
    t.out(Seat::F, 6);
    EXPECT_EQ(f.in_play_from(Seat::A), std::nullopt);
    EXPECT_EQ(f.in_play_after(Seat::F), std::nullopt);
    EXPECT_EQ(f.in_play_from(std::nullopt), std::nullopt);
    EXPECT_EQ(f.in_play_after(std::nullopt), std::nullopt);
}

TEST_F(Turns, ClearingRunsRoundTheTableAndPausesOnlyForCardsShown) {
    t.play(Seat::F, "9 9").play(Seat::B, "K");
    t.flow().clear_between(Seat::E, Seat::B);  // F, A and B
    EXPECT_TRUE(t.s.plays[Seat::F].empty());
    EXPECT_TRUE(t.s.plays[Seat::B].empty());
    EXPECT_EQ(test::words(t.s.cleared), "9 9 K");
    // One pause for each play that leaves the table: seat A had none.
    const std::vector<test::Row> cleared = events_of(Kind::cleared);
    ASSERT_EQ(cleared.size(), 2u);
    EXPECT_EQ(cleared[0].seat, Seat::F);
    EXPECT_EQ(cleared[1].seat, Seat::B);

    t.play(Seat::C, "Q");
    t.flow().clear_between(Seat::C, Seat::C);  // the same seat clears nothing
    t.flow().clear_between(Seat::D, Seat::B);  // nor does a range that does not reach C
    EXPECT_EQ(test::words(t.s.plays[Seat::C]), "Q");
    t.flow().clear_between(Seat::A, Seat::C);
    EXPECT_TRUE(t.s.plays[Seat::C].empty());
    EXPECT_EQ(events_of(Kind::cleared).size(), 3u);
}

TEST_F(Turns, TrickReturnsToItsPlayerWhenEveryoneElsePasses) {
    t.hand(Seat::A, "7 7 7").hand(Seat::B, "4 4 5 6");
    for (Seat s : {Seat::C, Seat::D, Seat::E, Seat::F}) t.hand(s, "3");
    lead_from(Seat::B);
    // B led its weakest rank; nobody could answer; it is the human's turn.
    EXPECT_EQ(test::words(t.s.plays[Seat::B]), "4 4");
    EXPECT_EQ(t.s.trick.standing, Seat::B);
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    EXPECT_EQ(t.s.trick.passes, 4);
    EXPECT_EQ(t.s.ask, Ask::follow);
    EXPECT_EQ(t.notes().back(), "钟离云请接牌或过牌");
    EXPECT_TRUE((t.ev.list.back() == game::Event{game::Asked{Seat::A, Ask::follow}}));
    EXPECT_FALSE(act(Decision{Move::hold_back, {}}).ok()) << "no challenge stands";

    const std::size_t mark = t.notes().size();
    ASSERT_TRUE(act(Decision::pass()).ok());
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[0], "扣牌");
    EXPECT_EQ(notes[1], "柳烟1个5");
    EXPECT_EQ(test::words(t.s.cleared), "4 4");
    EXPECT_EQ(test::words(t.s.plays[Seat::B]), "5");
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    EXPECT_EQ(t.s.ask, Ask::follow);
}

TEST_F(Turns, AfterTheStandingPlayerWentOutTheNextSeatInPlayLeads) {
    t.hand(Seat::A, "7 7 7").hand(Seat::B, "4 4");
    for (Seat s : {Seat::C, Seat::D, Seat::E, Seat::F}) t.hand(s, "3");
    lead_from(Seat::B);
    EXPECT_EQ(t.s.places[Seat::B], 1);
    EXPECT_TRUE(t.noted("柳    烟＞头科"));
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    const std::size_t mark = t.notes().size();
    ASSERT_TRUE(act(Decision::pass()).ok());
    // C passes a second time, every seat in play has passed: C leads.
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[0], "扣牌");
    EXPECT_EQ(notes[1], "石    坚＞二科");  // the place is written before the play is announced
    EXPECT_EQ(notes[2], "石坚1个3");
    EXPECT_EQ(t.s.places[Seat::C], 2);
}

// `count` copies of one suit's four (hearts 0, spades 1, ...).
std::vector<Card> fours(int suit, int count) {
    std::vector<Card> out;
    for (int n = 1; n <= game::kCards && static_cast<int>(out.size()) < count; ++n) {
        const Card c = static_cast<Card>(n);
        if (game::rank_of(c) == game::kFour && game::suit_of(c) == suit) out.push_back(c);
    }
    return out;
}

TEST_F(Turns, FirstLeaderIsAnnouncedAndFallsBackToTheBestFoursFromA) {
    struct Case {
        int b_hearts, d_spades;
        std::optional<Seat> chosen;  // while the cards arrived, or by the last deal
        Seat leader;
        const char* next_line;
    };
    // A pair of one suit's fours scores 1, three or four copies 2. When no
    // seat was chosen the best fours lead, the first seat from A on a tie.
    const Case cases[] = {{2, 2, std::nullopt, Seat::B, "柳烟2个4"},
                          {2, 3, std::nullopt, Seat::D, "花月容3个4"},
                          {2, 3, Seat::A, Seat::A, "钟离云请发牌"}};
    for (const Case& c : cases) {
        test::Table table;
        for (Card x : fours(0, c.b_hearts)) table.s.hands[Seat::B].push(x);
        for (Card x : fours(1, c.d_spades)) table.s.hands[Seat::D].push(x);
        for (Seat s : game::kAllSeats) table.hand(s, "9");
        table.s.first_leader = c.chosen;
        game::DealSteps f = table.flow();
        f.begin_play();
        table.run_on(f);
        EXPECT_EQ(table.s.first_leader, c.leader);
        const auto notes = table.notes();
        const auto at = std::find(notes.begin(), notes.end(), game::notes::leads_first(c.leader));
        ASSERT_TRUE(at != notes.end() && at + 1 != notes.end()) << c.next_line;
        EXPECT_EQ(at[1], c.next_line);
    }
}

TEST_F(Turns, ARunawayDealIsEndedAtTheBound) {
    // A deal that takes far more turns than its cards allow is going round in
    // a circle: at the bound it ends instead of running on.
    struct Case {
        int steps_before;
        bool c_acts;
    };
    // A count far past the bound (from a state made by hand) ends the deal too, without overflow.
    for (const Case& c : {Case{game::kMaxDealSteps - 1, true}, Case{game::kMaxDealSteps, false},
                          Case{std::numeric_limits<int>::max(), false}}) {
        SCOPED_TRACE(c.steps_before);
        test::Table table;
        table.hand(Seat::B, "K K").play(Seat::B, "5").hand(Seat::C, "A").trick(Seat::B, Seat::C);
        for (Seat s : {Seat::A, Seat::D, Seat::E, Seat::F}) table.hand(s, "3");
        table.s.steps = c.steps_before;
        game::DealSteps f = table.flow();
        f.schedule(game::DealSteps::Next::turn, std::nullopt);
        table.run_on(f);
        bool c_played = false;
        int over = 0;
        for (const test::Row& e : test::rows(table.ev)) {
            c_played = c_played || (e.kind == Kind::played && e.seat == Seat::C);
            over += e.kind == Kind::deal_over ? 1 : 0;
        }
        EXPECT_EQ(c_played, c.c_acts);
        EXPECT_EQ(over, 1);
        // A deal stopped at the bound says so before its end.
        EXPECT_TRUE(table.noted(game::notes::kStoppedAtBound));
        EXPECT_TRUE(table.noted(game::notes::kGameOver));
        EXPECT_EQ(table.notes().back(), game::notes::kShuffleFirst);
        EXPECT_EQ(table.s.ask, Ask::shuffle);
        EXPECT_EQ(table.s.phase, game::Phase::between_deals);
        EXPECT_EQ(table.s.steps, 0) << "the next deal counts from nothing";
    }
}

}  // namespace
}  // namespace tav
