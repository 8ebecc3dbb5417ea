// The game state as text, to keep a game between runs. Every field of
// `State` is written by name in a fixed order, one field or pile to a line:
//
//   state 1
//   rules 1 0 0 1
//   phase 2
//   ...
//
// Reading is strict: each line must be the next expected field, numbers in
// range, nothing left over; a state read back is then checked (every card in
// exactly one place, plays of one rank, places and counts consistent) before
// it is handed out. Anything else is refused with a reason, never guessed.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "model/state.h"

namespace tav::game {

// The version written in the first line; a text of any other version is refused.
inline constexpr int kStateFormat = 1;

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
