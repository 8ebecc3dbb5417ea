// The classic computer level: fixed heuristics, no search.
//
// A seat leads its weakest rank whole (threes last under the rule on threes)
// unless it can rush out with its jokers and 2s. It answers a standing play
// with a rank of exactly the needed size, never breaking a group then; it
// leaves a partner's challenge, big play or last rank alone, never answers a
// big joker, answers a lone card with a 2 when it can, 2s with small jokers
// and small jokers with big jokers. It breaks a large group when its surplus
// is big, and breaks or tops up any group when the standing seat could go
// out with its next play.
#pragma once

#include <optional>
#include <vector>

#include "ai/view.h"
#include "model/decision.h"

namespace tav::game::classic {

// The lead: cards in the order they are laid.
std::vector<Card> lead(const SeatView& v);
// The plain lead: the weakest rank whole (threes last under the rule on threes).
std::vector<Card> weakest_rank(const SeatView& v);
// The answer to the standing play: cards in the order laid, or none to pass.
std::optional<std::vector<Card>> follow(const SeatView& v);
// Whatever is due: a lead, or a follow or pass.
Decision decide(const SeatView& v);

// The cards given back for a tribute of `owed` cards: single cards of a rank
// from nines down to fours first, never a three. Fewer when the hand has no
// more candidates.
std::vector<Card> choose_return(const Hand& hand, int owed);

}  // namespace tav::game::classic
