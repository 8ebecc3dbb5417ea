#include "net/mirror.h"

#include <variant>

#include "rules/engine.h"

namespace tav::net {

using game::Seat;

namespace {

game::Rules rules_of(const TableInfo& t) {
    game::Rules r{t.rules.threes, t.rules.smother, t.rules.points, t.rules.tributes, {}};
    r.levels.fill(t.level);  // the table plays every seat nobody holds at its level
    return r;
}

}  // namespace

SeatMirror::SeatMirror() : known_(game::new_game({})) {
    known_.human = humans_;  // nobody sits yet: the computer holds every seat
}

void SeatMirror::apply(const ServerMessage& m) {
    if (const auto* t = std::get_if<TableInfo>(&m)) table_info(*t);
    if (const auto* s = std::get_if<Seated>(&m)) {
        seat_ = s->seat;
        token_ = s->token;
        // A seat taken in the middle of a deal sees its hand from the next deal on.
        own_hand_seen_ = known_.phase == game::Phase::between_deals;
    }
    if (const auto* e = std::get_if<StepEvents>(&m)) {
        version_ = e->version;
        asked_.reset();
        events(e->events);
        take_humans();
    }
    if (const auto* a = std::get_if<AskSeat>(&m)) {
        asked_ = *a;
        version_ = a->version;
    }
    if (const auto* s = std::get_if<SeatSnapshot>(&m)) snapshot(*s);
}

void SeatMirror::table_info(const TableInfo& t) {
    table_ = t;
    known_.rules = rules_of(t);
    for (Seat s : game::kAllSeats) {
        const Occupant who = t.seats[game::array_index(s)].who;
        humans_[s] = who == Occupant::human || who == Occupant::dropped;
        dropped_[s] = who == Occupant::dropped;
    }
    take_humans();
}

void SeatMirror::take_humans() {
    // In a deal the rules for a human seat (which passes count, who is asked
    // about a partner's tribute) hold to its end, as on the server.
    if (known_.phase == game::Phase::between_deals) known_.human = humans_;
}

void SeatMirror::snapshot(const SeatSnapshot& snap) {
    seat_ = snap.seat;
    version_ = snap.version;
    asked_.reset();
    const std::optional<Seat> own = snap.seat;  // none: a spectator
    // A newcomer in the middle of a deal is not shown its hand until the next.
    own_hand_seen_ = !(own && snap.hand.empty() && snap.hand_sizes[game::array_index(*own)] > 0);

    game::State fresh = game::new_game(known_.rules);
    fresh.human = humans_;
    for (Seat s : game::kAllSeats) fresh.scores[s] = snap.scores[game::array_index(s)];
    known_ = fresh;
    expected_.clear();
    in_step_ = true;
    next_slot_ = 1;
    awaiting_take_ = false;
    next_smother_ = 1;
    next_point_ = 7;
    // The deal so far, from its shuffle, as this seat saw it: carried out
    // again it gives the trick, the turn and the ledger the fields below lack.
    events(snap.record);

    bool agrees = !own || !sees(*own) || known_.hands[*own] == snap.hand;
    for (Seat s : game::kAllSeats) {
        const std::size_t i = game::array_index(s);
        agrees = agrees && known_.hands[s].size() == snap.hand_sizes[i] && known_.plays[s] == snap.plays[i] &&
                 known_.places[s] == snap.places[i];
    }
    if (agrees) return;
    // The record does not give the table the snapshot shows: take the cards
    // and places as shown; what only the record could tell stays unknown.
    in_step_ = false;
    known_.out_count = 0;
    for (Seat s : game::kAllSeats) {
        const std::size_t i = game::array_index(s);
        game::Hand& hand = known_.hands[s];
        hand.clear();
        if (s == own && own_hand_seen_)
            hand = snap.hand;
        else
            for (int k = 0; k < snap.hand_sizes[i]; ++k) hand.push(0);
        known_.plays[s] = snap.plays[i];
        known_.places[s] = static_cast<std::uint8_t>(snap.places[i]);
        known_.out_count += snap.places[i] != 0 ? 1 : 0;
        if (!hand.empty()) known_.phase = game::Phase::play;
    }
}

}  // namespace tav::net
