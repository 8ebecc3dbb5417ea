// The hint: its first offer is the computer's decision, every offer is a
// play the gate takes, every answer (and every rank led whole) the rules
// allow is offered, weakest first, the hidden hands never
// change it, and the session raises the offers in turn, cycling.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "model/notes.h"
#include "rules/engine.h"
#include "rules/gate.h"
#include "session/hint.h"
#include "tests/engine/game_support.h"
#include "tests/engine/session_support.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using game::Decision;
using game::Move;
using game::Seat;

bool is_turn(Ask a) { return a == Ask::lead || a == Ask::follow || a == Ask::follow_or_hold; }

// Ranks of a play, strongest first.
std::vector<int> ranks(const std::vector<Card>& cards) {
    std::vector<int> r;
    for (Card c : cards) r.push_back(game::rank_of(c));
    std::sort(r.begin(), r.end());
    return r;
}

// The computer's choice as the hint offers it: for the human to take.
std::optional<Decision> offered(const game::State& s) {
    std::optional<Decision> d = host::computer_choice(s);
    if (d) d->by_computer = false;
    return d;
}

void check_offers(const game::State& s, int& compared_with_real_choice) {
    const std::vector<Decision> offers = hint_offers(s);
    ASSERT_FALSE(offers.empty());
    // First: what the computer would do in the human's place, from what the human may know.
    EXPECT_EQ(offers[0], offered(seen_by_human(s)));
    // Where the one look the computer takes into a hidden hand (the standing
    // seat's natural ranks) gives what the human may assume, it is the very
    // decision the computer makes for the human.
    // (The classic level asks whether that seat holds a single natural rank.)
    const bool same_look =
        !s.trick.standing || (s.hands[*s.trick.standing].natural_rank_count() == 1) ==
                                 (seen_by_human(s).hands[*s.trick.standing].natural_rank_count() == 1);
    if (same_look) {
        EXPECT_EQ(offers[0], offered(s));
        ++compared_with_real_choice;
    }
    if (!is_turn(s.ask)) return;
    const game::Hand& hand = s.hands[Seat::A];
    std::set<std::vector<int>> seen;
    for (std::size_t i = 0; i < offers.size(); ++i) {
        const Decision& d = offers[i];
        if (d.move != Move::play) {
            EXPECT_EQ(i, 0u) << "only the computer's choice may be a pass";
            continue;
        }
        // The gate takes it: own cards, each once, one rank, strong enough, the rule on threes.
        EXPECT_EQ(game::check(s, Seat::A, d).reason, "") << i;
        EXPECT_TRUE(seen.insert(ranks(d.cards)).second) << "the same play offered twice";
        // After the first, weakest first: no offer beats the one before it card for card.
        if (i >= 2) {
            const std::vector<int> a = ranks(offers[i - 1].cards), b = ranks(d.cards);
            EXPECT_FALSE(std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), std::greater<>()))
                << "offer " << i << " is weaker than the one before";
        }
    }
    // Nothing the rules allow is left out: every answer, and every rank led whole.
    const auto held = hand.counts();
    for (const Decision& d : game::legal_decisions(s)) {
        if (d.move != Move::play) continue;
        const std::vector<int> r = ranks(d.cards);
        const bool whole = r.front() == r.back() && static_cast<int>(r.size()) == held[static_cast<std::size_t>(r[0])];
        if (s.ask != Ask::lead || whole) {
            EXPECT_TRUE(seen.count(r)) << "a legal play not offered";
        }
    }
}

struct Hint : test::SessionFixture {};

TEST_F(Hint, EveryOfferIsLegalAndTheFirstIsTheComputersDecision) {
    for (bool threes : {true, false}) {
        settings.threes_rule = threes;
        Session game(settings, platform, threes ? 808 : 909);
        int decisions = 0, compared = 0;
        test::play_until(game, 3000, [&] {
            if (game.human_decides()) {
                ++decisions;
                check_offers(game.state(), compared);
            }
            return game.helps().deal_number() > (threes ? 808003u : 909003u);
        });
        EXPECT_GT(decisions, 30);
        EXPECT_GT(compared, decisions * 9 / 10);
    }
}

