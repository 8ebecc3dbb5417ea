// The engine from outside: asking the computer what it would play changes
// nothing, and a game stepped by the same decisions from the same seed is the
// same game. (Every refusal, and that it changes nothing: gate_test.cpp.)
#include <gtest/gtest.h>

#include <random>

#include "model/invariants.h"
#include "rules/engine.h"
#include "tests/engine/game_support.h"

namespace tav::game {
namespace {

// A game dealt from `seed`, played on by the computer for seat A until the
// human is asked `want` (or `limit` actions pass).
struct Game {
    State s = new_game(Rules{});
    std::mt19937_64 rng;
    Events ev;
    explicit Game(std::uint64_t seed) : rng(seed) {
        EXPECT_TRUE(tav::test::human_acts(s, Decision{Move::shuffle, {}}, ev, rng));
    }
    bool reach(Ask want, int limit = 400) {
        for (int i = 0; i < limit; ++i) {
            if (s.ask == want) return true;
            if (!tav::test::autoplay(s, ev, rng)) return false;
        }
        return s.ask == want;
    }
};

// What the computer says it would decide (a network player's auto-play
// sends it as the player's own) changes nothing, passes the gate, and is
// exactly what it then does, also where its first choice is refused.
TEST(Engine, WhatTheComputerWouldDecideIsAllowedAndIsWhatItDoes) {
    for (std::uint64_t seed : {3, 8, 21}) {
        Game g(seed);
        for (int step = 0; step < 2000; ++step) {
            if (g.s.ask == Ask::shuffle) {
                ASSERT_TRUE(tav::test::human_acts(g.s, Decision{Move::shuffle, {}}, g.ev, g.rng));
                continue;
            }
            const State before = g.s;
            const std::optional<Decision> d = host::computer_choice(g.s);
            ASSERT_TRUE(d) << "step " << step;
            test::expect_same(g.s, before);
            const Seat seat = *game::current_seat(g.s);
            ASSERT_TRUE(game::check(g.s, seat, *d)) << "seed " << seed << " step " << step;
            State said = g.s;
            Events ev;
            ASSERT_TRUE(host::decide(said, seat, *d, ev));
            ASSERT_TRUE(host::computer_decides(g.s, g.ev));
            test::expect_same(said, g.s);
        }
    }
}

TEST(Engine, TheSameSeedAndDecisionsGiveTheSameGame) {
    Game a(77), b(77);
    for (int i = 0; i < 200; ++i) {
        if (a.s.ask == Ask::shuffle) {
            ASSERT_TRUE(tav::test::human_acts(a.s, Decision{Move::shuffle, {}}, a.ev, a.rng));
            ASSERT_TRUE(tav::test::human_acts(b.s, Decision{Move::shuffle, {}}, b.ev, b.rng));
        } else {
            ASSERT_TRUE(host::computer_decides(a.s, a.ev));
            ASSERT_TRUE(host::computer_decides(b.s, b.ev));
        }
        test::expect_same(a.s, b.s);
    }
    EXPECT_TRUE(a.ev.list == b.ev.list);
}

TEST(Engine, ACopiedStatePlaysOnAloneAndTheOriginalIsUntouched) {
    Game g(21);
    ASSERT_TRUE(g.reach(Ask::follow));
    const State original = g.s;
    State copy = g.s;
    Events scratch;
    for (int i = 0; i < 50 && copy.ask != Ask::shuffle; ++i) ASSERT_TRUE(host::computer_decides(copy, scratch));
    test::expect_same(g.s, original);
    EXPECT_EQ(check_cards(copy), "");
}

}  // namespace
}  // namespace tav::game
