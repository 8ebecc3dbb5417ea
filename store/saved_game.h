// A game kept between runs: the game state, the deal numbers (the next deals
// come out as they would have: the shuffle's generator is rebuilt from the
// next deal's number, never read from the file), the note lines and the
// whole record of the game, and the key its statistics are filed under.
// Written when the program closes mid-game, offered back at the next start.
//
//   tav saved game 4
//   state 3            <- the state's own text (store/serialise.h)
//   ...
//   game <statistics key>
//   spots <n> <card x y face-up in-row> ...   <- the hands' cards as drawn, back to front
//   numbers <last dealt> <next>
//   notes <n>
//   <n note entries>  <- "t <text>" or an event's code (model/note_code.h)
//   record <deals>
//   deal <number> <n>  <- for each deal of the record: its number (0 before the first) and lines
//   <n record entries>
//   end
//
// A saved game is a file a player may be sent: the reader refuses what play
// cannot make (see read_saved_game), with a reason in the game's own Chinese.
// Every limit it enforces the writer keeps too (an over-long line is cut, only
// the newest lines are kept), so a game written here always reads back.
//
// The version rule: the first line's version goes up whenever a line is
// added, removed or read differently, the state's own format included, so
// that an older file is refused as an older version, never as damaged.
// Version 1 kept the generator's words and no record; version 2 (state 2,
// with the seats' levels) keeps the record instead, as Chinese lines;
// version 3 keeps the note and record entries as events (model/note_code.h),
// so their lines are written in the window's language; version 4 (state 3)
// keeps which seats are human and no longer the engine's schedule. Versions
// 2 and 3 still read, a version 2 file's lines kept as written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/state.h"
#include "store/game_record.h"

namespace tav {

inline constexpr int kSavedGameFormat = 4;
// The oldest version still read: its note and record lines are taken as written.
inline constexpr int kOldestSavedGameFormat = 2;

// The reader's limits, far above what play writes (a note line is a few dozen
// bytes, a deal writes about a hundred lines) and far below what would stall
// the window (a note line of a megabyte takes seconds at every paint).
inline constexpr std::size_t kSavedLineBytes = 1000;       // one note or record line
inline constexpr std::size_t kSavedNotes = 10'000;         // the newest note lines kept
inline constexpr std::size_t kSavedRecordLines = 100'000;  // the record's newest lines kept
// The record's lines together (about 4 KB a deal): the record window shows them all.
inline constexpr std::size_t kSavedRecordBytes = 4'000'000;

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
    std::uint64_t game_key = 0;   // the statistics' game this one is filed under
    std::vector<CardSpot> spots;  // one for each card in a hand, in drawing order
    // The number of the deal last dealt (0 before the first) and of the next.
    std::uint64_t dealt_number = 0, next_number = 0;
    std::vector<game::notes::Entry> notes;  // the note entries of the game, oldest first
    GameRecord record;                      // the whole record, deal by deal
};

std::string write_saved_game(const SavedGame& g);

struct SavedGameRead {
    SavedGame game;
    std::string error;  // "" when `game` is good
    bool ok() const { return error.empty(); }
};
// Refuses anything but a text written by write_saved_game of this version
// (or a version 2 or 3 one),
// with a state that is whole and waits for the human (nothing half done), a
// spot on the table for each card of a hand and for nothing else, deal
// numbers that some deal has, and lines within the limits above.
SavedGameRead read_saved_game(std::string_view text);

// Whether a game is worth keeping: a deal has been dealt since the game began.
bool game_started(const game::State& s);

}  // namespace tav
