// The card counter: for each rank, how many cards the human has not seen
// this deal, that is 216 less its own hand and every card played so far
// (those lying on the table and those cleared). It never looks into another
// hand. The panel shows the counts on the table in a compact grid beside the
// human's row, jokers and 2s first; it is created the first time it is shown.
#pragma once

#include <array>

#include "model/state.h"
#include "surface/surface.h"

namespace tav {

using RankCounts = std::array<int, game::kRanks + 1>;  // by rank, [0] unused

// How many cards of each rank the four decks hold: 4 big and 4 small jokers,
// 16 of every other rank.
RankCounts full_pack();
// The counter's numbers for the human at seat A.
RankCounts unseen_by_human(const game::State& s);

class CounterPanel {
public:
    explicit CounterPanel(Surface& surface) : surface_(surface) {}
    void set_visible(bool on);
    bool visible() const { return visible_; }
    void show(const RankCounts& counts);
    const RankCounts& shown() const { return counts_; }
    // One of the human's cards was dealt: one fewer unseen of its rank.
    void dealt_to_human(game::Card c);

private:
    void build();
    void refresh();
    Surface& surface_;
    RankCounts counts_ = full_pack();
    bool built_ = false, visible_ = false;
};

}  // namespace tav
