// What one seat may observe of what happens, and what it may know of the
// game: its own cards face up, the others' as face-down cards (card 0:
// counted, never named) until they are played, handed or traded face up on
// the table. Nothing in an event or the state names the shuffle's order or
// the generator, so neither can reach a seat.
#pragma once

#include <span>
#include <vector>

#include "model/events.h"
#include "model/state.h"

namespace tav::game {

// The event as `seat` sees it.
Event observed(const Event& e, Seat seat);
// The events of a step as `seat` sees them, in order.
std::vector<Event> observe(std::span<const Event> events, Seat seat);

// The game as `seat` may know it: its own hand, each other hand as as many
// face-down cards, and everything shown on the table as it stands (the
// plays, the cleared cards, the cards handed in tributes, places, scores,
// the ledger, the trick). The computer levels and the hint decide from it.
State known_to(const State& s, Seat seat);

}  // namespace tav::game
