// The table drawn from a game's state instead of from the events that led
// to it (a game taken up where it stood): the cards are put out, then laid, placed and scored by events made up
// from the state (so they look as the events of play leave them), and
// the hands' cards put back at their kept spots.
#include "view/table_view.h"

#include "model/catalogue.h"

namespace tav {
namespace {
constexpr const char* kHumanPointer = "HyperLink!";  // the pointer over the human's cards
}  // namespace

using game::Card;
using game::Seat;

void TableView::restore(const game::State& s, const std::vector<CardPlace>& places,
                        const std::vector<game::notes::Entry>& notes) {
    const RedrawPause pause(surface_);
    draw(game::TableReset{});
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
        draw(game::LaidOut{seat, s.hands[seat]});
        if (s.places[seat] != 0) draw(game::Placed{seat, s.places[seat]});
        draw(game::Scored{seat, s.scores[seat]});
    }
    // The hands' cards where they lay, drawn in the same order; the plays,
    // laid after them, in front.
    for (const CardPlace& spot : places) {
        if (!game::valid_card(spot.card)) continue;
        SurfaceObject& card = *card_[spot.card];
        card.x = spot.x;
        card.y = spot.y;
        if (spot.face_up) card.filename = std::string(card_info(spot.card).bmp);
        // Only the cards of the human's row can be picked (a tribute received
        // waits at its handing spot until the hand is laid out again).
        in_row_[spot.card] = spot.in_row;
        card.tag = spot.in_row ? "my" : "";
        card.pointer = spot.in_row ? kHumanPointer : "";
        surface_.set_position(card.name, true);
    }
    for (Seat seat : game::kAllSeats)
        if (!s.plays[seat].empty()) draw(game::Played{seat, s.plays[seat], false});
    clear_notes();
    for (const game::notes::Entry& entry : notes) note_entry(entry);
    surface_.touched();
}

std::vector<CardPlace> TableView::hand_places(const game::State& s) const {
    std::bitset<game::kCards + 1> held;
    for (Seat seat : game::kAllSeats)
        for (Card c : s.hands[seat]) held[c] = true;
    std::vector<CardPlace> spots;
    surface_.for_each([&](const SurfaceObject& o) {
        const int n = card_number(o.name);
        if (n == 0 || !held[static_cast<std::size_t>(n)]) return;
        spots.push_back({static_cast<Card>(n), o.x, o.y, o.filename == card_info(n).bmp, in_row_[n]});
    });
    return spots;
}

}  // namespace tav