TEST_F(Hint, WhatTheOthersHoldNeverChangesTheHint) {
    Session game(settings, platform, 4242);
    int checked = 0;
    test::play_until(game, 3000, [&] {
        const game::State& s = game.state();
        if (game.human_decides() && s.hands[Seat::B].size() > 0 && s.hands[Seat::D].size() > 0) {
            // Another deal of the hidden cards, each hand keeping its size.
            game::State other = s;
            game::Hand b, d;
            std::vector<Card> pool(s.hands[Seat::B].begin(), s.hands[Seat::B].end());
            pool.insert(pool.end(), s.hands[Seat::D].begin(), s.hands[Seat::D].end());
            std::reverse(pool.begin(), pool.end());
            for (std::size_t i = 0; i < pool.size(); ++i)
                (static_cast<int>(i) < s.hands[Seat::B].size() ? b : d).push(pool[i]);
            other.hands[Seat::B] = b;
            other.hands[Seat::D] = d;
            EXPECT_EQ(hint_offers(other), hint_offers(s));
            ++checked;
        }
        return game.helps().deal_number() > 4242002u;
    });
    EXPECT_GT(checked, 10);
}

TEST_F(Hint, TheButtonRaisesEachOfferInTurnAndCycles) {
    Session game(settings, platform, 31);
    EXPECT_FALSE(game.helps().hint()) << "nothing to decide before the shuffle";
    int cycled = 0, passes = 0;
    test::play_until(game, 3000, [&] {
        if (!game.human_decides() || game.state().ask == Ask::return_tribute) return cycled >= 3 && passes >= 1;
        const std::vector<Decision> offers = hint_offers(game.state());
        const std::size_t record_lines = game.helps().record().deals().back().lines.size();
        for (std::size_t round = 0; round < offers.size() + 1; ++round) {
            const std::size_t notes = game.view().note_log().size();
            EXPECT_TRUE(game.helps().hint());
            const Decision& offer = offers[round % offers.size()];
            if (offer.move == Move::play) {
                std::vector<Card> picked = game.picking().picks();
                std::vector<Card> want = offer.cards;
                std::sort(picked.begin(), picked.end());
                std::sort(want.begin(), want.end());
                EXPECT_EQ(picked, want);
                // The play button as for the same cards picked by hand.
                EXPECT_TRUE(game.button(ButtonId::play).enabled);
            } else {
                ++passes;
                EXPECT_TRUE(game.picking().picks().empty());
                EXPECT_FALSE(game.button(ButtonId::play).enabled);
                EXPECT_EQ(game.view().note_log().size(), notes + 1);
                EXPECT_EQ(game.view().note_log().back(),
                          game.state().ask == Ask::follow_or_hold ? "提示：扣牌" : "提示：过牌");
            }
        }
        EXPECT_EQ(game.helps().record().deals().back().lines.size(), record_lines)
            << "a hint is not part of the record";
        ++cycled;
        return cycled >= 3 && passes >= 1;
    });
}

TEST_F(Hint, ForAReturnOwedItRaisesTheComputersReturn) {
    Session game(settings, platform, 2024);
    int returns = 0;
    test::play_until(game, 20000, [&] {
        if (game.state().ask != Ask::return_tribute) return returns >= 1;
        const game::Debt& debt = game.state().ledger[static_cast<std::size_t>(game.state().settling)];
        const std::optional<Decision> computer = host::computer_choice(game.state());
        EXPECT_TRUE(game.helps().hint());
        std::vector<Card> picked = game.picking().picks(), want = computer->cards;
        std::sort(picked.begin(), picked.end());
        std::sort(want.begin(), want.end());
        EXPECT_EQ(picked, want);
        EXPECT_LE(static_cast<int>(picked.size()), debt.count);
        ++returns;
        return true;
    });
    EXPECT_GE(returns, 1);
}

}  // namespace
}  // namespace tav
