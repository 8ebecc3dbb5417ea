// Stepping the game: a decision goes in, the state changes, events come out.
#pragma once

#include <random>

#include "model/decision.h"
#include "model/events.h"
#include "model/state.h"

namespace tav::game {

// A new game: scores 0, no tributes owed, the first shuffle due.
State new_game(const Rules& rules);

// The human's decision for seat A, for what the state asks (`State::ask`):
// checked against the rules, refused with a reason (nothing changed) or
// carried out; then the computer seats play on until the human must act
// again or the deal is over. The shuffle draws from `rng`.
Verdict apply(State& s, const Decision& d, Events& ev, std::mt19937_64& rng);

// What the computer would do in seat A's place now (a lead, a follow or a
// pass, the return owed, yes to a partner's tribute); none when nothing is asked.
std::optional<Decision> computer_choice_for_human(const State& s);

// The computer acts in seat A's place, exactly as it acts for its own seats
// (its pass counts like theirs); refused when seat A is asked nothing it can answer.
Verdict apply_computer_for_human(State& s, Events& ev);

// Looking ahead: `d` (a play, or a pass when a play stands) carried out for
// the seat whose turn it is, computer or human, in place of its own choice;
// then the computer seats play on as after any action. Refused, nothing
// changed, when no seat is at its turn or the cards are not its own or do
// not make a play there (under the rule on threes no three goes while the
// hand holds other cards). For copies of the state a level plays out.
Verdict apply_turn(State& s, const Decision& d, Events& ev);

// Runs the steps a state has scheduled (`State::next`), for a state built by
// hand in the middle of a trick: the computer seats play on until the human
// must act or the deal is over.
void advance(State& s, Events& ev);

// The whole game from the start: scores, tributes and the first leader cleared.
void reset_game(State& s, Events& ev);

}  // namespace tav::game
