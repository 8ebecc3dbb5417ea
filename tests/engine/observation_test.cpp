// What each seat observes and may know: over whole games under every rule
// set, no seat ever observes another seat's card before it is shown face up
// on the table, and it still counts every card of every hand; the game as a
// seat may know it, after every step, names no card of another hand and no
// card that seat has not observed.
#include <gtest/gtest.h>

#include <bitset>
#include <random>
#include <string>

#include "model/observation.h"
#include "rules/engine.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::Card;
using game::Event;
using game::Seat;

// `known_to(s, seat)` against the real state and what the seat observed
// this deal (`seen`): its own hand and the plays as they are, every other
// hand as as many face-down cards, and every card it names observed face up
// or dealt to it. Empty when it holds; else what is wrong.
std::string wrong_in_known(const game::State& s, Seat seat, const std::bitset<game::kCards + 1>& seen) {
    const game::State k = game::known_to(s, seat);
    std::bitset<game::kCards + 1> named;
    for (Seat x : game::kAllSeats) {
        if (k.hands[x].size() != s.hands[x].size()) return std::string("the size of a hand of ") + game::letter_of(x);
        if (x == seat && !(k.hands[x] == s.hands[x])) return "its own hand";
        for (Card c : k.hands[x]) {
            if (x != seat && c != 0) return std::string("a card in the hand of ") + game::letter_of(x);
            named.set(c);
        }
        if (!(k.plays[x] == s.plays[x])) return std::string("the play of ") + game::letter_of(x);
        for (Card c : k.plays[x]) named.set(c);
    }
    for (Card c : k.cleared) named.set(c);
    named |= k.traded;
    named.reset(0);
    if ((named & ~seen).any()) return "a card it has not observed";
    return {};
}

TEST(Observation, NoSeatSeesAnotherSeatsCardBeforeItIsShown) {
    long long deals = 0, checked = 0, steps_known = 0;
    for (int rules = 0; rules < 16; ++rules) {
        SCOPED_TRACE(rules);
        game::State s = test::game_under_rules(rules);
        std::mt19937_64 rng(static_cast<std::uint64_t>(rules) + 100);
        game::Events ev;
        test::ShownThisDeal known;
        // What each seat has observed face up this deal, from its own view of
        // the events; read up to `read` of the events of the current action.
        game::PerSeat<std::bitset<game::kCards + 1>> seen;
        std::size_t read = 0;
        auto catch_up = [&] {
            for (; read < ev.list.size(); ++read)
                for (Seat seat : game::kAllSeats) {
                    const Event e = game::observed(ev.list[read], seat);
                    if (std::holds_alternative<game::Shuffling>(e)) seen[seat].reset();
                    test::cards_named(e, [&](Card c) { seen[seat].set(c); });
                }
        };
        ev.after_step = [&](const game::State& st, const game::Events&) {
            catch_up();
            for (Seat seat : game::kAllSeats)
                ASSERT_EQ(wrong_in_known(st, seat, seen[seat]), "") << "seat " << game::letter_of(seat);
            ++steps_known;
        };
        for (int step = 0; step < 60000 && deals < 150 * (rules + 1); ++step) {
            ev.clear();
            read = 0;
            deals += s.ask == game::Ask::shuffle ? 1 : 0;
            ASSERT_TRUE(test::autoplay(s, ev, rng));
            catch_up();
            if (HasFatalFailure()) return;
            for (const Event& e : ev.list) {
                known.read(e);
                for (Seat seat : game::kAllSeats) {
                    const Event seen = game::observed(e, seat);
                    test::cards_named(seen, [&](Card c) {
                        ++checked;
                        if (c == 0) return;  // a face-down card
                        ASSERT_TRUE(known.shown[c] || known.dealt[seat][c])
                            << "seat " << game::letter_of(seat) << " sees card " << int{c} << " unshown";
                    });
                    // Every card is counted even where it is hidden.
                    if (const auto* l = std::get_if<game::LaidOut>(&e)) {
                        ASSERT_EQ(std::get<game::LaidOut>(seen).cards.size(), l->cards.size());
                    }
                    if (const auto* d = std::get_if<game::Dealt>(&e)) {
                        ASSERT_EQ(std::get<game::Dealt>(seen).number, d->number);
                        ASSERT_EQ(std::get<game::Dealt>(seen).card == d->card, d->seat == seat);
                    }
                }
            }
            ASSERT_EQ(game::observe(ev.list, Seat::B).size(), ev.list.size());
        }
    }
    EXPECT_EQ(deals, 150 * 16);
    EXPECT_GT(checked, 1'000'000);
    EXPECT_GT(steps_known, 100'000);
}

}  // namespace
}  // namespace tav
