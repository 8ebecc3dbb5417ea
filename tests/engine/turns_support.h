// Turns and tricks on a table laid out by hand: the fixture the trick tests
// and the human's turn tests share.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "rules/engine.h"
#include "tests/engine/game_support.h"

namespace tav::test {

struct Turns : ::testing::Test {
    Table t;
    std::mt19937_64 rng{1};

    // `leader` leads a new trick and the computer seats play on.
    void lead_from(Seat leader) {
        game::DealSteps f = t.flow();
        f.schedule(game::DealSteps::Next::end_trick, leader);
        t.run_on(f);
    }
    // The computer seats play on from a state set by hand.
    void take_next_turn() {
        game::DealSteps f = t.flow();
        f.schedule(game::DealSteps::Next::turn, std::nullopt);
        t.run_on(f);
    }
    game::Verdict act(const game::Decision& d) { return tav::test::human_acts(t.s, d, t.ev, rng); }
    // Every card of that word in the human's hand.
    std::vector<Card> human_cards(const std::string& word) const {
        std::vector<Card> out;
        for (Card c : t.s.hands[Seat::A])
            if (Cards::word_of(c) == word) out.push_back(c);
        return out;
    }
    std::vector<std::string> notes_from(std::size_t from) const {
        const std::vector<std::string> all = t.notes();
        return {all.begin() + static_cast<long>(std::min(from, all.size())), all.end()};
    }
    std::vector<test::Row> events_of(test::Kind kind) const {
        std::vector<test::Row> out;
        for (const test::Row& e : test::rows(t.ev))
            if (e.kind == kind) out.push_back(e);
        return out;
    }
};

}  // namespace tav::test
