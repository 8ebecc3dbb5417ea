// The table drawn from a kept game instead of from the events that led to
// it: the cards are put out, then laid, placed and scored by events made up
// from the state (so they look as the game's own events leave them), and
// the hands' cards put back at their kept spots.
#include "table/table_view.h"

#include "model/catalogue.h"

namespace tav {
namespace {
constexpr const char* kHumanPointer = "HyperLink!";  // the pointer over the human's cards
}  // namespace

using game::Card;
using game::Event;
using game::EventKind;
using game::Seat;

void TableView::restore(const SavedGame& g) {
    const game::State& s = g.state;
    const RedrawPause pause(surface_);
    show(Event{EventKind::table_reset, Seat::A, 0, 0, {}, {}});
    for (Seat seat : game::kAllSeats) place_label_[seat]->visible = false;
    // Every card out lies face up in the human's hand and on the table,
    // face down in the other hands; the pack is empty once a deal is out.
    bool out = false;
    for (Seat seat : game::kAllSeats)
        for (const game::Hand* pile : {&s.hands[seat], &s.plays[seat]})
            for (Card c : *pile) {
                SurfaceObject& card = *card_[c];
                card.visible = true;
                if (seat == Seat::A) {
                    card.filename = std::string(card_info(c).bmp);
                    card.pointer = kHumanPointer;
                }
                out = true;
            }
    if (out || !s.cleared.empty())
        for (int n = 1; n <= kCardCount; ++n) pack_[static_cast<std::size_t>(n)]->visible = false;
    for (Seat seat : game::kAllSeats) {
        int n = 0;
        for (Card c : s.plays[seat]) show(Event{EventKind::played, seat, c, n++, {}, {}});
        show(Event{EventKind::laid_out, seat, 0, 0, {}, {s.hands[seat].begin(), s.hands[seat].end()}});
        if (s.places[seat] != 0) show(Event{EventKind::place, seat, 0, s.places[seat], {}, {}});
        show(Event{EventKind::score, seat, 0, s.scores[seat], {}, {}});
    }
    for (const CardSpot& spot : g.spots)
        if (game::valid_card(spot.card)) {
            card_[spot.card]->x = spot.x;
            card_[spot.card]->y = spot.y;
        }
    clear_notes();
    for (const std::string& line : g.notes) note(line);
    surface_.touched();
}

CardSpot TableView::spot_of(Card c) const {
    if (!game::valid_card(c)) return {};
    return {c, card_[c]->x, card_[c]->y};
}

}  // namespace tav
