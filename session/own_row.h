// The table lays out again only its own seat A's hand (after the deal and
// after threes are bought). A network player sits at any seat and sees it
// as A, so its row is laid out here: once its cards are all dealt, and after
// a three it bought or sold, each time sorted by rank as in a game alone.
#pragma once

#include <vector>

#include "model/cards.h"
#include "model/events.h"

namespace tav {

// `events` (seats as the player sees them, its own A) with the player's hand
// laid out where the table left it unsorted or where it was. `before` is
// the hand as the step began.
std::vector<game::Event> own_row_laid_out(const std::vector<game::Event>& events, const game::Hand& before);

}  // namespace tav
