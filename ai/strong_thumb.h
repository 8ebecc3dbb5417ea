// The strong level's rules of thumb: the classic level's choice, mended where
// it throws away the cards that win tricks or the side's interest.
// - A partner's play is left alone (unless the answer empties the hand): the
//   partner keeps the lead, and no card is spent against the own side.
// - A lone natural card is answered with the weakest single natural card that
//   beats it rather than with a 2, and a group of natural cards is not
//   answered with 2s alone while its player is not close to going out.
// - An opponent close to going out is beaten with the cheapest answer, even by
//   breaking a group or adding wild cards, where the classic level would pass.
// The strong level takes these at every turn where it does not look ahead,
// and plays its drawn worlds with them.
#pragma once

#include "model/decision.h"
#include "model/state.h"

namespace tav::game::strong {

// An opponent holding this many cards or fewer is close to going out.
inline constexpr int kCloseToOut = 12;

// A partner's play stands, the partner still in play, and no answer would
// empty the hand: the rules of thumb pass. Reads only what the seat knows.
bool leaves_partner_alone(const State& s, Seat seat);

// The choice of the seat at its turn in `s`. It asks the classic level, which
// reads the standing seat's hand in `s`: give it a drawn world, never the
// table's own state.
Decision rules_of_thumb(const State& s, Seat seat);

}  // namespace tav::game::strong
