// Whole deals played through `apply`: the human's turns taken as a plain
// player takes them, or by the computer, every step checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/invariants.h"
#include "model/notes.h"
#include "rules/engine.h"
#include "rules/play.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using game::Decision;
using game::Move;
using game::Seat;
using test::Kind;

// The human may not pick a three while other cards remain (rule on threes).
bool pickable(const game::State& s, Card c) {
    const game::Hand& hand = s.hands[Seat::A];
    if (!s.rules.threes || game::rank_of(c) != game::kThree) return true;
    return std::all_of(hand.begin(), hand.end(), [](Card x) { return game::rank_of(x) == game::kThree; });
}

// The human's turn as a plain player takes it: lead the weakest rank whole;
// follow with the weakest rank that beats the standing play (now and then not
// at all), else pass or hold back; return the weakest cards; take a partner's
// tribute or let it go at random.
Decision human_choice(const game::State& s, std::mt19937& rng) {
    const game::Hand& hand = s.hands[Seat::A];
    auto weakest_of = [&](game::Rank rank, int most) {
        std::vector<Card> cards;
        for (int i = hand.size() - 1; i >= 0 && static_cast<int>(cards.size()) < most; --i)
            if (game::rank_of(hand[i]) == rank) cards.push_back(hand[i]);
        return cards;
    };
    switch (s.ask) {
        case Ask::lead:
            for (int i = hand.size() - 1; i >= 0; --i)
                if (pickable(s, hand[i])) return Decision::play(weakest_of(game::rank_of(hand[i]), game::kCards));
            return Decision::play({});
        case Ask::follow:
        case Ask::follow_or_hold:
            if (rng() % 4 != 0) {
                const game::Play& standing = s.plays[*s.trick.standing];
                for (int i = hand.size() - 1; i >= 0; --i) {
                    if (!pickable(s, hand[i])) continue;
                    const std::vector<Card> cards = weakest_of(game::rank_of(hand[i]), standing.size());
                    if (game::can_play(cards, &standing)) return Decision::play(cards);
                }
            }
            return s.ask == Ask::follow ? Decision::pass() : Decision{Move::hold_back, {}};
        case Ask::return_tribute: {
            const int owed = s.ledger[static_cast<std::size_t>(s.settling)].count;
            std::vector<Card> cards;  // threes only when nothing else is left
            for (const bool threes : {false, true})
                for (int i = hand.size() - 1; i >= 0 && static_cast<int>(cards.size()) < owed; --i)
                    if (pickable(s, hand[i]) != threes) cards.push_back(hand[i]);
            return Decision{Move::return_tribute, cards};
        }
        case Ask::take_partner_tribute: return Decision{rng() % 2 ? Move::take_tribute : Move::let_tribute_go, {}};
        default: return Decision{Move::shuffle, {}};
    }
}

std::string last_note(const game::Events& ev) {
    const std::vector<test::Row> rows = test::rows(ev);
    for (auto e = rows.rbegin(); e != rows.rend(); ++e)
        if (e->kind == Kind::note) return e->text;
    return "";
}

// Plays `deals` deals of a game; `computer_human` lets the computer take
// seat A's turns. Every step is checked as the simulator checks it.
void play_game(const game::Rules& rules, std::uint64_t seed, int deals, bool computer_human) {
    game::State s = game::new_game(rules);
    game::Events ev;
    game::InvariantChecker checker;
    std::string fault;
    ev.after_step = [&](const game::State& st, const game::Events& e) {
        if (fault.empty()) fault = checker.after(st, e, "step");
    };
    std::mt19937_64 deal_rng(seed);
    std::mt19937 rng(static_cast<unsigned>(seed));
    for (int deal = 0; deal < deals; ++deal) {
        SCOPED_TRACE("deal " + std::to_string(deal));
        ev.clear();
        checker.events_cleared();
        ASSERT_TRUE(tav::test::human_acts(s, Decision{Move::shuffle, {}}, ev, deal_rng).ok());
        for (int actions = 0; s.ask != Ask::shuffle; ++actions) {
            ASSERT_TRUE(fault.empty()) << fault;
            ASSERT_LE(actions, game::InvariantChecker::kMaxActions) << "the deal does not end";
            ASSERT_NE(s.ask, Ask::nothing) << "the game waits for nobody";
            if (s.deal_running()) {
                // Between chains it is always the human's turn, with something to do.
                ASSERT_EQ(s.trick.turn, Seat::A);
                if (s.ask == Ask::lead) {
                    EXPECT_EQ(s.trick.standing, std::nullopt);
                    const game::Hand& hand = s.hands[Seat::A];
                    ASSERT_TRUE(std::any_of(hand.begin(), hand.end(), [&](Card c) { return pickable(s, c); }));
                } else {
                    ASSERT_TRUE(s.ask == Ask::follow || s.ask == Ask::follow_or_hold);
                    ASSERT_TRUE(s.trick.standing.has_value());
                }
            }
            const game::Verdict v = computer_human ? host::computer_decides(s, ev)
                                                   : tav::test::human_acts(s, human_choice(s, rng), ev, deal_rng);
            ASSERT_TRUE(v.ok()) << v.reason;
            if (fault.empty()) fault = checker.after(s, ev, "action");
        }
        ASSERT_TRUE(fault.empty()) << fault;

        // The checker saw every place given once and the scores sum to 0.
        // The deal ended once and the next deal's prompt is the last line:
        // nothing runs after the end.
        int game_over = 0, deal_over = 0;
        game::PerSeat<int> place{};
        for (const test::Row& e : test::rows(ev)) {
            game_over += e.kind == Kind::note && e.text == game::notes::kGameOver ? 1 : 0;
            deal_over += e.kind == Kind::deal_over ? 1 : 0;
            if (e.kind == Kind::place) place[e.seat] = e.number;
        }
        EXPECT_EQ(game_over, 1);
        EXPECT_EQ(deal_over, 1);
        EXPECT_TRUE(std::holds_alternative<game::Asked>(ev.list.back()));
        EXPECT_EQ(last_note(ev), game::notes::kShuffleFirst);
        EXPECT_EQ(s.trick.turn, std::nullopt);
        // The last place leads the next deal.
        ASSERT_TRUE(s.first_leader.has_value());
        EXPECT_EQ(place[*s.first_leader], 6);
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(WholeDeals, HumanPlaysThroughApplyAndEveryDealEndsOnce) {
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        play_game(game::Rules{}, seed, 3, false);
        if (HasFailure()) return;
    }
}

TEST(WholeDeals, ComputerTakingTheHumansSeatEndsEveryDealOnce) {
    game::Rules rules;
    rules.threes = false;
    rules.smother = true;
    for (std::uint64_t seed = 100; seed < 130; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        play_game(rules, seed, 2, true);
        if (HasFailure()) return;
    }
}

}  // namespace
}  // namespace tav
