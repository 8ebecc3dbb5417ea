// What a network table adds to the table: the players' names on the seats,
// a mark on each seat the computer plays for a player who dropped, and the
// seconds left beside the seat that must decide. Made on the surface the
// first time they are shown, so a game alone is drawn exactly as before.
#pragma once

#include <optional>
#include <string>

#include "model/seat.h"
#include "surface/surface.h"

namespace tav {

class NetMarks {
public:
    explicit NetMarks(Surface& surface) : surface_(surface) {}
    // The seats as the player sees them (its own at A); an empty name keeps
    // the seat's own.
    void show_seat(game::Seat seat, const std::string& name, bool dropped);
    // The seconds left to the seat that must decide; none, or 0 seconds
    // with no limit, hides the count.
    void show_countdown(std::optional<game::Seat> seat, int seconds);

private:
    void build();
    Surface& surface_;
    bool built_ = false;
};

}  // namespace tav
