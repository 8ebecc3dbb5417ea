#include "host/driver.h"

#include "ai/level.h"
#include "model/shuffle.h"
#include "rules/engine.h"
#include "rules/gate.h"

namespace tav::host {

using game::Ask;
using game::Decision;
using game::Move;
using game::Seat;
using game::State;
using game::Verdict;

std::optional<Decision> computer_choice(const State& s) {
    const std::optional<Seat> seat = game::current_seat(s);
    if (!seat || s.ask == Ask::shuffle) return std::nullopt;
    return game::computer_allowed_decision(s, *seat);
}

void play_computer_seats(State& s, game::Events& ev) {
    for (;;) {
        const std::optional<Seat> seat = game::current_seat(s);
        if (!seat || s.human[*seat] || s.ask == Ask::shuffle) return;
        if (!game::computer_acts(s, *seat, ev)) return;
    }
}

Verdict decide(State& s, Seat seat, const Decision& d, game::Events& ev) {
    if (Verdict v = game::apply(s, seat, d, ev); !v) return v;
    play_computer_seats(s, ev);
    return {};
}

Verdict computer_decides(State& s, game::Events& ev) {
    const std::optional<Seat> seat = game::current_seat(s);
    if (!seat || s.ask == Ask::shuffle) return Verdict{"nothing is asked that the computer answers"};
    if (!game::computer_acts(s, *seat, ev)) return Verdict{"the rules allow the seat asked nothing"};
    play_computer_seats(s, ev);
    return {};
}

Verdict shuffle(State& s, game::Events& ev, std::mt19937_64& rng) {
    // Refused before the generator moves: a refused shuffle changes nothing.
    const std::optional<Seat> seat = game::current_seat(s);
    if (s.ask != Ask::shuffle || !seat) return game::check(s, seat.value_or(Seat::A), Decision{Move::shuffle, {}});
    const std::array<game::Card, game::kCards> order = game::shuffle_order(rng);
    return decide(s, *seat, Decision{Move::shuffle, {order.begin(), order.end()}}, ev);
}

}  // namespace tav::host
