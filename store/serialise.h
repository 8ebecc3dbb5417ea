// The game state as text, to keep a game between runs. Every field of
// `State` is written by name in a fixed order, one field or pile to a line:
//
//   state 3
//   rules 1 0 0 1
//   levels 0 0 0 0 0 0
//   phase 2
//   ...
//
// Reading is strict: each line must be the next expected field, numbers in
// range (a hand no bigger than play can make it, the deal's steps within the
// engine's bound), nothing left over; a state read back is then checked
// (every card in exactly one place, plays of one rank, places and counts
// consistent) before it is handed out. Anything else is refused with a
// reason in the game's own Chinese, never guessed.
//
// The version rule: the first line's format goes up whenever a field is
// added, removed or read differently, so that a text of an older format is
// refused as such ("an older version"), never as a damaged text. Format 1
// had no `levels` line; format 2 adds it; format 3 adds the `human` line
// (format 2 read as seat A alone) and drops the engine's schedule, which no
// longer lives in the state (a format 2 text is read only with no step due).
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "model/state.h"

namespace tav::game {

// The version written in the first line; a text of any other version is refused.
inline constexpr int kStateFormat = 3;
// The oldest format still read.
inline constexpr int kOldestStateFormat = 2;

// The state as lines of text, each ended with '\n'.
std::string write_state(const State& s);

// A state read back, or why it was refused.
struct StateRead {
    State state;
    std::string error;  // "" when `state` is good
    bool ok() const { return error.empty(); }
};
StateRead read_state(std::string_view text);

// What must hold for a state to be played on, beyond check_cards and
// check_plays: places given once each and counted, seats and slots in range,
// the ledger's slot in range. "" when all is well.
std::string check_consistent(const State& s);

}  // namespace tav::game
