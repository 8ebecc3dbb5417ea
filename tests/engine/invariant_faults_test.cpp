// The invariant checker on deals laid out by hand: a proper deal reports
// nothing, and each broken thing is reported for what it is.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "model/invariants.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using game::Phase;
using game::Seat;
using enum game::Seat;

// A deal followed by a checker on a table laid out by hand: card n in the
// hand of seat (n - 1) mod 6, so every hand holds 36 and nothing lies on the
// table. Each change is reported with the events the engine would send, so
// the checks see one broken thing at a time.
struct Watched {
    game::State s;
    game::Events ev;
    game::InvariantChecker checker;

    Watched() { fill(Phase::play); }
    void fill(Phase phase) {
        s.phase = phase;
        s.ask = Ask::nothing;
        for (int n = 1; n <= game::kCards; ++n) s.hands[game::seat_at((n - 1) % 6)].push(static_cast<Card>(n));
        for (Seat x : game::kAllSeats) s.hands[x].sort_by_rank();
    }
    std::string check() { return checker.after(s, ev, "test"); }
    // The deal as the engine reports it: counts[i] cards to seat i.
    void deal(std::array<int, 6> counts = {36, 36, 36, 36, 36, 36}) {
        int n = 0;
        for (Seat x : game::kAllSeats)
            for (int k = 0; k < counts[game::array_index(x)]; ++k, ++n)
                ev.add(game::Dealt{x, static_cast<Card>(n % game::kCards + 1), n + 1});
    }
    void start(Phase phase = Phase::play) {
        s.phase = phase;
        deal();
        ASSERT_EQ(check(), "");
    }
    // A card of that word out of the seat's hand, else out of any other: the
    // checks care where cards are, not who was dealt them.
    Card take(Seat seat, const std::string& word) {
        for (int k = 0; k < game::kSeats; ++k) {
            game::Hand& h = s.hands[game::seat_at(game::index_of(seat) + k)];
            for (Card c : h)
                if (test::Cards::word_of(c) == word) {
                    h.remove(c);
                    return c;
                }
        }
        ADD_FAILURE() << "no " << word << " is left in a hand";
        return 0;
    }
    // `seat` lays the cards and its play stands; the next seat not out acts.
    void lay(Seat seat, const std::string& words) {
        game::Play laid;
        for (Card c : test::Cards().take_all(words)) {
            const Card card = take(seat, test::Cards::word_of(c));
            s.plays[seat].push(card);
            laid.push(card);
        }
        ev.add(game::Played{seat, laid, false});
        s.plays[seat].sort_by_rank();
        s.trick.standing = s.trick.turn = seat;
        do s.trick.turn = game::next_seat(*s.trick.turn);
        while (s.is_out(*s.trick.turn));
    }
    void clear(Seat seat) {
        for (Card c : s.plays[seat]) s.cleared.push(c);
        s.plays[seat].clear();
        ev.add(game::PlayCleared{seat});
    }
    void place(Seat seat, int place, int change) {
        s.places[seat] = static_cast<std::uint8_t>(place);
        ++s.out_count;
        s.scores[seat] += change;
        ev.add(game::Scored{seat, s.scores[seat]});
        ev.add(game::Placed{seat, place});
    }
    // Places the seats in `order` ("CABDFE": C first), each with its score change.
    void place_all(const std::string& order) {
        constexpr std::array<int, 7> kChange{0, 2, 1, 0, 0, -1, -2};
        for (std::size_t i = 0; i < order.size(); ++i)
            place(*game::seat_from_letter(order[i]), static_cast<int>(i) + 1, kChange[i + 1]);
    }
    // The deal's end as the engine reports it; the table is empty after it.
    void end_deal() {
        ev.add(game::DealOver{});
        game::State next;
        next.rules = s.rules;
        next.scores = s.scores;
        s = next;
    }
    // A buys a three from the seller with a king: the cards shown, and what moves.
    void trade(Seat seller, bool king_moves, bool three_moves) {
        const Card three = take(seller, "3");
        const Card king = take(A, "K");
        s.hands[three_moves ? A : seller].push(three);
        s.hands[king_moves ? seller : A].push(king);
        ev.add(game::ThreeBought{A, seller, king, three});
    }
};

