// What a play is and what beats what. A play is any number of cards of one
// natural rank plus any number of wild cards (jokers and 2s); a play of wild
// cards alone is a play too. A follow has as many cards as the standing play
// and, strongest paired with strongest, every card strictly stronger.
#pragma once

#include <span>

#include "model/cards.h"

namespace tav::game {

// (`is_one_rank`, at most one natural rank among the cards, is in model/cards.h.)
// `cards` (any order) beat `standing` (sorted strongest first).
bool beats(std::span<const Card> cards, const Play& standing);
// `cards` may be played on `standing` (nullptr when a lead is due).
bool can_play(std::span<const Card> cards, const Play* standing);

// A challenge ("瑟柯牌"): a play holding a joker, made of 2s only, or with
// enough aces (2), kings (2), queens (3), jacks (4) or tens (5), each 2
// counting with the rank.
bool is_challenge(const Play& play);

}  // namespace tav::game
