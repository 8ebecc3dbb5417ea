#include "session/card_counter.h"

#include <string>

#include "model/observation.h"

namespace tav {
namespace {

using game::Rank;

// Left to right: big and small jokers, 2s, then aces down to threes.
constexpr const char* kRankLabels[] = {"",   "大王", "小王", "2", "A", "K", "Q", "J",
                                       "10", "9",    "8",    "7", "6", "5", "4", "3"};
// The grid's place in table units: beneath the human's row, up to the note column.
constexpr int kLeft = 1050, kTop = 2095, kCell = 120, kRow = 78;

std::string cell_name(const char* what, Rank r) { return std::string("t_counter_") + what + std::to_string(r); }

SurfaceObject text_cell(std::string name, std::string text, int x, int y, long colour, int weight) {
    return {.name = std::move(name),
            .x = x,
            .y = y,
            .width = kCell,
            .height = kRow,
            .visible = false,
            .text = std::move(text),
            .color = colour,
            .alignment = 2,
            .font_height = -8,
            .font_weight = weight,
            .font_charset = 134};
}

}  // namespace

RankCounts full_pack() {
    RankCounts n{};
    for (Rank r = 1; r <= game::kRanks; ++r) n[static_cast<std::size_t>(r)] = r <= game::kSmallJoker ? 4 : 16;
    return n;
}

RankCounts unseen_by_human(const game::State& s) {
    // Counted from the game as the human may know it, so the counter can
    // never tell a card of another hand: those are face down (card 0) there.
    const game::State known = game::known_to(s, game::Seat::A);
    RankCounts n = full_pack();
    auto less = [&n](game::Card c) {
        if (c != 0) --n[static_cast<std::size_t>(game::rank_of(c))];
    };
    for (game::Seat seat : game::kAllSeats) {
        for (game::Card c : known.hands[seat]) less(c);
        for (game::Card c : known.plays[seat]) less(c);
    }
    for (game::Card c : known.cleared) less(c);
    return n;
}

void CounterPanel::build() {
    // A pale box behind the grid, so it reads on every background.
    surface_.create({.name = "r_counter",
                     .kind = ObjectKind::rectangle,
                     .x = kLeft - 10,
                     .y = kTop - 6,
                     .width = game::kRanks * kCell + 20,
                     .height = 2 * kRow + 12,
                     .visible = false,
                     .brush_color = 15134455,
                     .pen_color = 8421504,
                     .pen_width = 5});
    for (Rank r = 1; r <= game::kRanks; ++r) {
        const int x = kLeft + (r - 1) * kCell;
        surface_.create(text_cell(cell_name("rank", r), kRankLabels[r], x, kTop, 8388608, 400));
        surface_.create(text_cell(cell_name("left", r), "", x, kTop + kRow, 0, 700));
    }
    built_ = true;
}

void CounterPanel::set_visible(bool on) {
    if (on == visible_ && (built_ || !on)) return;
    visible_ = on;
    if (!built_) build();
    refresh();
}

void CounterPanel::show(const RankCounts& counts) {
    counts_ = counts;
    if (visible_) refresh();
}

void CounterPanel::dealt_to_human(game::Card c) {
    const auto r = static_cast<std::size_t>(game::rank_of(c));
    if (counts_[r] > 0) --counts_[r];
    if (visible_) refresh();
}

void CounterPanel::refresh() {
    if (!built_) return;
    const RedrawPause pause(surface_);
    if (SurfaceObject* box = surface_.object("r_counter")) box->visible = visible_;
    for (Rank r = 1; r <= game::kRanks; ++r) {
        if (SurfaceObject* label = surface_.object(cell_name("rank", r))) label->visible = visible_;
        if (SurfaceObject* left = surface_.object(cell_name("left", r))) {
            left->visible = visible_;
            left->text = std::to_string(counts_[static_cast<std::size_t>(r)]);
            // None left of a rank: greyed, so the ranks still out stand out.
            left->color = counts_[static_cast<std::size_t>(r)] == 0 ? 8421504 : 0;
        }
    }
    surface_.touched();
}

}  // namespace tav
