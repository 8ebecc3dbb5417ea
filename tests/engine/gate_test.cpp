// The one gate: who decides, what they may decide, and every refusal with
// its reason; and the rule on threes kept by `apply` itself. Random play
// through the gate is a row of the whole games' test.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "rules/engine.h"
#include "rules/gate.h"
#include "tests/engine/game_support.h"
#include "tests/engine/gate_support.h"

namespace tav::game {
namespace {

using test::asked;
using test::follow;
using test::lead;
using test::owing;
using test::Table;

// The ranks a decision is made of, sorted: two decisions with the same move
// and ranks are the same decision to the rules.
std::pair<Move, std::vector<Rank>> kind(const Decision& d) {
    std::vector<Rank> r;
    for (Card c : d.cards) r.push_back(rank_of(c));
    std::sort(r.begin(), r.end());
    return {d.move, r};
}

TEST(Gate, EveryRefusalHasItsReasonAndApplyRefusesTheSame) {
    for (test::Refusal& row : test::gate_refusals()) {
        EXPECT_EQ(check(row.table.s, row.seat, row.d).reason, row.reason) << row.what;
        if (row.seat != Seat::A) continue;
        const State before = row.table.s;
        std::mt19937_64 rng(1);
        EXPECT_EQ(tav::test::human_acts(row.table.s, row.d, row.table.ev, rng).reason, row.reason) << row.what;
        test::expect_same(row.table.s, before);
        EXPECT_TRUE(row.table.ev.list.empty()) << row.what;
    }
}

TEST(Gate, ALoneThreeFromThreeKingIsRefusedByApplyUnderTheRule) {
    for (const bool rule : {true, false}) {
        Table t = lead("3 K", rule);
        const Card three = t.s.hands[Seat::A][1];
        std::mt19937_64 rng(1);
        const Verdict v = tav::test::human_acts(t.s, Decision::play({three}), t.ev, rng);
        EXPECT_EQ(v.ok(), !rule) << "rule " << rule << ": " << v.reason;
        EXPECT_EQ(t.s.hands[Seat::A].contains(three), rule);
    }
    // With threes alone left they go, one or all: "lead, threes alone" below.
}

// Every decision the hand's cards can make: each subset of the hand for a
// play or a return, and each move without cards.
std::vector<Decision> every_decision(const Hand& h) {
    std::vector<Decision> out;
    for (Move m : {Move::shuffle, Move::pass, Move::hold_back, Move::take_tribute, Move::let_tribute_go})
        out.push_back(Decision{m, {}});
    for (unsigned mask = 1; mask < (1u << h.size()); ++mask) {
        std::vector<Card> cards;
        for (int i = 0; i < h.size(); ++i)
            if (mask & (1u << i)) cards.push_back(h[i]);
        out.push_back(Decision::play(cards));
        out.push_back(Decision{Move::return_tribute, cards});
    }
    return out;
}

TEST(Gate, LegalDecisionsAreExactlyWhatTheGateLetsThrough) {
    struct Row {
        const char* what;
        Table table;
        std::size_t count;
    } rows[] = {
        {"lead, threes kept back", lead("3 K K 2"), 5},  // 2, K, K K, 2 K, 2 K K
        {"lead, rule off", lead("3 K K 2", false), 7},   // and 3, 2 3
        {"lead, threes alone", lead("3 3 3"), 3},
        {"lead, wild cards", lead("BJ SJ 2 5"), 15},        // 7 of wild cards, 8 with the five
        {"follow", follow("K K A 2 5", "Q Q"), 4},          // K K, 2 K, 2 A, pass
        {"challenge", follow("2 2 BJ K", "A A", true), 3},  // 2 2, BJ 2, hold back
        {"return", owing("K 9 9 3", 2), 2},                 // K 9, 9 9
        {"return, rule off", owing("K 9 9 3", 2, false), 4},
        {"partner", asked(Ask::take_partner_tribute), 2},
        {"shuffle", asked(Ask::shuffle), 1},
        {"nothing", asked(Ask::nothing), 0},
    };
    for (const Row& row : rows) {
        const State& s = row.table.s;
        const std::vector<Decision> legal = legal_decisions(s);
        EXPECT_EQ(legal.size(), row.count) << row.what;
        std::vector<std::pair<Move, std::vector<Rank>>> kinds;
        for (const Decision& d : legal) {
            EXPECT_TRUE(check(s, Seat::A, d)) << row.what << ": " << check(s, Seat::A, d).reason;
            kinds.push_back(kind(d));
        }
        std::sort(kinds.begin(), kinds.end());
        EXPECT_EQ(std::adjacent_find(kinds.begin(), kinds.end()), kinds.end()) << row.what << ": listed twice";
        for (const Decision& d : every_decision(s.hands[Seat::A])) {
            const bool listed = std::binary_search(kinds.begin(), kinds.end(), kind(d));
            EXPECT_EQ(check(s, Seat::A, d).ok(), listed)
                << row.what << ": move " << static_cast<int>(d.move) << ", " << d.cards.size() << " cards";
        }
    }
}

TEST(Gate, ADebtOnlyAStateMadeByHandCouldOweIsListedWithinBounds) {
    // Eleven of eleven ranks held twice each: 8953 sets of ranks, cut.
    const Table big = owing("A A K K Q Q J J 10 10 9 9 8 8 7 7 6 6 5 5 4 4", 11);
    const std::vector<Decision> legal = legal_decisions(big.s);
    EXPECT_EQ(legal.size(), 4096u);
    for (const Decision& d : legal) EXPECT_TRUE(check(big.s, Seat::A, d)) << check(big.s, Seat::A, d).reason;
    EXPECT_TRUE(legal_decisions(owing("K 9", 3).s).empty());  // more than the hand holds
}

}  // namespace
}  // namespace tav::game
