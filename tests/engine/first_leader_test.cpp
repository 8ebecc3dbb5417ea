// Who leads a deal first: the seat whose fours reach the mark as its cards
// arrive, else the best fours, and in later deals the last place before.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/catalogue.h"
#include "model/notes.h"
#include "model/shuffle.h"
#include "rules/engine.h"
#include "session/session.h"
#include "tests/engine/deal_support.h"

namespace tav {
namespace {

using game::Card;
using game::Event;
using game::Seat;
using test::Deal;
using test::deal_order;
using test::Kind;
using test::seat_of;

// The fours by suit (h s d c), by their names in the catalogue.
constexpr std::array<std::string_view, 4> kFours{"红桃4", "黑桃4", "方块4", "梅花4"};

// A pair of one suit's four scores 1, three or four copies 2.
int fours_score(const std::vector<Card>& hand) {
    std::array<int, 4> copies{};
    for (Card c : hand)
        for (std::size_t k = 0; k < 4; ++k)
            if (card_info(c).name == kFours[k]) ++copies[k];
    int score = 0;
    for (int n : copies) score += n >= 3 ? 2 : n == 2 ? 1 : 0;
    return score;
}

// The first leader of a first deal dealt in `order`, and the fours mark after
// it: the first seat whose growing hand scores 2; when nobody does, the best
// fours of the dealt hands, the first such seat from A.
std::pair<Seat, int> expected_leader(const std::vector<Card>& order) {
    game::PerSeat<std::vector<Card>> hands;
    for (int i = 1; i <= kCardCount; ++i) {
        const Seat seat = seat_of(i);
        hands[seat].push_back(order[static_cast<std::size_t>(i)]);
        if (fours_score(hands[seat]) >= 2) return {seat, 3};
    }
    Seat best = Seat::A;
    for (Seat seat : game::kAllSeats)
        if (fours_score(hands[seat]) > fours_score(hands[best])) best = seat;
    return {best, 2};
}

TEST_F(Deal, LaterDealKeepsTheRecordedFirstLeader) {
    auto s = table(11);
    std::optional<Seat> last;
    s->callbacks.before_event = [&](const Event& event) {
        for (const test::Row& e : test::rows(event)) {
            if (e.kind == Kind::place && e.number == 6) last = e.seat;
        }
    };
    s->shuffle();
    play_out(*s);
    ASSERT_TRUE(last);
    EXPECT_EQ(s->state().first_leader, last);
    for (Seat seat : game::kAllSeats)
        EXPECT_TRUE(s->surface().find(std::string("t_o") + static_cast<char>('a' + game::index_of(seat)))->visible);

    first.watch(*s);
    s->shuffle();
    ASSERT_TRUE(first.taken);
    // The last deal's places go once every card is out.
    for (Seat seat : game::kAllSeats) EXPECT_FALSE(first.place_label_shown[seat]);
    // Tributes may stop the deal for the human's return: play on to the lead.
    for (int turns = 0; s->state().phase == game::Phase::tribute; ++turns) {
        ASSERT_LT(turns, 20);
        ASSERT_TRUE(s->autoplay_human());
    }
    EXPECT_EQ(s->state().first_leader, last);
    EXPECT_EQ(s->state().fours_mark, 2);  // nobody was scored
    const auto& log = s->view().note_log();
    EXPECT_NE(std::find(log.begin(), log.end(), game::notes::leads_first(*last)), log.end());
}

TEST_F(Deal, FoursChooseTheFirstLeader) {
    // Over many deals the first seat whose fours reach 2 as its cards arrive
    // leads, and the mark rises past its score.
    std::mt19937_64 rng(99);
    for (int d = 0; d < 300; ++d) {
        game::State st = game::new_game({});
        game::Events ev;
        const std::vector<Card> order = deal_order(rng);
        game::DealSteps{st, ev}.deal(game::shuffle_order(rng));
        std::vector<Card> dealt{0};
        for (const test::Row& e : test::rows(ev))
            if (e.kind == Kind::dealt) dealt.push_back(e.card);
        ASSERT_EQ(dealt, order) << "deal " << d;
        const auto [leader, mark] = expected_leader(order);
        ASSERT_EQ(st.first_leader, leader) << "deal " << d;
        ASSERT_EQ(st.fours_mark, mark) << "deal " << d;
    }

    // When no seat reached the mark while the cards arrived, the best fours
    // lead, the first such seat from A on a tie.
    struct Case {
        const char* what;
        std::array<const char*, 6> fours;  // each seat's fours by suit: h s d c
        Seat leader;
    };
    const Case cases[] = {
        {"nobody holds fours", {"", "", "", "", "", ""}, Seat::A},
        {"one of each suit scores nothing", {"", "hsdc", "", "h", "", "hh"}, Seat::F},
        {"a pair beats single fours", {"h", "s", "", "dd", "", ""}, Seat::D},
        {"two pairs tie with three of a suit", {"", "", "hhcc", "", "sss", ""}, Seat::C},
        {"four of a suit score as three", {"", "dddd", "", "", "sss", ""}, Seat::B},
        {"three and a pair beat four", {"", "dddd", "", "", "", "hhhss"}, Seat::F},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        game::State st = game::new_game({});
        std::set<Card> used;
        auto take = [&](auto fits) {
            for (int n = 1; n <= kCardCount; ++n)
                if (fits(static_cast<Card>(n)) && used.insert(static_cast<Card>(n)).second) return static_cast<Card>(n);
            return Card{0};
        };
        for (Seat seat : game::kAllSeats) {
            for (const char* suit = c.fours[game::array_index(seat)]; *suit; ++suit) {
                const std::string_view four = kFours[std::string_view("hsdc").find(*suit)];
                st.hands[seat].push(take([&](Card k) { return card_info(k).name == four; }));
            }
            for (std::string_view filler : {"K", "5", "A"})
                st.hands[seat].push(take([&](Card k) { return card_info(k).code == filler; }));
        }
        game::Events ev;
        game::DealSteps{st, ev}.begin_play();
        EXPECT_EQ(st.first_leader, c.leader);
        EXPECT_EQ(st.fours_mark, 2);
        ASSERT_FALSE(ev.list.empty());
        EXPECT_TRUE(ev.list.back() == game::Event{game::FirstLeader{c.leader}});
        EXPECT_EQ(test::rows(ev).back().text, game::notes::leads_first(c.leader));
    }
}

}  // namespace
}  // namespace tav
