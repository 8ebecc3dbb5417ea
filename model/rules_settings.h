// The rule options a game is played by, chosen in the rules dialog.
#pragma once

#include <array>
#include <cstdint>

namespace tav::game {

// How the computer plays a seat: fixed heuristics that answer at once (the
// default), or the level that looks ahead over the hands it cannot see
// (ai/strong.h). `thumb` is the
// strong level's rules of thumb alone (ai/strong_thumb.h): the strong level
// plays the worlds it draws with it. It reads the standing seat's hand as the
// classic level does, so it is never a level for the table.
enum class Level : std::uint8_t { classic, strong, thumb };

struct Rules {
    bool threes = true;    // the rule on threes: kept back, and bought by seats without one
    bool smother = false;  // smother tributes
    bool points = false;   // point tributes
    bool tributes = true;  // tributes are settled (off: scores only)
    // The computer's level at seats A..F; at A it is the level of the
    // computer's choices for the human (auto-play, the simulator).
    std::array<Level, 6> levels{};
    bool operator==(const Rules&) const = default;
};

}  // namespace tav::game
