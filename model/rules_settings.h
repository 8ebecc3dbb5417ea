// The rule options a game is played by, chosen in the rules dialog.
#pragma once

namespace tav::game {

struct Rules {
    bool threes = true;    // the rule on threes: kept back, and bought by seats without one
    bool smother = false;  // smother tributes
    bool points = false;   // point tributes
    bool tributes = true;  // tributes are settled (off: scores only)
    bool operator==(const Rules&) const = default;
};

}  // namespace tav::game
