// The deal: every card to one hand in deal order, the table as it shows the
// deal fast and slow, the fairness of the shuffle and the shuffle button.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/catalogue.h"
#include "model/invariants.h"
#include "model/notes.h"
#include "model/shuffle.h"
#include "rules/engine.h"
#include "session/session.h"
#include "tests/engine/deal_support.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using game::Event;
using game::Seat;
using test::Deal;
using test::deal_order;
using test::Kind;
using test::seat_of;

TEST_F(Deal, EveryCardReachesExactlyOneHandAndTheTableShowsTheDeal) {
    for (std::uint64_t seed : {1u, 2u, 77u}) {
        SCOPED_TRACE(seed);
        auto s = table(seed);
        first.watch(*s);
        s->shuffle();
        ASSERT_TRUE(first.taken);
        std::set<Card> all;
        for (Seat seat : game::kAllSeats) {
            EXPECT_EQ(first.hands[seat].size(), 36u) << game::letter_of(seat);
            all.insert(first.hands[seat].begin(), first.hands[seat].end());
        }
        EXPECT_EQ(all.size(), 216u);
        EXPECT_EQ(*all.begin(), 1);
        EXPECT_EQ(*all.rbegin(), 216);
        for (int i = 1; i <= kCardCount; ++i) EXPECT_EQ(first.dealt[static_cast<std::size_t>(i - 1)].number, i);
        for (std::size_t n = 1; n <= kCardCount; ++n) {
            EXPECT_FALSE(first.pack[n].visible) << n;
            EXPECT_TRUE(first.cards[n].visible) << n;
        }
        for (Seat seat : game::kAllSeats) EXPECT_FALSE(first.place_label_shown[seat]);

        // The human's hand: strongest left, 70 apart, face up and clickable.
        const std::vector<Card>& a = first.human_row;
        ASSERT_EQ(a.size(), 36u);
        EXPECT_TRUE(std::is_permutation(a.begin(), a.end(), first.hands[Seat::A].begin()));
        for (std::size_t n = 1; n <= a.size(); ++n) {
            const SurfaceObject& o = first.cards[a[n - 1]];
            EXPECT_EQ(o.x, 70 * static_cast<int>(n) - 32);
            EXPECT_EQ(o.y, 1696);
            EXPECT_EQ(o.tag, "my");
            EXPECT_EQ(o.pointer, "HyperLink!");
            EXPECT_EQ(o.filename, card_info(a[n - 1]).bmp);
            EXPECT_TRUE(s->view().in_human_row(a[n - 1]) || !s->state().hands[Seat::A].contains(a[n - 1]));
            if (n > 1) {
                EXPECT_LE(card_info(a[n - 2]).sort, card_info(a[n - 1]).sort);
            }
        }
        for (Seat seat : {Seat::B, Seat::C, Seat::D, Seat::E, Seat::F})
            for (Card c : first.hands[seat]) {
                EXPECT_EQ(first.cards[c].filename, settings.card_back);
                EXPECT_EQ(first.cards[c].tag, "");
                EXPECT_FALSE(s->view().in_human_row(c));
            }
        EXPECT_EQ(game::check_cards(s->state()), "");
    }
}

