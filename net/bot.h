// A bot at a table: a legal decision for its seat, drawn at random, from
// what its mirror knows. The load generator's clients and the server's tests
// play with it.
#pragma once

#include <optional>
#include <random>

#include "net/mirror.h"
#include "net/protocol.h"

namespace tav::net {

// When the mirror's seat is asked: one of the decisions the engine's gate
// lists for it, uniformly (the shuffle names no cards: the server draws the
// pack), carrying the version it is made for. None when the seat is not
// asked, or the mirror's game does not ask it.
std::optional<Decide> bot_decision(const SeatMirror& mirror, std::mt19937_64& rng);

}  // namespace tav::net
