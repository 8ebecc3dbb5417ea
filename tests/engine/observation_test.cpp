// What each seat observes: over whole games under every rule set, no seat
// ever observes another seat's card before it is shown face up on the table,
// and it still counts every card of every hand.
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

// The cards an event names by identity.
template <class F>
void named(const Event& e, F&& each) {
    if (const auto* d = std::get_if<game::Dealt>(&e)) each(d->card);
    if (const auto* l = std::get_if<game::LaidOut>(&e))
        for (Card c : l->cards) each(c);
    if (const auto* p = std::get_if<game::Played>(&e))
        for (Card c : p->cards) each(c);
    if (const auto* h = std::get_if<game::TributeHanded>(&e))
        for (Card c : h->cards) each(c);
    if (const auto* t = std::get_if<game::ThreeBought>(&e)) {
        each(t->payment);
        each(t->three);
    }
}

// What the table has shown face up to every seat in this deal, and what
// each seat was dealt: worked out from the engine's own events.
struct Known {
    std::bitset<game::kCards + 1> shown;
    game::PerSeat<std::bitset<game::kCards + 1>> dealt;

    void read(const Event& e) {
        if (std::holds_alternative<game::Shuffling>(e)) *this = Known{};
        if (const auto* d = std::get_if<game::Dealt>(&e)) dealt[d->seat].set(d->card);
        if (std::holds_alternative<game::Played>(e) || std::holds_alternative<game::TributeHanded>(e) ||
            std::holds_alternative<game::ThreeBought>(e))
            named(e, [this](Card c) { shown.set(c); });
    }
};

TEST(Observation, NoSeatSeesAnotherSeatsCardBeforeItIsShown) {
    long long deals = 0, checked = 0;
    for (int rules = 0; rules < 16; ++rules) {
        SCOPED_TRACE(rules);
        game::State s =
            game::new_game(game::Rules{(rules & 1) != 0, (rules & 2) != 0, (rules & 4) != 0, (rules & 8) != 0});
        // A human at every seat in a third of the rule sets: each seat is then
        // asked and told its own prompts.
        if (rules % 3 == 0) s.human.v.fill(true);
        std::mt19937_64 rng(static_cast<std::uint64_t>(rules) + 100);
        game::Events ev;
        Known known;
        for (int step = 0; step < 60000 && deals < 150 * (rules + 1); ++step) {
            ev.clear();
            deals += s.ask == game::Ask::shuffle ? 1 : 0;
            ASSERT_TRUE(test::autoplay(s, ev, rng));
            for (const Event& e : ev.list) {
                known.read(e);
                for (Seat seat : game::kAllSeats) {
                    const Event seen = game::observed(e, seat);
                    named(seen, [&](Card c) {
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
}

}  // namespace
}  // namespace tav
