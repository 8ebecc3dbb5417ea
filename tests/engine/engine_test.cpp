// The engine from outside: decisions refused with a reason change nothing,
// asking the computer what it would play changes nothing, and a game stepped
// by the same decisions from the same seed is the same game.
#include <gtest/gtest.h>

#include <random>

#include "ai/classic.h"
#include "model/invariants.h"
#include "rules/engine.h"
#include "rules/play.h"
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

TEST(Engine, RefusedDecisionsChangeNothing) {
    Game g(5);
    ASSERT_TRUE(g.reach(Ask::follow));
    const State before = g.s;
    const std::size_t events = g.ev.list.size();
    const Play& standing = g.s.plays[*g.s.trick.standing];
    const Hand& hand = g.s.hands[Seat::A];

    // A card the human does not hold: take one from the standing play.
    const Card foreign = standing[0];
    // A card of the human's too weak to beat the standing play (or any
    // card of a different count than the standing play).
    std::vector<Card> weak(standing.size() + 1, hand[hand.size() - 1]);
    struct Case {
        const char* what;
        Decision d;
    } cases[] = {
        {"a card not in the hand", Decision::play({foreign})},
        {"nothing picked", Decision::play({})},
        {"a card named twice", Decision::play({hand[0], hand[0]})},
        {"not a card at all", Decision::play({0})},
        {"the wrong number of cards", Decision::play(weak)},
        {"a hold-back with no challenge standing", Decision{Move::hold_back, {}}},
        {"a return nobody asked for", Decision{Move::return_tribute, {hand[0]}}},
        {"a shuffle in the middle of a deal", Decision{Move::shuffle, {}}},
    };
    for (const Case& c : cases) {
        const Verdict v = tav::test::human_acts(g.s, c.d, g.ev, g.rng);
        EXPECT_FALSE(v.ok()) << c.what;
        EXPECT_FALSE(v.reason.empty()) << c.what;
        test::expect_same(g.s, before);
        EXPECT_EQ(g.ev.list.size(), events) << c.what << ": a refused decision wrote events";
    }
}

TEST(Engine, APassIsRefusedWhereALeadIsDueAndAPlayMustBeatTheStandingOne) {
    Game g(11);
    ASSERT_TRUE(g.reach(Ask::lead));
    const State before = g.s;
    EXPECT_FALSE(tav::test::human_acts(g.s, Decision::pass(), g.ev, g.rng).ok());
    test::expect_same(g.s, before);

    // Two ranks at once is no play, lead or not.
    const Hand& hand = g.s.hands[Seat::A];
    Card a = 0, b = 0;
    for (Card c : hand)
        if (!is_wild(rank_of(c))) {
            if (!a)
                a = c;
            else if (rank_of(c) != rank_of(a))
                b = c;
        }
    ASSERT_TRUE(a && b);
    const Verdict v = tav::test::human_acts(g.s, Decision::play({a, b}), g.ev, g.rng);
    EXPECT_FALSE(v.ok());
    test::expect_same(g.s, before);
}

TEST(Engine, AReturnOfTheWrongNumberIsRefusedWithTheGamesOwnMessage) {
    // Deal until the human owes a return.
    for (std::uint64_t seed = 1; seed < 60; ++seed) {
        Game g(seed);
        if (!g.reach(Ask::return_tribute, 3000)) continue;
        const int owed = g.s.ledger[static_cast<std::size_t>(g.s.settling)].count;
        const State before = g.s;
        std::vector<Card> too_many(g.s.hands[Seat::A].begin(), g.s.hands[Seat::A].begin() + owed + 1);
        const Verdict v = tav::test::human_acts(g.s, Decision{Move::return_tribute, too_many}, g.ev, g.rng);
        EXPECT_EQ(v.reason, "请选择" + std::to_string(owed) + "张牌还贡！");
        test::expect_same(g.s, before);
        // The computer's own choice is accepted, and the settlement goes on.
        const std::optional<Decision> choice = host::computer_choice(g.s);
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->move, Move::return_tribute);
        EXPECT_EQ(static_cast<int>(choice->cards.size()), owed);
        EXPECT_TRUE(tav::test::human_acts(g.s, *choice, g.ev, g.rng).ok());
        EXPECT_NE(g.s.ask, Ask::return_tribute);
        EXPECT_EQ(check_cards(g.s), "");
        return;
    }
    FAIL() << "no seed up to 60 makes the human owe a return";
}

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