// A deal as the engine plays it, in small steps: nothing is reported.
TEST(Checks, AProperDealReportsNothing) {
    Watched w;
    w.start(Phase::tribute);
    w.trade(B, true, true);
    EXPECT_EQ(w.check(), "");
    w.s.phase = Phase::play;
    w.lay(B, "Q Q");
    EXPECT_EQ(w.check(), "");
    w.lay(C, "K K");
    w.s.trick.turn = E;  // D passes
    EXPECT_EQ(w.check(), "");
    w.clear(B);  // the seats after the standing play up to the turn are cleared
    w.lay(E, "2 2");
    w.lay(F, "SJ SJ");  // two plays in one check, as in a chain of computer turns
    EXPECT_EQ(w.check(), "");
    for (Seat x : {C, E, F}) w.clear(x);  // the trick ends; F leads
    w.s.trick = {};
    w.s.trick.turn = F;
    EXPECT_EQ(w.check(), "");
    w.lay(F, "5 5 2");  // a lead of any size, wild cards with one rank
    EXPECT_EQ(w.check(), "");
    w.place_all("CABDFE");
    w.end_deal();
    EXPECT_EQ(w.check(), "");
    EXPECT_EQ(game::check_cards(w.s), "");  // between deals nothing is out
    w.fill(Phase::play);                    // the next deal starts afresh
    w.start();
    w.lay(D, "9");
    EXPECT_EQ(w.check(), "");
}

// Each case breaks one thing; the checker must say what.
struct Fault {
    const char* what;
    std::function<void(Watched&)> make;
    const char* says;
};

