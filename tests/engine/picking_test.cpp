// The human's pick: what a click or a right click on a card of the hand
// picks or drops when leading, following or choosing the return.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/catalogue.h"
#include "rules/gate.h"
#include "session/session.h"
#include "tests/engine/game_support.h"
#include "tests/engine/picking_support.h"
#include "tests/engine/session_support.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using game::Seat;
using test::kRaised;
using test::kRest;
using test::Picking;

TEST_F(Picking, ThreesWaitUntilTheyAreAllThatIsLeft) {
    hand("K K Q Q 9 8 7 6 3 3");
    s.picking().click(card(1));
    ASSERT_EQ(raised(), "1 2");
    s.picking().click(card(9));  // nothing at all happens: the kings stay picked
    EXPECT_EQ(raised(), "1 2");
    EXPECT_EQ(s.picking().picks().size(), 2u);
    EXPECT_TRUE(play_enabled());
    s.picking().drop();
    s.picking().click(card(10));
    EXPECT_TRUE(s.picking().picks().empty());

    settings.threes_rule = false;
    s.picking().click(card(9));
    EXPECT_EQ(raised(), "9 10");
    // The rule comes on with the threes picked: the game's gate keeps them.
    settings.threes_rule = true;
    s.play();
    EXPECT_EQ(s.state().hands[Seat::A].size(), 10);
    EXPECT_EQ(raised(), "9 10");

    hand("3 3");
    s.picking().click(card(2));
    EXPECT_EQ(raised(), "1 2");
    EXPECT_TRUE(play_enabled());
}

TEST_F(Picking, LeadingPicksTheWholeRankLatestFirst) {
    hand("K K K Q Q 5");
    EXPECT_FALSE(play_enabled());
    s.picking().click(card(2));
    EXPECT_EQ(raised(), "1 2 3");
    ASSERT_EQ(s.picking().picks().size(), 3u);
    EXPECT_EQ(s.picking().picks().front(), card(3));
    EXPECT_EQ(s.picking().picks().back(), card(1));
    EXPECT_EQ(y(card(4)), kRest);
    EXPECT_TRUE(play_enabled());
}

TEST_F(Picking, FollowingPicksAsManyAsTheStandingPlayFromTheClickedCard) {
    t.hand(Seat::A, "K Q Q Q Q 5");
    standing(Seat::B, "J J");
    s.picking().click(card(3));  // the second queen: second and third
    EXPECT_EQ(raised(), "3 4");
    EXPECT_TRUE(play_enabled());
    s.picking().drop();
    EXPECT_EQ(raised(), "");
    EXPECT_FALSE(play_enabled());
    s.picking().click(card(5));  // the fourth: third and fourth
    EXPECT_EQ(raised(), "4 5");
    s.picking().drop();
    s.picking().click(card(2));
    EXPECT_EQ(raised(), "2 3");

    standing(Seat::B, "K K K");  // three from the third queen would run past the last: the last three
    s.picking().click(card(4));
    EXPECT_EQ(raised(), "3 4 5");
    EXPECT_FALSE(play_enabled());  // queens do not beat kings

    standing(Seat::B, "K K K K");  // no more queens than the play: all of them
    s.picking().click(card(4));
    EXPECT_EQ(raised(), "2 3 4 5");
    EXPECT_FALSE(play_enabled());
}

TEST_F(Picking, TooFewCardsOfARankArePickedButCannotBePlayed) {
    t.hand(Seat::A, "K J J 4");
    standing(Seat::C, "5 5 5 5 5");
    s.picking().click(card(2));
    EXPECT_EQ(raised(), "2 3");
    EXPECT_EQ(s.picking().picks().size(), 2u);
    EXPECT_FALSE(play_enabled());
    // The play button says why, in the gate's words, and forgets it once the pick is dropped.
    const std::string why = game::check(s.state(), Seat::A, game::Decision::play(s.picking().picks())).reason;
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(s.button(ButtonId::play).tag, why);
    s.picking().drop();
    EXPECT_EQ(s.button(ButtonId::play).tag, "请选择一手牌来发牌");
}

