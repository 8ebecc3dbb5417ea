// The pick against the table as drawn: which card a click at a point finds,
// what the mouse cannot reach, random clicks that must not break the pick,
// and a new card back redrawn over a position.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "model/catalogue.h"
#include "session/session.h"
#include "tests/engine/game_support.h"
#include "tests/engine/picking_support.h"
#include "view/layout.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using game::Seat;
using test::event;
using test::Kind;
using test::kRaised;
using test::kRest;
using test::Picking;

TEST_F(Picking, OnlyTheHumansOwnCardsInItsRowAnswerTheMouse) {
    t.hand(Seat::A, "K K Q 6 6").hand(Seat::B, "A A").play(Seat::D, "J J");
    arrange();  // the jacks lie on the table but the human leads
    const Card facedown = s.state().hands[Seat::B][0], on_table = s.state().plays[Seat::D][0],
               stray = s.state().plays[Seat::D][1], gone = card(4);
    // The view lays a card in the human's row that is not in the hand, and
    // shows one of the hand away from the row.
    std::vector<Card> row(s.state().hands[Seat::A].begin(), s.state().hands[Seat::A].end());
    row.push_back(stray);
    s.view().show(event(Kind::laid_out, Seat::A, 0, 0, row));
    s.view().show(event(Kind::handed, Seat::A, gone, 1));
    s.picking().click(card(1));
    ASSERT_EQ(raised(), "1 2");

    // None of them picks or drops anything.
    for (Card other : {facedown, on_table, stray, gone}) {
        s.picking().click(other);
        s.picking().right_click(other);
        EXPECT_EQ(raised(), "1 2");
        EXPECT_EQ(s.picking().picks().size(), 2u);
        EXPECT_TRUE(play_enabled());
    }
    EXPECT_EQ(y(on_table), layout::play_spot(Seat::D).y);
    EXPECT_EQ(y(stray), kRest);
    EXPECT_EQ(y(gone), layout::handing_spot(Seat::A).y);

    // The note, a name, the table top, a logo, the pack, outside the table,
    // no card at all: nothing happens.
    const std::pair<int, int> points[] = {{2920, 640}, {1240, 1460}, {400, 1500}, {3000, 60}, {490 + 7 * 3 + 5, 840},
                                          {-5, -5},    {9000, 9000}};
    for (const auto& [px, py] : points) {
        EXPECT_EQ(s.view().card_at(px, py), 0) << px << "," << py;
        s.picking().click_at(px, py);
        s.picking().right_click_at(px, py);
    }
    for (Card none : {Card{0}, Card{217}}) {
        s.picking().click(none);
        s.picking().right_click(none);
    }
    EXPECT_EQ(raised(), "1 2");
    EXPECT_EQ(s.picking().picks().size(), 2u);
    EXPECT_TRUE(play_enabled());
}

TEST_F(Picking, ClicksAtAPointFindTheFrontCard) {
    hand("A K Q J 10");
    s.picking().click_at(70 * 3 - 32 + 10, kRest + 10);  // the strip of the third card
    EXPECT_EQ(raised(), "3");
    s.picking().click_at(70 * 3 - 32 + 10, kRaised + 5);  // the raised card's top edge: down again
    EXPECT_EQ(raised(), "");
    s.picking().click_at(70 * 2 - 32 + 69, kRest + 10);  // the last unit of the second card's strip
    EXPECT_EQ(raised(), "2");
    s.picking().click_at(70 * 5 - 32 + 300, kRest + 300);  // far right of the last card
    EXPECT_EQ(raised(), "2 5");
    s.picking().right_click_at(70 * 5 - 32 + 300, kRest + 300);
    EXPECT_EQ(raised(), "2");
    s.picking().click_at(1000, 1100);  // the table top
    s.picking().right_click_at(1000, 1100);
    EXPECT_EQ(raised(), "2");
}

