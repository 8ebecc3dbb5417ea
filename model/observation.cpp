#include "model/observation.h"

namespace tav::game {

Event observed(const Event& e, Seat seat) {
    // Only a card dealt and a hand laid out name cards still in a hand;
    // every other kind names cards shown face up to the table, or none.
    if (const auto* d = std::get_if<Dealt>(&e); d && d->seat != seat) return Dealt{d->seat, 0, d->number};
    if (const auto* l = std::get_if<LaidOut>(&e); l && l->seat != seat) {
        LaidOut hidden{l->seat, {}};
        for (int i = 0; i < l->cards.size(); ++i) hidden.cards.push(0);
        return hidden;
    }
    return e;
}

std::vector<Event> observe(std::span<const Event> events, Seat seat) {
    std::vector<Event> out;
    out.reserve(events.size());
    for (const Event& e : events) out.push_back(observed(e, seat));
    return out;
}

State known_to(const State& s, Seat seat) {
    State k = s;
    for (Seat other : kAllSeats) {
        if (other == seat) continue;
        Hand& hand = k.hands[other];
        const int size = hand.size();
        hand.clear();
        for (int i = 0; i < size; ++i) hand.push(0);
    }
    return k;
}

}  // namespace tav::game
