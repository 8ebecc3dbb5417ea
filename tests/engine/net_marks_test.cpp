// The marks of a network table stand by the seat they belong to, so a
// player never has to guess whose they are: the 代打 mark nearer its own
// seat's name than any other's, the countdown (on every ask) at most half as
// far from it as from any other, also when it moves on with the same seconds.
#include <gtest/gtest.h>

#include "session/session.h"
#include "view/net_marks.h"

namespace tav {
namespace {

using game::Seat;

long distance(const SurfaceObject& a, const SurfaceObject& b) {
    const long dx = (a.x + a.width / 2) - (b.x + b.width / 2), dy = (a.y + a.height / 2) - (b.y + b.height / 2);
    return dx * dx + dy * dy;
}

TEST(NetMarks, EachMarkIsNearestItsOwnSeat) {
    TableSettings settings;
    ScriptedPlatform platform;
    TableView view(settings, platform);
    NetMarks marks(view.surface());
    const auto label = [&](Seat s) {
        return *view.surface().object(std::string("t_") + char('a' + game::index_of(s)));
    };
    for (Seat seat : game::kAllSeats) {
        SCOPED_TRACE(game::letter_of(seat));
        marks.show_countdown(seat, 30);
        marks.show_seat(seat, "", true);
        const SurfaceObject& count = *view.surface().object("t_net_count");
        const SurfaceObject& mark = *view.surface().object(std::string("t_net_") + char('a' + game::index_of(seat)));
        for (Seat other : game::kAllSeats) {
            if (other == seat) continue;
            EXPECT_LT(4 * distance(count, label(seat)), distance(count, label(other))) << game::letter_of(other);
            EXPECT_LT(distance(mark, label(seat)), distance(mark, label(other))) << game::letter_of(other);
        }
    }
}

}  // namespace
}  // namespace tav
