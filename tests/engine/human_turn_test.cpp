// The human's turn in a trick: its lead, play, pass and hold-back, and what
// the computer seats do after it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

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

TEST_F(Turns, HumanLeadsAndThePlayLiesInTheOrderPicked) {
    t.hand(Seat::A, "5 5 9");
    for (Seat s : {Seat::B, Seat::C, Seat::D, Seat::E, Seat::F}) t.hand(s, "3");
    lead_from(Seat::A);
    EXPECT_EQ(t.notes().back(), "钟离云请发牌");
    EXPECT_EQ(t.s.ask, Ask::lead);

    EXPECT_FALSE(act(Decision::play({})).ok()) << "nothing picked";
    EXPECT_FALSE(act(Decision::pass()).ok()) << "a lead may not be passed";
    EXPECT_FALSE(act(Decision{Move::hold_back, {}}).ok());
    EXPECT_FALSE(act(Decision::play({human_cards("5")[0], human_cards("9")[0]})).ok()) << "two ranks";
    EXPECT_EQ(t.s.hands[Seat::A].size(), 3);
    EXPECT_EQ(t.s.ask, Ask::lead);

    const std::vector<Card> fives = human_cards("5");
    ASSERT_EQ(fives.size(), 2u);
    const std::size_t mark = t.notes().size(), first_event = t.ev.list.size();
    ASSERT_TRUE(act(Decision::play({fives[1], fives[0]})).ok());
    EXPECT_EQ(test::words(t.s.hands[Seat::A]), "9");
    // The cards lie face up by seat A, in the order picked.
    std::vector<std::tuple<Seat, Card, int>> laid;
    for (const test::Row& e : test::rows(t.ev, first_event))
        if (e.kind == Kind::played) laid.emplace_back(e.seat, e.card, e.number);
    EXPECT_EQ(laid, (std::vector<std::tuple<Seat, Card, int>>{{Seat::A, fives[1], 0}, {Seat::A, fives[0], 1}}));
    // Nobody answers; the trick comes back and the human leads again.
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[0], "钟离云2个5");
    EXPECT_EQ(notes[notes.size() - 2], "扣牌");
    EXPECT_EQ(notes.back(), "钟离云请发牌");
    EXPECT_EQ(events_of(Kind::cleared).back().seat, Seat::A);
    EXPECT_EQ(test::words(t.s.cleared), "5 5");
    EXPECT_EQ(t.s.trick.standing, std::nullopt);
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    EXPECT_EQ(t.s.ask, Ask::lead);
}

TEST_F(Turns, HumanChallengeGoesToTheOppositeSeatAlone) {
    t.hand(Seat::A, "A A 9 9");
    for (Seat s : {Seat::B, Seat::C, Seat::D, Seat::E, Seat::F}) t.hand(s, "3");
    lead_from(Seat::A);
    const std::size_t mark = t.notes().size();
    ASSERT_TRUE(act(Decision::play(human_cards("A"))).ok());
    const auto notes = notes_from(mark);
    // D declines; the challenger opens points and leads again. B and C never act.
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0], "钟离云2个A，瑟柯牌");
    EXPECT_EQ(notes[1], "钟离云开点");
    EXPECT_EQ(notes[2], "扣牌");
    EXPECT_EQ(notes[3], "钟离云请发牌");
    EXPECT_TRUE(t.s.open_point[Seat::A]);
    EXPECT_EQ(t.s.trick.answer, game::ChallengeAnswer::opposite_only);
}

