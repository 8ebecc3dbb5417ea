#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "model/catalogue.h"
#include "table/layout.h"
#include "table/session.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using game::Event;
using game::EventKind;
using game::Seat;

constexpr int kRest = 1696, kRaised = 1654;

Event event(EventKind kind, Seat seat = Seat::A, Card card = 0, int number = 0, std::vector<Card> cards = {}) {
    Event e;
    e.kind = kind;
    e.seat = seat;
    e.card = card;
    e.number = number;
    e.cards = std::move(cards);
    return e;
}

// The human's picking at a table in the middle of a deal. The session is
// taken to the human's first turn of a real deal (so its buttons show a turn),
// then the position under test is put in its place and drawn afresh.
struct Picking : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;
    Session s{settings, platform, 1};
    test::Table t;

    Picking() {
        settings.gc_show = 0;
        s.shuffle();
    }
    void SetUp() override {
        const Ask a = s.state().ask;
        ASSERT_TRUE(a == Ask::lead || a == Ask::follow || a == Ask::follow_or_hold);
    }

    // The session has no way to load a position, so the tests write it into
    // the session's state; nothing else in the session caches the state.
    game::State& live() { return const_cast<game::State&>(s.state()); }

    // Puts `t`'s position on the table: the human leads, or follows the
    // standing play.
    void arrange() {
        s.drop_picks();
        game::State next = t.s;
        next.rules = live().rules;
        next.ask = next.trick.standing ? Ask::follow : Ask::lead;
        next.trick.turn = Seat::A;
        live() = next;
        TableView& v = s.view();
        v.show(event(EventKind::table_reset));
        int dealt = 0;
        for (Seat seat : game::kAllSeats) {
            for (Card c : next.hands[seat]) v.show(event(EventKind::dealt, seat, c, ++dealt));
            for (Card c : next.plays[seat]) v.show(event(EventKind::dealt, seat, c, ++dealt));
        }
        for (Seat seat : game::kAllSeats) {
            const game::Hand& h = next.hands[seat];
            v.show(event(EventKind::laid_out, seat, 0, 0, {h.begin(), h.end()}));
            int n = 0;
            for (Card c : next.plays[seat]) v.show(event(EventKind::played, seat, c, n++));
        }
    }
    void hand(const std::string& words) {
        t = test::Table{};
        t.hand(Seat::A, words);
        arrange();
    }
    // A new play standing for `seat`; the human is to answer it.
    void standing(Seat seat, const std::string& words) {
        t.s.plays[seat].clear();
        t.play(seat, words).trick(seat, Seat::A);
        arrange();
    }

    Card card(int n) { return s.state().hands[Seat::A][n - 1]; }
    int y(Card c) { return s.surface().find(card_id(c))->y; }
    bool play_enabled() { return s.button(ButtonId::play).enabled; }
    // Cards of the hand standing raised, by their place in the hand ("2 3").
    std::string raised() {
        std::string out;
        for (int n = 1; n <= s.state().hands[Seat::A].size(); ++n)
            if (y(card(n)) == kRaised) out += (out.empty() ? "" : " ") + std::to_string(n);
        return out;
    }
};

TEST_F(Picking, ThreesWaitUntilTheyAreAllThatIsLeft) {
    hand("K K Q Q 9 8 7 6 3 3");
    s.click(card(1));
    ASSERT_EQ(raised(), "1 2");
    s.click(card(9));  // nothing at all happens: the kings stay picked
    EXPECT_EQ(raised(), "1 2");
    EXPECT_EQ(s.picks().size(), 2u);
    EXPECT_TRUE(play_enabled());
    s.drop_picks();
    s.click(card(10));
    EXPECT_TRUE(s.picks().empty());

    settings.gb_b3 = false;
    s.click(card(9));
    EXPECT_EQ(raised(), "9 10");

    settings.gb_b3 = true;
    hand("3 3");
    s.click(card(2));
    EXPECT_EQ(raised(), "1 2");
    EXPECT_TRUE(play_enabled());
}

TEST_F(Picking, LeadingPicksTheWholeRankLatestFirst) {
    hand("K K K Q Q 5");
    EXPECT_FALSE(play_enabled());
    s.click(card(2));
    EXPECT_EQ(raised(), "1 2 3");
    ASSERT_EQ(s.picks().size(), 3u);
    EXPECT_EQ(s.picks().front(), card(3));
    EXPECT_EQ(s.picks().back(), card(1));
    EXPECT_EQ(y(card(4)), kRest);
    EXPECT_TRUE(play_enabled());
}

