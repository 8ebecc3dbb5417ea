// At a network table the other seats' cards are face down and their numbers
// unknown, but the table draws every card as a picture of its own. Each
// face-down card is therefore shown as a stand-in: a card number that no
// card in sight uses. When a seat lays a card face up whose number stands in
// for a card in another hand, the two hands trade their stand-ins (both face
// down, so nothing the player sees is wrong) and the other hand is laid out
// again. Seats as the player sees them: its own is A, whose cards are named.
#pragma once

#include <bitset>
#include <vector>

#include "model/events.h"
#include "model/state.h"

namespace tav {

class StandIns {
public:
    // The events of a step with every face-down card named by its stand-in,
    // hands laid out again where stand-ins were traded.
    std::vector<game::Event> shown(const std::vector<game::Event>& events);
    // The game with each face-down card of the other hands as its stand-in.
    game::State shown(game::State known);

private:
    game::Card fresh(const std::bitset<game::kCards + 1>& avoid);
    // `c` leaves `seat`'s hand face up; a hand laid out again, if any, goes to `out`.
    void reveal(game::Seat seat, game::Card c, const std::vector<game::Card>& avoid, std::vector<game::Event>& out);
    void reset();

    game::PerSeat<std::vector<game::Card>> down_;  // the pictures of each other hand, in its order
    std::bitset<game::kCards + 1> used_;           // in a hand as a stand-in, or seen face up
    std::vector<game::Card> loose_;                // handed face up to a seat not named
};

}  // namespace tav
