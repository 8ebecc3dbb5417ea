#include "session/turning.h"

#include <optional>

namespace tav {
namespace {

using game::Seat;

template <class T>
game::PerSeat<T> turned_seats(const game::PerSeat<T>& v, Seat local) {
    game::PerSeat<T> out = v;
    for (Seat s : game::kAllSeats) out[turned(s, local)] = v[s];
    return out;
}

std::optional<Seat> turned_maybe(std::optional<Seat> s, Seat local) {
    if (!s) return s;
    return turned(*s, local);
}

// Every seat an event names, turned; the sides swap when A's partners do.
struct TurnEvent {
    Seat local;
    void operator()(game::Swept& e) const {
        if (game::index_of(local) % 2 != 0) e.human_side = !e.human_side;
    }
    void operator()(game::TributeFiled& e) const {
        e.payer = turned(e.payer, local);
        e.receiver = turned_maybe(e.receiver, local);
    }
    void operator()(game::TributeHanded& e) const { e.giver = turned(e.giver, local); }
    void operator()(game::ThreeBought& e) const {
        e.buyer = turned(e.buyer, local);
        e.seller = turned(e.seller, local);
    }
    template <class E>
    void operator()(E& e) const {
        if constexpr (requires { e.seat; }) e.seat = turned(e.seat, local);
    }
};

}  // namespace

game::State turned(const game::State& s, Seat local) {
    game::State t = s;
    if (local == Seat::A) return t;
    for (Seat x : game::kAllSeats)
        t.rules.levels[game::array_index(turned(x, local))] = s.rules.levels[game::array_index(x)];
    t.human = turned_seats(s.human, local);
    t.hands = turned_seats(s.hands, local);
    t.plays = turned_seats(s.plays, local);
    t.places = turned_seats(s.places, local);
    t.open_point = turned_seats(s.open_point, local);
    t.scores = turned_seats(s.scores, local);
    t.trick.standing = turned_maybe(s.trick.standing, local);
    t.trick.turn = turned_maybe(s.trick.turn, local);
    for (game::Debt& d : t.ledger) {
        d.payer = turned_maybe(d.payer, local);
        d.receiver = turned_maybe(d.receiver, local);
    }
    t.first_leader = turned_maybe(s.first_leader, local);
    return t;
}

game::Event turned(const game::Event& e, Seat local) {
    game::Event t = e;
    if (local != Seat::A) std::visit(TurnEvent{local}, t);
    return t;
}

}  // namespace tav
