// Stepping the game: one decision of the seat that must decide goes in, the
// state changes, events come out. Who decides at each seat, and the running
// of the computer seats, is the driver's (host/driver.h).
#pragma once

#include "model/decision.h"
#include "model/events.h"
#include "model/state.h"

namespace tav::game {

// A new game: scores 0, no tributes owed, the first shuffle due.
State new_game(const Rules& rules);

// Carries out exactly one decision of `seat`, the seat that must decide now
// (rules/gate.h): refused with the gate's reason, nothing changed, or carried
// out; then the steps that need nobody's decision run (the end of a trick,
// places, tributes paid) until some seat must decide or the deal is over.
// The shuffle's decision brings the pack in the order it is dealt.
Verdict apply(State& s, Seat seat, const Decision& d, Events& ev);

// The whole game from the start: scores, tributes and the first leader cleared.
void reset_game(State& s, Events& ev);

}  // namespace tav::game