// clang-format off
const std::vector<Fault> kFaults{
    // ---- where the cards are ----
    {"a card in two hands", [](Watched& w) { w.start(); w.s.hands[C].push(w.s.hands[B][3]); }, "lies in 2 places"},
    {"a card in no pile", [](Watched& w) { w.start(); w.s.hands[B].erase_at(3); }, "lies in 0 places"},
    {"a card in a hand and cleared", [](Watched& w) { w.start(); w.s.cleared.push(w.s.hands[D][0]); },
     "lies in 2 places"},
    {"a pile holding no card", [](Watched& w) { w.start(); w.s.hands[A].push(0); }, "outside 1..216"},
    {"a card number past the last", [](Watched& w) { w.start(); w.s.cleared.push(217); }, "outside 1..216"},
    {"a card left out between deals",
     [](Watched& w) { w.start(); w.place_all("ABCDEF"); w.end_deal(); w.s.hands[E].push(7); }, "lies in 0 places"},
    // ---- plays and tricks ----
    {"a play of two natural ranks", [](Watched& w) { w.start(); w.lay(C, "K K 2 SJ 9"); },
     "seat C's play holds more than one natural rank"},
    {"a follow of three cards on a pair",
     [](Watched& w) { w.start(); w.lay(B, "Q Q"); w.lay(D, "K K"); ASSERT_EQ(w.check(), ""); w.lay(E, "A A A"); },
     "seat E followed 2 cards with 3"},
    {"a wrong follow among plays checked at once",
     [](Watched& w) { w.start(); w.lay(B, "Q Q"); w.lay(C, "K K"); w.lay(D, "A"); w.lay(E, "2"); },
     "seat D followed 2 cards with 1"},
    {"a seat following its own play",
     [](Watched& w) { w.start(); w.lay(B, "Q Q"); ASSERT_EQ(w.check(), ""); w.lay(B, "K K"); },
     "seat B followed its own play"},
    {"a play of no cards", [](Watched& w) { w.start(); w.ev.add(game::Played{C, {}, false}); },
     "seat C laid a play of no cards"},
    {"a play that does not stand", [](Watched& w) { w.start(); w.lay(C, "5"); w.s.trick.standing.reset(); },
     "seat C played last but its play does not stand"},
    {"a play holding more than was laid",
     [](Watched& w) { w.start(); w.lay(C, "5 5"); w.s.plays[C].push(w.take(C, "5")); },
     "seat C laid 2 cards but its play holds 3"},
    {"a standing play without cards", [](Watched& w) { w.start(); w.s.trick.standing = F; },
     "seat F's play stands with no cards"},
    // ---- seats out ----
    {"a seat playing after it is out",
     [](Watched& w) { w.start(); w.place(C, 1, 2); ASSERT_EQ(w.check(), ""); w.lay(C, "5"); },
     "seat C played after it was out"},
    {"a seat to act after it is out", [](Watched& w) { w.start(); w.place(C, 1, 2); w.s.trick.turn = C; },
     "seat C is to act but is out"},
    // ---- places and the deal's end ----
    {"a place given twice", [](Watched& w) { w.start(); w.place(B, 1, 2); w.place(E, 1, 2); },
     "place 1 was given twice"},
    {"a seat placed twice", [](Watched& w) { w.start(); w.place(B, 1, 2); w.place(B, 2, 1); },
     "seat B was placed twice"},
    {"a place past the last", [](Watched& w) { w.start(); w.place(B, 7, 0); }, "seat B was given place 7"},
    {"a deal ending without every place",  // 大落 scored, the place never given
     [](Watched& w) { w.start(); w.place_all("ABCDF"); w.s.scores[E] -= 2; w.end_deal(); },
     "the deal ended without a place for seat E"},
    {"score changes not summing to 0",  // a place counted without its loss elsewhere
     [](Watched& w) { w.start(); w.place_all("CABDFE"); w.s.scores[C] += 2; w.end_deal(); },
     "the score changes of the deal sum to 2"},
    {"a play after the deal's end",
     [](Watched& w) {
         w.start(); w.place_all("CABDFE"); w.end_deal(); ASSERT_EQ(w.check(), "");
         w.ev.add(game::Played{B, test::pile({5}), false});
     },
     "seat B played outside a deal"},
    {"a deal that runs on",
     [](Watched& w) {
         w.start();
         for (int i = 1; i < game::InvariantChecker::kMaxActions; ++i) ASSERT_EQ(w.check(), "") << "check " << i;
     },
     "still running after"},
    // ---- the deal, and the table before play ----
    {"a seat dealt 35", [](Watched& w) { w.deal({36, 35, 37, 36, 36, 36}); }, "seat B was dealt 35 cards, not 36"},
    {"a seat dealt 37", [](Watched& w) { w.deal({36, 36, 37, 36, 36, 35}); }, "seat C was dealt 37 cards, not 36"},
    {"a deal begun before the last one ended", [](Watched& w) { w.start(); w.deal(); },
     "seat A was dealt a card before the last deal ended"},
    {"a play during the tribute", [](Watched& w) { w.start(Phase::tribute); w.s.plays[D].push(w.take(D, "9")); },
     "seat D has a play on the table before play starts"},
    {"cards cleared during the tribute", [](Watched& w) { w.start(Phase::tribute); w.s.cleared.push(w.take(D, "9")); },
     "cards were cleared before play starts"},
    {"a buyer keeping its payment", [](Watched& w) { w.start(Phase::tribute); w.trade(B, false, true); },
     "seat A bought a three and kept its payment"},
    {"a seller keeping its three", [](Watched& w) { w.start(Phase::tribute); w.trade(B, true, false); },
     "seat B sold a three and kept it"},
};
// clang-format on

TEST(Checks, EachFaultIsReportedForWhatItIs) {
    for (const Fault& f : kFaults) {
        SCOPED_TRACE(f.what);
        Watched w;
        f.make(w);
        if (HasFatalFailure()) return;
        const std::string fault = w.check();
        EXPECT_NE(fault.find(f.says), std::string::npos) << "reported \"" << fault << "\"";
    }
}

}  // namespace
}  // namespace tav