TEST_F(Deal, CardsGoRoundTheSeatsInDealOrderToTheirPlaces) {
    const std::uint64_t seed = 4242;
    const std::vector<Card> order = deal_order(std::mt19937_64(seed));
    auto s = table(seed);
    first.watch(*s);
    s->shuffle();
    ASSERT_TRUE(first.taken);

    // Card 1 goes to B, 3 to the human, 6 to the top seat; each hand in deal order.
    for (int i = 1; i <= kCardCount; ++i) {
        const test::Row& e = first.dealt[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(e.card, order[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(e.seat, seat_of(i)) << i;
    }

    // Final places of the face-down hands (whole part of the sixths).
    const std::array<std::array<int, 3>, 10> places{{{1, 2521, 1283},
                                                     {211, 2521, 1003},
                                                     {2, 2521, 580},
                                                     {212, 2521, 300},
                                                     {4, 30, 1005},
                                                     {214, 30, 1285},
                                                     {5, 30, 306},
                                                     {215, 30, 586},
                                                     {6, 818, 30},
                                                     {216, 1798, 30}}};
    for (const auto& [i, x, y] : places) {
        const SurfaceObject& o = first.cards[order[static_cast<std::size_t>(i)]];
        EXPECT_EQ(o.x, x) << i;
        EXPECT_EQ(o.y, y) << i;
    }
}

TEST_F(Deal, FastDealDrawsOnlyTheFinishedTableAndPlaysStayInSightForThePause) {
    for (double pause : {0.0, 0.2}) {
        SCOPED_TRACE(pause);
        settings.play_pause = pause;
        auto s = table(4);                         // with this seed tricks end before the human is first asked
        std::vector<std::uint64_t> while_dealing;  // drawings so far, as each card is dealt
        int cleared = 0, changed = 0;
        s->callbacks.before_event = [&](const Event& event) {
            for (const test::Row& e : test::rows(event)) {
                if (e.kind == Kind::dealt || e.kind == Kind::laid_out)
                    while_dealing.push_back(s->surface().notifications());
                cleared += e.kind == Kind::cleared;
            }
        };
        s->callbacks.on_changed = [&] { ++changed; };
        const std::uint64_t before = s->surface().notifications();
        const int waits = platform.waits;
        s->shuffle();
        ASSERT_EQ(while_dealing.size(), 217u);
        EXPECT_EQ(std::count(while_dealing.begin(), while_dealing.end(), before), 217);
        EXPECT_EQ(platform.waits > waits, pause > 0);
        // In a pause the play stays on the table, drawn, until the delay runs;
        // the game is already what the action made it, the showing not over.
        for (int pauses = 0; !platform.delays.empty(); ++pauses) {
            ASSERT_LT(pauses, 200);
            EXPECT_EQ(cleared, pauses);
            EXPECT_TRUE(s->busy());
            EXPECT_TRUE(s->surface().redraw());
            EXPECT_EQ(changed, 0) << "told before the action is shown";
            EXPECT_NE(s->state().ask, Ask::shuffle);
            // Clicks, the buttons, the hint and auto-play wait for the end.
            s->picking().click(s->state().hands[Seat::A][0]);
            EXPECT_TRUE(s->picking().picks().empty());
            EXPECT_FALSE(s->button(ButtonId::play).enabled || s->button(ButtonId::shuffle).enabled);
            EXPECT_FALSE(s->human_decides() || s->helps().hint() || s->autoplay_human());
            platform.run_delay();
            EXPECT_GE(cleared, pauses + 1) << "the play left the table with the delay";
        }
        EXPECT_FALSE(s->busy());
        EXPECT_EQ(changed, 1);
        EXPECT_TRUE(s->human_decides());
        // Besides the end of the action only the pauses before plays leave the table draw it.
        EXPECT_EQ(s->surface().notifications(), before + 1 + static_cast<std::uint64_t>(platform.waits - waits));
        EXPECT_TRUE(s->surface().redraw());
    }
}

TEST_F(Deal, SlowDealShowsEachCardAtItsStagingPlaceThenAtItsSeat) {
    settings.deal_speed = "1";
    auto s = table(9);
    const std::vector<Card> order = deal_order(std::mt19937_64(9));
    // Every drawing of the card being dealt, while it is in sight.
    std::vector<std::vector<SurfaceObject>> moves(kCardCount + 1);
    const game::Dealt* dealing = nullptr;
    s->callbacks.before_event = [&](const Event& e) { dealing = std::get_if<game::Dealt>(&e); };
    s->surface().set_listener([&] {
        if (!dealing) return;
        const SurfaceObject& o = *s->surface().find(card_id(dealing->card));
        if (o.visible) moves[static_cast<std::size_t>(dealing->number)].push_back(o);
    });
    s->shuffle();
    s->surface().set_listener(nullptr);
    // The human's third card, the top seat's first and the right-lower seat's first.
    struct Want {
        int i, x0, y0, x1, y1;
        bool human;
    };
    for (const Want& w : {Want{3, 35, 1500, 35, 1696, true}, Want{6, 818, 420, 818, 30, false},
                          Want{1, 2400, 300, 2521, 1283, false}}) {
        SCOPED_TRACE(w.i);
        const std::vector<SurfaceObject>& m = moves[static_cast<std::size_t>(w.i)];
        ASSERT_EQ(m.size(), 2u);
        const Card c = order[static_cast<std::size_t>(w.i)];
        EXPECT_EQ(m[0].name, card_id(c));
        EXPECT_EQ(std::make_pair(m[0].x, m[0].y), std::make_pair(w.x0, w.y0));
        EXPECT_EQ(std::make_pair(m[1].x, m[1].y), std::make_pair(w.x1, w.y1));
        EXPECT_EQ(m[0].filename, w.human ? std::string(card_info(c).bmp) : settings.card_back);
        EXPECT_EQ(m[0].tag, w.human ? "my" : "");
        EXPECT_EQ(m[0].pointer, "");  // clickable only once in the row
        EXPECT_EQ(m[1].pointer, w.human ? "HyperLink!" : "");
    }
    for (std::size_t i = 1; i <= kCardCount; ++i) EXPECT_EQ(moves[i].size(), 2u) << "card " << i;
}

// Every card reaches every seat about equally often. With a fixed seed this
// never fails by chance; a shuffle that favours places or seats fails at once.
TEST_F(Deal, ShuffleIsFair) {
    constexpr int kDeals = 3000;
    std::vector<game::PerSeat<int>> where(kCardCount + 1);
    std::mt19937_64 rng(20240601);
    std::vector<Card> previous;
    int repeats = 0;
    for (int d = 0; d < kDeals; ++d) {
        game::State st = game::new_game({});
        game::Events ev;
        game::DealSteps{st, ev}.deal(game::shuffle_order(rng));
        std::vector<Card> now;
        for (const test::Row& e : test::rows(ev))
            if (e.kind == Kind::dealt) {
                ++where[e.card][e.seat];
                now.push_back(e.card);
            }
        ASSERT_EQ(now.size(), 216u);
        if (now == previous) ++repeats;
        previous = now;
    }
    EXPECT_EQ(repeats, 0);
    // Chi-square over 216 cards x 6 seats: 1080 degrees of freedom, mean 1080,
    // standard deviation about 46.5; the bound is more than eight of them away.
    const double expected = kDeals / 6.0;
    double chi = 0;
    for (std::size_t n = 1; n <= kCardCount; ++n)
        for (Seat seat : game::kAllSeats) {
            const double d = where[n][seat] - expected;
            chi += d * d / expected;
        }
    EXPECT_LT(chi, 1480.0);
    EXPECT_GT(chi, 700.0);  // too even would mean the cards were not drawn at random
}

TEST_F(Deal, ShuffleButtonNotesTheDealAndClosesItselfAndDealsDiffer) {
    auto s = table(1);
    first.watch(*s);
    s->press(ButtonId::shuffle);
    ASSERT_GT(s->view().note_log().size(), 2u);
    EXPECT_EQ(s->view().note_log()[2], game::notes::kShuffling);  // after the two lines of the start
    EXPECT_EQ(first.dealt_before_shuffle_note, 0);
    EXPECT_FALSE(s->button(ButtonId::shuffle).enabled);
    EXPECT_EQ(game::check_cards(s->state()), "");

    // A disabled button does nothing.
    const std::size_t lines = s->view().note_log().size();
    const game::Hand hand = s->state().hands[Seat::A];
    const std::uint64_t drawn = s->surface().notifications();
    s->shuffle();
    s->press(ButtonId::shuffle);
    EXPECT_EQ(s->view().note_log().size(), lines);
    EXPECT_EQ(s->state().hands[Seat::A], hand);
    EXPECT_EQ(s->surface().notifications(), drawn);

    // The engine refuses a deal over cards still out, and a play before the deal.
    game::State st = s->state();
    game::Events ev;
    EXPECT_FALSE(tav::test::human_acts(st, game::Decision{game::Move::shuffle, {}}, ev, s->rng()));
    EXPECT_EQ(st.hands[Seat::A], hand);
    EXPECT_TRUE(ev.list.empty());
    game::State fresh = game::new_game({});
    EXPECT_FALSE(tav::test::human_acts(fresh, game::Decision::play({hand[0]}), ev, s->rng()));
    EXPECT_TRUE(fresh.hands[Seat::A].empty());
    EXPECT_EQ(fresh.ask, Ask::shuffle);
    EXPECT_TRUE(ev.list.empty());

    // The generator runs on into the next game: two deals in a row differ.
    const auto one = first.hands;
    s->new_game();
    first.watch(*s);
    s->shuffle();
    ASSERT_TRUE(first.taken);
    EXPECT_NE(one, first.hands);
}

}  // namespace
}  // namespace tav