TEST_F(Picking, FollowingPicksAsManyAsTheStandingPlayFromTheClickedCard) {
    t.hand(Seat::A, "K Q Q Q Q 5");
    standing(Seat::B, "J J");
    s.click(card(3));  // the second queen: second and third
    EXPECT_EQ(raised(), "3 4");
    EXPECT_TRUE(play_enabled());
    s.drop_picks();
    EXPECT_EQ(raised(), "");
    EXPECT_FALSE(play_enabled());
    s.click(card(5));  // the fourth: third and fourth
    EXPECT_EQ(raised(), "4 5");
    s.drop_picks();
    s.click(card(2));
    EXPECT_EQ(raised(), "2 3");

    standing(Seat::B, "K K K");  // three from the third queen would run past the last: the last three
    s.click(card(4));
    EXPECT_EQ(raised(), "3 4 5");
    EXPECT_FALSE(play_enabled());  // queens do not beat kings

    standing(Seat::B, "K K K K");  // no more queens than the play: all of them
    s.click(card(4));
    EXPECT_EQ(raised(), "2 3 4 5");
    EXPECT_FALSE(play_enabled());
}

TEST_F(Picking, TooFewCardsOfARankArePickedButCannotBePlayed) {
    t.hand(Seat::A, "K J J 4");
    standing(Seat::C, "5 5 5 5 5");
    s.click(card(2));
    EXPECT_EQ(raised(), "2 3");
    EXPECT_EQ(s.picks().size(), 2u);
    EXPECT_FALSE(play_enabled());
}

TEST_F(Picking, AfterTheQuickPickEachClickTogglesOneCard) {
    hand("K K K Q Q 5");
    s.click(card(1));
    s.click(card(2));  // a picked king goes down
    EXPECT_EQ(raised(), "1 3");
    EXPECT_EQ(s.picks().size(), 2u);
    EXPECT_EQ(std::count(s.picks().begin(), s.picks().end(), card(2)), 0);
    EXPECT_TRUE(play_enabled());
    s.click(card(2));  // and up again, first in the pick
    EXPECT_EQ(raised(), "1 2 3");
    EXPECT_EQ(s.picks().front(), card(2));
    s.click(card(4));  // one queen only
    EXPECT_EQ(raised(), "1 2 3 4");
    EXPECT_EQ(s.picks().size(), 4u);
    EXPECT_FALSE(play_enabled());  // two natural ranks
    s.click(card(4));
    EXPECT_TRUE(play_enabled());
}

TEST_F(Picking, RightClickDropsEveryPickedCardOfThatRank) {
    hand("K K Q 5 5 5");
    s.click(card(5));  // all fives
    s.click(card(1));  // and one king
    EXPECT_EQ(raised(), "1 4 5 6");
    EXPECT_FALSE(play_enabled());
    s.right_click(card(3));  // an unpicked queen: nothing dropped
    EXPECT_EQ(raised(), "1 4 5 6");
    s.right_click(card(4));
    EXPECT_EQ(raised(), "1");
    EXPECT_EQ(test::words(s.picks()), "K");
    EXPECT_TRUE(play_enabled());
    s.right_click(card(2));  // the other king was never picked
    EXPECT_EQ(raised(), "1");
    s.right_click(card(1));
    EXPECT_EQ(raised(), "");
    EXPECT_TRUE(s.picks().empty());
    EXPECT_FALSE(play_enabled());
}

TEST_F(Picking, DroppingThePickLowersEveryCard) {
    settings.gb_b3 = false;
    hand("K K 9 9 9 3");
    s.click(card(1));
    s.click(card(3));
    s.click(card(6));
    ASSERT_EQ(raised(), "1 2 3 6");
    s.drop_picks();
    EXPECT_EQ(raised(), "");
    EXPECT_TRUE(s.picks().empty());
    EXPECT_FALSE(play_enabled());
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(y(card(n)), kRest) << n;  // not lowered twice
}

TEST_F(Picking, OnlyTheHumansOwnCardsInItsRowAnswerTheMouse) {
    t.hand(Seat::A, "K K Q 6 6").hand(Seat::B, "A A").play(Seat::D, "J J");
    arrange();  // the jacks lie on the table but the human leads
    const Card facedown = s.state().hands[Seat::B][0], on_table = s.state().plays[Seat::D][0],
               stray = s.state().plays[Seat::D][1], gone = card(4);
    // The view lays a card in the human's row that is not in the hand, and
    // shows one of the hand away from the row.
    std::vector<Card> row(s.state().hands[Seat::A].begin(), s.state().hands[Seat::A].end());
    row.push_back(stray);
    s.view().show(event(EventKind::laid_out, Seat::A, 0, 0, row));
    s.view().show(event(EventKind::handed, Seat::A, gone, 1));
    s.click(card(1));
    ASSERT_EQ(raised(), "1 2");

    // None of them picks or drops anything.
    for (Card other : {facedown, on_table, stray, gone}) {
        s.click(other);
        s.right_click(other);
        EXPECT_EQ(raised(), "1 2");
        EXPECT_EQ(s.picks().size(), 2u);
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
        s.click_at(px, py);
        s.right_click_at(px, py);
    }
    for (Card none : {Card{0}, Card{217}}) {
        s.click(none);
        s.right_click(none);
    }
    EXPECT_EQ(raised(), "1 2");
    EXPECT_EQ(s.picks().size(), 2u);
    EXPECT_TRUE(play_enabled());
}

