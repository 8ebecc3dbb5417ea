// What one seat may observe of what happens: its own cards face up, the
// others' as face-down cards (card 0: counted, never named) until they are
// played, handed or traded face up on the table. Nothing in an event names
// the shuffle's order or the generator, so neither can reach a seat.
#pragma once

#include <span>
#include <vector>

#include "model/events.h"

namespace tav::game {

// The event as `seat` sees it.
Event observed(const Event& e, Seat seat);
// The events of a step as `seat` sees them, in order.
std::vector<Event> observe(std::span<const Event> events, Seat seat);

}  // namespace tav::game
