// The computer's choice for a seat at the level the rules give that seat
// (`Rules::levels`): the classic heuristics or the strong level. The engine
// asks here for every computer turn, seat A's included when the computer
// plays it; it checks what comes back before carrying it out.
#pragma once

#include <optional>
#include <vector>

#include "model/decision.h"
#include "model/state.h"

namespace tav::game {

// The lead of `seat`, whose turn it is with no play standing.
std::vector<Card> computer_lead_for(const State& s, Seat seat);
// The answer of `seat` to the standing play; none to pass.
std::optional<std::vector<Card>> computer_follow_for(const State& s, Seat seat);
// Whatever is due of `seat` at its turn: a lead, or a follow or pass.
Decision computer_decide_for(const State& s, Seat seat);

}  // namespace tav::game