TEST_F(Picking, AfterTheQuickPickEachClickTogglesOneCard) {
    hand("K K K Q Q 5");
    s.picking().click(card(1));
    s.picking().click(card(2));  // a picked king goes down
    EXPECT_EQ(raised(), "1 3");
    EXPECT_EQ(s.picking().picks().size(), 2u);
    EXPECT_EQ(std::count(s.picking().picks().begin(), s.picking().picks().end(), card(2)), 0);
    EXPECT_TRUE(play_enabled());
    s.picking().click(card(2));  // and up again, first in the pick
    EXPECT_EQ(raised(), "1 2 3");
    EXPECT_EQ(s.picking().picks().front(), card(2));
    s.picking().click(card(4));  // one queen only
    EXPECT_EQ(raised(), "1 2 3 4");
    EXPECT_EQ(s.picking().picks().size(), 4u);
    EXPECT_FALSE(play_enabled());  // two natural ranks
    s.picking().click(card(4));
    EXPECT_TRUE(play_enabled());
}

TEST_F(Picking, RightClickDropsEveryPickedCardOfThatRank) {
    hand("K K Q 5 5 5");
    s.picking().click(card(5));  // all fives
    s.picking().click(card(1));  // and one king
    EXPECT_EQ(raised(), "1 4 5 6");
    EXPECT_FALSE(play_enabled());
    s.picking().right_click(card(3));  // an unpicked queen: nothing dropped
    EXPECT_EQ(raised(), "1 4 5 6");
    s.picking().right_click(card(4));
    EXPECT_EQ(raised(), "1");
    EXPECT_EQ(test::words(s.picking().picks()), "K");
    EXPECT_TRUE(play_enabled());
    s.picking().right_click(card(2));  // the other king was never picked
    EXPECT_EQ(raised(), "1");
    s.picking().right_click(card(1));
    EXPECT_EQ(raised(), "");
    EXPECT_TRUE(s.picking().picks().empty());
    EXPECT_FALSE(play_enabled());
}

TEST_F(Picking, DroppingThePickLowersEveryCard) {
    settings.threes_rule = false;
    hand("K K 9 9 9 3");
    s.picking().click(card(1));
    s.picking().click(card(3));
    s.picking().click(card(6));
    ASSERT_EQ(raised(), "1 2 3 6");
    s.picking().drop();
    EXPECT_EQ(raised(), "");
    EXPECT_TRUE(s.picking().picks().empty());
    EXPECT_FALSE(play_enabled());
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(y(card(n)), kRest) << n;  // not lowered twice
}

TEST_F(Picking, ChoosingTheReturnPicksCardByCardForTheReturnButton) {
    // Real deals until the human owes a return of two cards.
    Session r{settings, platform, 4};
    ASSERT_NO_FATAL_FAILURE(test::play_until(r, 500, [&r] { return r.state().ask == Ask::return_tribute; }));
    ASSERT_EQ(r.state().ledger[static_cast<std::size_t>(r.state().settling)].count, 2);
    EXPECT_TRUE(r.button(ButtonId::return_cards).visible);
    EXPECT_TRUE(r.button(ButtonId::return_cards).enabled);  // the return counts the cards itself
    const game::Hand& h = r.state().hands[Seat::A];
    // Two cards of one rank, neither a three, so a quick pick would take both.
    int first = 0;
    while (game::rank_of(h[first]) == game::kThree || h.count(game::rank_of(h[first])) < 2) ++first;
    const Card one = h[first], two = h[first + 1];
    auto up = [&r](Card c) { return r.surface().find(card_id(c))->y == kRaised; };

    r.picking().click(one);
    EXPECT_TRUE(up(one));
    EXPECT_FALSE(up(two));
    EXPECT_EQ(r.picking().picks(), std::vector<Card>{one});
    EXPECT_FALSE(r.button(ButtonId::play).enabled);
    EXPECT_TRUE(r.button(ButtonId::return_cards).enabled);
    r.press(ButtonId::return_cards);  // one card of two
    EXPECT_EQ(platform.messages, std::vector<std::string>{"提示信息|请选择2张牌还贡！"});
    EXPECT_EQ(r.state().ask, Ask::return_tribute);
    EXPECT_TRUE(r.state().hands[Seat::A].contains(one));
    r.picking().click(one);
    EXPECT_FALSE(up(one));
    EXPECT_TRUE(r.picking().picks().empty());
    EXPECT_TRUE(r.button(ButtonId::return_cards).enabled);

    r.picking().click(one);
    r.picking().click(two);
    r.press(ButtonId::return_cards);
    EXPECT_TRUE(r.picking().picks().empty());
    EXPECT_FALSE(r.state().hands[Seat::A].contains(one));
    EXPECT_FALSE(r.state().hands[Seat::A].contains(two));
    EXPECT_NE(r.state().ask, Ask::return_tribute);
}

}  // namespace
}  // namespace tav