TEST_F(Turns, HumanFacingAChallengeMayHoldBack) {
    t.hand(Seat::A, "5 5 9").hand(Seat::D, "2 K K K K");
    for (Seat s : {Seat::B, Seat::C, Seat::E, Seat::F}) t.hand(s, "3");
    lead_from(Seat::D);
    EXPECT_EQ(test::words(t.s.plays[Seat::D]), "K K K K");
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    EXPECT_TRUE(t.s.trick.challenge);
    EXPECT_EQ(t.s.ask, Ask::follow_or_hold);
    EXPECT_EQ(t.notes().back(), "钟离云请接牌或扣牌");
    EXPECT_FALSE(act(Decision::pass()).ok()) << "a pass is not offered";
    EXPECT_EQ(t.s.ask, Ask::follow_or_hold);

    const std::size_t mark = t.notes().size();
    ASSERT_TRUE(act(Decision{Move::hold_back, {}}).ok());
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 4u);
    EXPECT_EQ(notes[0], "花月容开点");
    EXPECT_EQ(notes[1], "扣牌");
    EXPECT_EQ(notes[2], "花月容＞头科");
    EXPECT_EQ(notes[3], "花月容1钱，瑟柯牌");
    // D's single 2 went out with its last card and is aimed at the human again.
    EXPECT_EQ(t.s.places[Seat::D], 1);
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    EXPECT_EQ(t.s.ask, Ask::follow_or_hold);
    // A second hold-back against the same seat opens no points again.
    const std::size_t again = t.notes().size();
    ASSERT_TRUE(act(Decision{Move::hold_back, {}}).ok());
    const auto later = notes_from(again);
    EXPECT_EQ(std::count(later.begin(), later.end(), "花月容开点"), 0);
}

TEST_F(Turns, AChallengeReachingTheHumanFromAnotherSeatStillOffersHoldBack) {
    // A challenge aimed at one seat alone reaching the human from a seat other
    // than D would leave the human no answer at all; the hold-back is offered.
    t.hand(Seat::A, "5 5").hand(Seat::B, "9").play(Seat::B, "A A");
    for (Seat s : {Seat::C, Seat::D, Seat::E, Seat::F}) t.hand(s, "3");
    t.trick(Seat::B, Seat::A, true, game::ChallengeAnswer::opposite_only);
    take_next_turn();
    EXPECT_EQ(t.s.ask, Ask::follow_or_hold);
    EXPECT_FALSE(act(Decision::pass()).ok());
    ASSERT_TRUE(act(Decision{Move::hold_back, {}}).ok());
    EXPECT_TRUE(t.s.open_point[Seat::B]);
    EXPECT_EQ(test::words(t.s.plays[Seat::B]), "9");  // B took the trick and led again
}

TEST_F(Turns, HumanPassWithNobodyElseInPlayHandsTheLeadBack) {
    t.hand(Seat::A, "5").play(Seat::B, "K");
    t.out(Seat::C, 1).out(Seat::D, 2).out(Seat::E, 3).out(Seat::F, 4).out(Seat::B, 5);
    t.trick(Seat::B, Seat::A);
    t.s.ask = Ask::follow;
    ASSERT_TRUE(act(Decision::pass()).ok());
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    EXPECT_EQ(t.s.trick.standing, std::nullopt);
    EXPECT_EQ(t.s.ask, Ask::lead);
    EXPECT_EQ(t.notes().back(), "钟离云请发牌");
}

TEST_F(Turns, APlayOfASeatThatIsOutIsTakenOnceEverySeatInPlayPassed) {
    // B went out with its kings; only F and the human are left. F passes, the
    // human passes (not counted), F passes again: that is every seat in play,
    // and F leads. The human is not asked about B's play a second time.
    t.hand(Seat::A, "5").hand(Seat::F, "4 3").play(Seat::B, "K");
    t.out(Seat::C, 1).out(Seat::D, 2).out(Seat::E, 3).out(Seat::B, 4);
    t.trick(Seat::B, Seat::F);
    take_next_turn();
    ASSERT_EQ(t.s.ask, Ask::follow);
    EXPECT_EQ(t.s.trick.passes, 1);
    const std::size_t mark = t.notes().size();
    ASSERT_TRUE(act(Decision::pass()).ok());
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 2u);
    EXPECT_EQ(notes[0], "扣牌");
    EXPECT_EQ(notes[1], "月琴1个4");  // threes are kept back
    EXPECT_EQ(t.s.trick.standing, Seat::F);
    EXPECT_EQ(t.s.ask, Ask::follow);
}

}  // namespace
}  // namespace tav
