// The worlds the strong level plays out: what one seat knows, with the cards
// it has not seen dealt at random to the seats that hold them, and a deal
// played from there to its end with every seat at the classic level.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/decision.h"
#include "model/events.h"
#include "model/state.h"

namespace tav::game::strong {

// A small generator of our own (splitmix64): the worlds must come out the
// same on every machine and library.
struct Random {
    std::uint64_t x;
    std::uint64_t next() {
        std::uint64_t z = (x += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
};

class Worlds {
public:
    // What `seat` knows of `s`; nothing else of `s` is kept.
    Worlds(const State& s, Seat seat);

    Seat seat() const { return seat_; }
    const State& known() const { return known_; }
    // A seed made of the seat's knowledge only.
    std::uint64_t seed() const { return seed_; }
    // A world: the unseen cards shuffled and dealt, each seat as many as it
    // holds, every seat played by the classic level.
    State draw(Random& rng) const;

private:
    State known_;
    Seat seat_;
    std::vector<Card> unseen_;  // in card order
    std::array<int, kSeats> sizes_of_others_{};
    std::uint64_t seed_ = 0;
};

// `d` (a play, or a pass when a play stands) carried out for the seat at its
// turn as the computer's decision, in place of its level's choice; a pass
// under a challenge is its hold-back. Refused by the gate, nothing changed,
// when no seat is at its turn or the cards do not make a play there.
Verdict force_turn(State& world, const Decision& d, Events& ev);

// Plays `d` for the seat at its turn in `world`, then the deal to its end;
// what it was worth to `side`'s seats (see ai/strong.h). False in `ok` when
// the engine refused the decision.
double play_out(State world, Seat side, const Decision& d, bool& ok);

}  // namespace tav::game::strong
