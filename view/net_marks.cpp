#include "view/net_marks.h"

#include <array>

namespace tav {
namespace {

constexpr long kWhite = 16777215, kMarkColour = 2763429, kCountColour = 128;

std::string mark_name(game::Seat s) { return std::string("t_net_") + static_cast<char>('a' + game::index_of(s)); }
std::string label_name(game::Seat s) { return std::string("t_") + static_cast<char>('a' + game::index_of(s)); }

// Beside a seat's name label: A and D read across, the other seats down the
// sides; a mark and the count stand at opposite ends so both may show. On
// the sides the count stands at the outer end, away from the other seat's
// label on that side (between the two it could be either's).
struct Spot {
    int x, y;
};
bool across(game::Seat s) { return s == game::Seat::A || s == game::Seat::D; }
Spot beside(const SurfaceObject& label, game::Seat s, bool far_end) {
    constexpr int kW = 200, kH = 68, kGap = 12;
    if (across(s)) return far_end ? Spot{label.x - kGap - kW, label.y} : Spot{label.x + label.width + kGap, label.y};
    const bool lower = s == game::Seat::B || s == game::Seat::F;
    const int x = label.x + label.width / 2 - kW / 2;
    const bool below = lower != far_end;
    return below ? Spot{x, label.y + label.height + kGap} : Spot{x, label.y - kGap - kH};
}

SurfaceObject box(std::string name, std::string text, long background) {
    return {.name = std::move(name),
            .width = 200,
            .height = 68,
            .visible = false,
            .text = std::move(text),
            .color = kWhite,
            .background_color = background,
            .background_mode = 0,
            .alignment = 2,
            .border = 6,
            .font_weight = 700,
            .font_charset = 134};
}

}  // namespace

void NetMarks::build() {
    for (game::Seat s : game::kAllSeats) surface_.create(box(mark_name(s), "代打", kMarkColour));
    surface_.create(box("t_net_count", "", kCountColour));
    built_ = true;
}

void NetMarks::show_seat(game::Seat seat, const std::string& name, bool dropped) {
    if (!built_) build();
    SurfaceObject* label = surface_.object(label_name(seat));
    SurfaceObject* mark = surface_.object(mark_name(seat));
    if (!label || !mark) return;
    if (!name.empty()) label->text = name;
    const Spot at = beside(*label, seat, !across(seat));
    mark->x = at.x;
    mark->y = at.y;
    mark->visible = dropped;
    surface_.touched();
}

void NetMarks::show_countdown(std::optional<game::Seat> seat, int seconds) {
    if (!built_ && (!seat || seconds <= 0)) return;
    if (!built_) build();
    SurfaceObject* count = surface_.object("t_net_count");
    const SurfaceObject* label = seat ? surface_.object(label_name(*seat)) : nullptr;
    if (!count) return;
    const bool visible = label && seconds > 0;
    const std::string text = visible ? std::to_string(seconds) : "";
    const Spot at = visible ? beside(*label, *seat, across(*seat)) : Spot{count->x, count->y};
    // Asked of another seat with the same seconds left, the count moves all the same.
    if (count->visible == visible && count->text == text && count->x == at.x && count->y == at.y) return;
    count->x = at.x;
    count->y = at.y;
    count->visible = visible;
    count->text = text;
    surface_.touched();
}

}  // namespace tav