TEST_F(Picking, ClicksAtAPointFindTheFrontCard) {
    hand("A K Q J 10");
    s.click_at(70 * 3 - 32 + 10, kRest + 10);  // the strip of the third card
    EXPECT_EQ(raised(), "3");
    s.click_at(70 * 3 - 32 + 10, kRaised + 5);  // the raised card's top edge: down again
    EXPECT_EQ(raised(), "");
    s.click_at(70 * 2 - 32 + 69, kRest + 10);  // the last unit of the second card's strip
    EXPECT_EQ(raised(), "2");
    s.click_at(70 * 5 - 32 + 300, kRest + 300);  // far right of the last card
    EXPECT_EQ(raised(), "2 5");
    s.right_click_at(70 * 5 - 32 + 300, kRest + 300);
    EXPECT_EQ(raised(), "2");
    s.click_at(1000, 1100);  // the table top
    s.right_click_at(1000, 1100);
    EXPECT_EQ(raised(), "2");
}

TEST_F(Picking, ChoosingTheReturnPicksCardByCardForTheReturnButton) {
    // Real deals until the human owes a return of two cards.
    Session r{settings, platform, 4};
    for (int acts = 0; r.state().ask != Ask::return_tribute; ++acts) {
        ASSERT_LT(acts, 500);
        if (r.state().ask == Ask::shuffle)
            r.shuffle();
        else
            ASSERT_TRUE(r.autoplay_human());
    }
    ASSERT_EQ(r.state().ledger[static_cast<std::size_t>(r.state().settling)].count, 2);
    EXPECT_TRUE(r.button(ButtonId::give_back).visible);
    EXPECT_TRUE(r.button(ButtonId::give_back).enabled);  // the return counts the cards itself
    const game::Hand& h = r.state().hands[Seat::A];
    // Two cards of one rank, neither a three, so a quick pick would take both.
    int first = 0;
    while (game::rank_of(h[first]) == game::kThree || h.count(game::rank_of(h[first])) < 2) ++first;
    const Card one = h[first], two = h[first + 1];
    auto up = [&r](Card c) { return r.surface().find(card_id(c))->y == kRaised; };

    r.click(one);
    EXPECT_TRUE(up(one));
    EXPECT_FALSE(up(two));
    EXPECT_EQ(r.picks(), std::vector<Card>{one});
    EXPECT_FALSE(r.button(ButtonId::play).enabled);
    EXPECT_TRUE(r.button(ButtonId::give_back).enabled);
    r.give_back();  // one card of two
    EXPECT_EQ(platform.messages, std::vector<std::string>{"提示信息|请选择2张牌还贡！"});
    EXPECT_EQ(r.state().ask, Ask::return_tribute);
    EXPECT_TRUE(r.state().hands[Seat::A].contains(one));
    r.click(one);
    EXPECT_FALSE(up(one));
    EXPECT_TRUE(r.picks().empty());
    EXPECT_TRUE(r.button(ButtonId::give_back).enabled);

    r.click(one);
    r.click(two);
    r.give_back();
    EXPECT_TRUE(r.picks().empty());
    EXPECT_FALSE(r.state().hands[Seat::A].contains(one));
    EXPECT_FALSE(r.state().hands[Seat::A].contains(two));
    EXPECT_NE(r.state().ask, Ask::return_tribute);
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
            case 0: s.right_click(c); break;
            case 1:
                if (g() % 2)
                    live().trick.standing = Seat::C;
                else
                    live().trick.standing.reset();
                break;
            case 2: live().ask = live().ask == Ask::return_tribute ? Ask::follow : Ask::return_tribute; break;
            case 3: settings.gb_b3 = !settings.gb_b3; break;
            case 4:
                if (g() % 8 == 0) s.drop_picks();
                break;
            case 5: s.click_at(70 * static_cast<int>(g() % 32) + 10, kRaised + static_cast<int>(g() % 100)); break;
            default: s.click(c); break;
        }
        std::set<Card> picked;
        for (Card p : s.picks()) {
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
    settings.gs_bgcard = "cards\\bgcard2.bmp";
    const std::uint64_t drawn = s.surface().notifications();
    s.card_back_changed();
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
