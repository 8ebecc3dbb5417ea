// What one seat may know when it decides: its own hand, every play on the
// table and every card cleared this deal, how many cards each seat holds,
// who is out, the trick and the rules. Nothing else of the state is reachable
// from here, apart from one marked look into the standing seat's hand that
// the classic level takes.
#pragma once

#include <array>

#include "model/observation.h"
#include "model/state.h"

namespace tav::game {

class SeatView {
public:
    SeatView(const State& s, Seat seat) : s_(s), seat_(seat) {}

    Seat seat() const { return seat_; }
    const Hand& hand() const { return s_.hands[seat_]; }
    const Play& play_of(Seat s) const { return s_.plays[s]; }
    int hand_size(Seat s) const { return s_.hands[s].size(); }
    bool is_out(Seat s) const { return s_.is_out(s); }
    int out_count() const { return s_.out_count; }
    const Trick& trick() const { return s_.trick; }
    const Rules& rules() const { return s_.rules; }
    // Cards of a rank cleared from the table this deal.
    int cleared(Rank r) const { return s_.cleared.count(r); }

    // The game as this seat may know it (`known_to`): the other seats'
    // hands as face-down cards, everything shown as it stands. The strong
    // level deals the cards it cannot see into copies of this.
    State known_state() const { return known_to(s_, seat_); }

    // A look into another hand: how many natural ranks the seat whose play
    // stands still holds (0 when none stands). The classic level leaves a
    // partner's last rank alone and splits groups against a seat about to go
    // out by it; a level that plays fair does without.
    int peek_standing_natural_rank_count() const {
        return s_.trick.standing ? s_.hands[*s_.trick.standing].natural_rank_count() : 0;
    }

private:
    const State& s_;
    Seat seat_;
};

}  // namespace tav::game
