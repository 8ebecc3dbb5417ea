// A game kept between runs: the game state, the shuffle's generator (so the
// next deals come out as they would have), the note lines of the game and
// the key its statistics are filed under. Written when the program closes
// mid-game, offered back at the next start.
//
//   tav saved game 1
//   state 1            <- the state's own text (model/serialise.h)
//   ...
//   rng <the generator's words>
//   game <statistics key>
//   spots <n> <card x y face-up in-row> ...   <- the hands' cards as drawn, back to front
//   notes <n>
//   <n note lines>
//   end
//
// A new field of the session goes on its own line after `spots` (written in
// write_saved_game, read in the same place in read_saved_game), and the
// version goes up when old texts no longer read the same.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "model/state.h"

namespace tav {

inline constexpr int kSavedGameFormat = 1;

// Where a card of a hand lies on the table (table units), whether it is face
// up and whether it lies in the human's row. A hand is laid out only when
// dealt and after tributes: the cards played leave gaps, a three bought shows
// face up at its exchange spot, a tribute received waits at its handing spot.
struct CardSpot {
    game::Card card = 0;
    int x = 0, y = 0;
    bool face_up = false;
    bool in_row = false;  // a card of the human's row, where it can be picked
    bool operator==(const CardSpot&) const = default;
};

struct SavedGame {
    game::State state;
    std::mt19937_64 rng;
    std::uint64_t game_key = 0;   // the statistics' game this one is filed under
    std::vector<CardSpot> spots;  // one for each card in a hand, in drawing order
    // The number of the deal last dealt (0 before the first) and of the next.
    std::uint64_t dealt_number = 0, next_number = 0;
    std::vector<std::string> notes;  // every note line of the game, oldest first
};

std::string write_saved_game(const SavedGame& g);

struct SavedGameRead {
    SavedGame game;
    std::string error;  // "" when `game` is good
    bool ok() const { return error.empty(); }
};
// Refuses anything but a text written by write_saved_game of this version,
// with a state that is whole and waits for the human (nothing half done) and
// a spot on the table for each card of a hand, and for nothing else.
SavedGameRead read_saved_game(std::string_view text);

// Whether a game is worth keeping: a deal has been dealt since the game began.
bool game_started(const game::State& s);

}  // namespace tav
