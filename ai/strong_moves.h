// The plays the strong level weighs: built from the seat's own hand and the
// standing play alone, each one a play the rules allow.
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

// At most `most` answers to `standing` from `hand`, the cheapest first (a
// group of exactly the size before a broken group, natural cards before wild
// ones, weak before strong). Each beats the standing play.
std::vector<std::vector<Card>> answer_choices(const Hand& hand, const Play& standing, int most);

}  // namespace tav::game::strong
