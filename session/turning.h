// A network player sits at any seat but sees the table from the bottom, as
// the player of a game alone does: the game is turned so that its seat is A.
// Play goes round in the same order and partners stay partners, so every
// rule answers the same on the turned game; only the names of the seats
// move (and, from B, D or F, which side is A's).
#pragma once

#include "model/events.h"
#include "model/seat.h"
#include "model/state.h"

namespace tav {

// Seat `s` of the table as the player at `local` sees it, and back.
constexpr game::Seat turned(game::Seat s, game::Seat local) {
    return game::seat_at(game::index_of(s) - game::index_of(local));
}
constexpr game::Seat unturned(game::Seat s, game::Seat local) {
    return game::seat_at(game::index_of(s) + game::index_of(local));
}

game::State turned(const game::State& s, game::Seat local);
game::Event turned(const game::Event& e, game::Seat local);

}  // namespace tav
