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

TEST(Engine, AskingWhatTheComputerWouldPlayChangesNothing) {
    Game g(3);
    for (int turn = 0; turn < 30 && g.reach(Ask::follow); ++turn) {
        const State before = g.s;
        const std::optional<Decision> d = host::computer_choice(g.s);
        ASSERT_TRUE(d);
        test::expect_same(g.s, before);
        // What it says it would play is what it then plays.
        const Hand hand_before = g.s.hands[Seat::A];
        ASSERT_TRUE(host::computer_decides(g.s, g.ev));
        if (d->move == Move::play) {
            for (Card c : d->cards) EXPECT_FALSE(g.s.hands[Seat::A].contains(c));
            EXPECT_EQ(g.s.hands[Seat::A].size() + static_cast<int>(d->cards.size()), hand_before.size());
        } else {
            EXPECT_EQ(g.s.hands[Seat::A], hand_before);
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
