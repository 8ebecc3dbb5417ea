// The computer's choice for a seat at the level the rules give that seat
// (`Rules::levels`): the classic heuristics or the strong level. The driver
// (host/driver.h) and the strong level's look-ahead ask here for every
// computer decision, a human seat's included when the computer plays it; the
// gate checks what comes back before it is carried out.
#pragma once

#include <optional>
#include <vector>

#include "model/decision.h"
#include "model/events.h"
#include "model/state.h"

namespace tav::game {

// The lead of `seat`, whose turn it is with no play standing.
std::vector<Card> computer_lead_for(const State& s, Seat seat);
// The answer of `seat` to the standing play; none to pass.
std::optional<std::vector<Card>> computer_follow_for(const State& s, Seat seat);
// Whatever is due of `seat`, asked now (or at its turn in a state built by
// hand): a lead, a follow, a pass or hold-back (under a challenge), the
// return owed (the classic level's), yes to a partner's tribute. Marked
// `by_computer`.
Decision computer_decision(const State& s, Seat seat);

// Carries out the computer's decision for `seat`, the seat asked now. A
// choice the gate refuses is replaced as the rules always have: a refused
// answer is a pass, a refused lead the weakest rank whole; failing that, the
// first decision the rules allow. False when even that is refused (nothing
// changed). Computer seats and a human's auto-play alike act through here.
bool computer_acts(State& s, Seat seat, Events& ev);
// The decision `computer_acts` would carry out, for a seat whose decisions
// are carried out elsewhere (a network table's player on auto-play).
std::optional<Decision> computer_allowed_decision(const State& s, Seat seat);

}  // namespace tav::game
