// Keeping the game between runs, and taking a kept game up where it stood.
#include <algorithm>

#include "session/session.h"
#include "store/deal_numbers.h"
#include "view/layout.h"

namespace tav {

SavedGame Session::keep() const {
    SavedGame g;
    g.state = state_;
    g.notes = view_.note_entries();
    g.record = helps_.record();
    for (const CardPlace& p : view_.hand_places(state_)) g.spots.push_back({p.card, p.x, p.y, p.face_up, p.in_row});
    g.dealt_number = helps_.deal_number();
    g.next_number = helps_.next_deal_number();
    // A picked card lies raised; it is kept where it lies unpicked.
    const std::vector<game::Card>& picks = picking_.picks();
    for (CardSpot& spot : g.spots)
        if (std::find(picks.begin(), picks.end(), spot.card) != picks.end()) spot.y += layout::kRaise;
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
    picking_.forget();
    picking_.reset_focus();
    std::vector<CardPlace> places;
    for (const CardSpot& p : g.spots) places.push_back({p.card, p.x, p.y, p.face_up, p.in_row});
    view_.restore(s, places, g.notes);
    helps_.take_up(g.dealt_number, g.next_number, g.record);
    set_shown_ask(state_.ask);
    // The window closed while a partner's tribute waited for the human's answer: it is asked again.
    if (state_.ask == game::Ask::take_partner_tribute) ask_partner();
}

}  // namespace tav