// Whatever the human clicks, a pick is a set of cards of the own hand, each
// picked once and standing exactly 42 units up, and clicks change no hand.
TEST_F(Picking, NoClickSequenceBreaksThePick) {
    std::mt19937 g(7);
    std::vector<Card> deck;
    for (int n = 1; n <= game::kCards; ++n) deck.push_back(static_cast<Card>(n));
    std::shuffle(deck.begin(), deck.end(), g);
    t = test::Table{};
    for (std::size_t i = 0; i < 30; ++i) t.s.hands[Seat::A].push(deck[i]);
    t.s.hands[Seat::A].sort_by_rank();
    for (std::size_t i = 30; i < 40; ++i) t.s.hands[Seat::B].push(deck[i]);
    for (std::size_t i = 40; i < 43; ++i) t.s.plays[Seat::C].push(deck[i]);
    arrange();
    const game::State before = live();

    std::vector<Card> targets{0};
    for (std::size_t i = 0; i < 43; ++i) targets.push_back(deck[i]);
    for (int step = 0; step < 4000; ++step) {
        const Card c = targets[g() % targets.size()];
        switch (g() % 10) {
            case 0: s.picking().right_click(c); break;
            case 1:
                if (g() % 2)
                    live().trick.standing = Seat::C;
                else
                    live().trick.standing.reset();
                break;
            case 2: live().ask = live().ask == Ask::return_tribute ? Ask::follow : Ask::return_tribute; break;
            case 3: settings.threes_rule = !settings.threes_rule; break;
            case 4:
                if (g() % 8 == 0) s.picking().drop();
                break;
            case 5:
                s.picking().click_at(70 * static_cast<int>(g() % 32) + 10, kRaised + static_cast<int>(g() % 100));
                break;
            default: s.picking().click(c); break;
        }
        std::set<Card> picked;
        for (Card p : s.picking().picks()) {
            ASSERT_TRUE(s.state().hands[Seat::A].contains(p)) << "step " << step;
            ASSERT_TRUE(picked.insert(p).second) << "picked twice at step " << step;
        }
        for (Card h : s.state().hands[Seat::A]) ASSERT_EQ(y(h), picked.count(h) ? kRaised : kRest) << "step " << step;
        if (step % 500 == 0) {
            // The quick pick must have had a chance.
            live().ask = Ask::lead;
            live().trick.standing.reset();
        }
    }
    for (Seat seat : game::kAllSeats) {
        EXPECT_EQ(s.state().hands[seat], before.hands[seat]);
        EXPECT_EQ(s.state().plays[seat], before.plays[seat]);
    }
}

TEST_F(Picking, NewBackReachesThePackAndTheComputerHandsOnly) {
    t.hand(Seat::A, "K Q").hand(Seat::B, "A").hand(Seat::F, "5 6").play(Seat::D, "J");
    arrange();
    const Card hidden = 216;  // a three: in no pile here
    settings.card_back = "cards\\bgcard2.bmp";
    const std::uint64_t drawn = s.surface().notifications();
    s.view().show_card_back(s.state());
    EXPECT_EQ(s.surface().notifications(), drawn + 1);  // one drawing for the whole table
    for (int n = 1; n <= kCardCount; ++n)
        EXPECT_EQ(s.surface().find("p_t" + std::to_string(n))->filename, "cards\\bgcard2.bmp");
    for (Seat seat : {Seat::B, Seat::F})
        for (Card c : s.state().hands[seat]) EXPECT_EQ(s.surface().find(card_id(c))->filename, "cards\\bgcard2.bmp");
    for (Card c : s.state().hands[Seat::A]) EXPECT_EQ(s.surface().find(card_id(c))->filename, card_info(c).bmp);
    const Card jack = s.state().plays[Seat::D][0];
    EXPECT_EQ(s.surface().find(card_id(jack))->filename, card_info(jack).bmp);
    EXPECT_EQ(s.surface().find(card_id(hidden))->filename, "cards\\bgcard4.bmp");
}

}  // namespace
}  // namespace tav
