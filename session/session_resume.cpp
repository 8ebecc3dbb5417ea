// Taking up a game kept from an earlier run.
#include "session/session.h"

#include <algorithm>

#include "store/deal_numbers.h"
#include "view/layout.h"

namespace tav {

SavedGame Session::keep() const {
    SavedGame g;
    g.state = state_;
    g.notes = view_.note_entries();
    g.record = record_;
    g.spots = view_.hand_spots(state_);
    g.dealt_number = dealt_;
    g.next_number = next_deal_;
    // A picked card lies raised; it is kept where it lies unpicked.
    for (CardSpot& spot : g.spots)
        if (std::find(picks_.begin(), picks_.end(), spot.card) != picks_.end()) spot.y += layout::kRaise;
    return g;
}

void Session::resume(const SavedGame& g) {
    settle();  // what was under way belongs to the game given up
    const game::State& s = g.state;
    state_ = s;
    deal_places_ = s.places;
    // The game goes on by the rules it was played by, whatever the settings
    // said at this start.
    settings.threes_rule = s.rules.threes;
    settings.smother_tributes = s.rules.smother;
    settings.point_tributes = s.rules.points;
    if (s.rules.tributes != (settings.win_style == 1)) settings.win_style = s.rules.tributes ? 1 : 0;
    settings.computer_level = s.rules.levels[game::array_index(game::Seat::B)] == game::Level::strong ? 1 : 0;
    // The generator is rebuilt from the next deal's number, as a game that
    // was never closed has it: seeded with the number's seed, every shuffle
    // before it made (nothing else draws from it).
    prepare_shuffle(rng_, g.next_number);
    dealt_ = g.dealt_number;
    next_deal_ = g.next_number;
    record_ = g.record;
    picks_.clear();
    focus_ = 0;
    focus_card_ = 0;
    focus_shown_ = false;
    view_.restore(g);
    update_marks();
    counter_.show(unseen_by_human(state_));
    set_shown_ask(state_.ask);
    // The window closed while a partner's tribute waited for the human's answer: it is asked again.
    if (state_.ask == game::Ask::take_partner_tribute) ask_partner();
}

}  // namespace tav
