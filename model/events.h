// What happened, as the engine reports it: the table view draws from these
// and the note record is their note lines. An action appends its events in
// the order they happen.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/cards.h"
#include "model/seat.h"

namespace tav::game {

enum class EventKind : std::uint8_t {
    note,         // `text`: a line for the note area
    dealt,        // `card` to `seat`, the `number`-th card dealt (1..216); face up for A
    laid_out,     // `seat`'s hand is laid out again: `cards`, in its order
    played,       // `card` laid face up by `seat` as the `number`-th card (from 0) of its play
    cleared,      // `seat`'s play leaves the table (the shell pauses first)
    handed,       // `card` shown face up by the giver `seat`, `number`-th (from 1) of a tribute or return
    traded,       // `card` shown face up at `seat`'s exchange spot (buying threes)
    place,        // `seat` went out in place `number` (1..6)
    score,        // `seat`'s score is now `number`
    deal_over,    // the deal has ended; places are still marked
    table_reset,  // every card back in the pack (place labels stay until the next deal is out)
    asked,        // the human is asked for something new (see State::ask)
};

struct Event {
    EventKind kind = EventKind::note;
    Seat seat = Seat::A;
    Card card = 0;
    int number = 0;
    std::string text;
    std::vector<Card> cards;
};

struct State;

// The events of one or more actions. `notes_only` leaves out everything but
// the note lines, places and the deal's end (the simulator has no table to
// draw). `after_step`, when set, sees the state after every step of the
// engine (a play, a pass, a trick's end, a tribute settled): the simulator's
// checks run there.
struct Events {
    std::vector<Event> list;
    bool notes_only = false;
    std::function<void(const State&, const Events&)> after_step;

    void note(std::string text) { list.push_back({EventKind::note, Seat::A, 0, 0, std::move(text), {}}); }
    void add(EventKind kind, Seat seat, Card card = 0, int number = 0) {
        if (notes_only && kind != EventKind::deal_over && kind != EventKind::place) return;
        list.push_back({kind, seat, card, number, {}, {}});
    }
    template <class P>
    void laid_out(Seat seat, const P& hand) {
        if (notes_only) return;
        list.push_back({EventKind::laid_out, seat, 0, 0, {}, {hand.begin(), hand.end()}});
    }
    void clear() { list.clear(); }
};

}  // namespace tav::game
