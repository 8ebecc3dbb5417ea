// Humans played at random through the rule gate: at every step the seat
// asked chooses uniformly among the decisions `legal_decisions` lists, each
// goes through `check` and then `apply`, and the invariants are checked after
// every step and every action. Seat A alone is such a human, or every seat
// (`every_seat`); the computer plays the others. The shuffle is the
// driver's chance step. The gate's test runs a few hundred deals of it;
// `tav-sim --random-human` runs as many as asked.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/rules_settings.h"

namespace tav::sim {

struct RandomPlayTally {
    long long deals = 0;               // deals played to their end
    long long decisions = 0;           // the humans' decisions, the shuffles included
    std::array<long long, 7> moves{};  // decisions by kind (game::Move)
    std::string fault;                 // "" or the first thing that broke, with its deal
};

// Plays `deals` deals of one game from `seed`; stops at the first fault.
RandomPlayTally random_play(const game::Rules& rules, long long deals, std::uint64_t seed, bool every_seat = false);

}  // namespace tav::sim
