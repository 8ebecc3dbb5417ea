#include "session/own_row.h"

#include <variant>

namespace tav {
namespace {

using game::Seat;

// A's hand after `e`.
void follow(game::Hand& hand, const game::Event& e) {
    if (std::holds_alternative<game::Shuffling>(e) || std::holds_alternative<game::TableReset>(e)) hand.clear();
    if (const auto* d = std::get_if<game::Dealt>(&e); d && d->seat == Seat::A) hand.push(d->card);
    if (const auto* l = std::get_if<game::LaidOut>(&e); l && l->seat == Seat::A) hand = l->cards;
    if (const auto* p = std::get_if<game::Played>(&e); p && p->seat == Seat::A)
        for (game::Card c : p->cards) hand.remove(c);
    if (const auto* t = std::get_if<game::TributeHanded>(&e); t && t->giver == Seat::A)
        for (game::Card c : t->cards) hand.remove(c);
    if (const auto* b = std::get_if<game::ThreeBought>(&e)) {
        if (b->buyer == Seat::A && hand.remove(b->payment)) hand.push(b->three);
        if (b->seller == Seat::A && hand.remove(b->three)) hand.push(b->payment);
    }
}

bool traded_by_a(const game::Event& e) {
    const auto* b = std::get_if<game::ThreeBought>(&e);
    return b && (b->buyer == Seat::A || b->seller == Seat::A);
}

}  // namespace

std::vector<game::Event> own_row_laid_out(const std::vector<game::Event>& events, const game::Hand& before) {
    std::size_t last_dealt = events.size();
    for (std::size_t i = 0; i < events.size(); ++i)
        if (const auto* d = std::get_if<game::Dealt>(&events[i]); d && d->seat == Seat::A) last_dealt = i;

    std::vector<game::Event> out;
    out.reserve(events.size() + 2);
    game::Hand hand = before;
    bool due = false;  // the row is to be laid out before the table does anything else
    const auto lay_out = [&] {
        game::Hand sorted = hand;
        sorted.sort_by_rank();
        out.emplace_back(game::LaidOut{Seat::A, sorted});
        due = false;
    };
    for (std::size_t i = 0; i < events.size(); ++i) {
        game::Event e = events[i];
        if (auto* l = std::get_if<game::LaidOut>(&e); l && l->seat == Seat::A) {
            l->cards.sort_by_rank();
            due = false;  // the table lays it out itself
        } else if (due && !std::holds_alternative<game::Dealt>(e) && !std::holds_alternative<game::ThreeBought>(e)) {
            lay_out();
        }
        follow(hand, e);
        out.push_back(e);
        if (i == last_dealt || traded_by_a(events[i])) due = true;
    }
    if (due) lay_out();
    return out;
}

}  // namespace tav
