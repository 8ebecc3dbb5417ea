// The shuffle: the order in which the 216 cards leave the pack. Each card is
// drawn uniformly from those left; the deal hands them round the table in
// this order. The game's generator is drawn from here and nowhere else, so a
// game's seed and the number of shuffles made fix every deal.
#pragma once

#include <array>
#include <random>

#include "model/cards.h"

namespace tav::game {

std::array<Card, kCards> shuffle_order(std::mt19937_64& rng);

}  // namespace tav::game
