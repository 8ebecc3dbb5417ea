// The hint: what the computer would do in the human's place, then every
// other play the human may make now, weakest first, for the hint button to
// cycle through. It is worked out from what the human may know: the other
// hands are hidden from it (see `seen_by_human`), so a hint never tells
// the human anything about them.
#pragma once

#include <vector>

#include "model/decision.h"
#include "model/state.h"

namespace tav {

// The state as the human deciding now may know it (`known_to`): the other
// seats' hands keep their sizes but not their cards. The computer's choice
// needs cards to read, so in their place each holds as many different
// natural ranks as its size allows, which is all the human can tell about them.
game::State seen_by_human(const game::State& s);

// The plays the human may make now (`legal_decisions`), weakest first: for a
// lead, each rank it holds laid whole (threes only once nothing else is
// left, under the rule on threes); for a follow, every make-up of as many
// cards as the standing play that beats it. Weaker means a weaker strongest card, then a weaker next
// card, and so on. Empty when no play is asked.
std::vector<std::vector<game::Card>> candidate_plays(const game::State& s);

// The hint's offers in the order the button gives them: the computer's
// choice from `seen_by_human` first (a pass or hold-back is an offer with
// no cards; for a return owed, the cards the computer would give back),
// then the candidate plays not yet offered. Empty when nothing is asked.
std::vector<game::Decision> hint_offers(const game::State& s);

}  // namespace tav
