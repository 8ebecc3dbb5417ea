// The plays the strong level weighs: a few picked from the plays the rules
// allow the seat's own hand (`legal_plays`), from that hand and the standing
// play alone.
#pragma once

#include <vector>

#include "model/cards.h"
#include "model/rules_settings.h"

namespace tav::game::strong {

// A few leads from `hand` (sorted strongest first), the likeliest first:
// the weakest ranks whole, and near the end the wild cards together and the
// weakest rank with them. Under the rule on threes no three is led while
// other cards remain. Empty only for an empty hand.
std::vector<std::vector<Card>> lead_choices(const Hand& hand, const Rules& rules);

// At most `most` answers to `standing` from `hand`, the cheapest first: for
// each natural rank (and for wild cards alone) its cheapest answer, where
// wild cards cost most, a broken group costs, and a strong rank costs a
// little (so a group of exactly the size goes before a broken group, natural
// cards before wild ones, weak before strong). Every answer that beats the
// standing play is weighed, so this is empty only when none does.
std::vector<std::vector<Card>> answer_choices(const Hand& hand, const Play& standing, const Rules& rules, int most);

}  // namespace tav::game::strong
