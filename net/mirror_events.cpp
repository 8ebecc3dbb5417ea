// The game rebuilt from the events a seat observes. A decision the events
// show (a play, a pass, a hold-back, the first lead) is carried out through
// the engine's own steps, which then make every event that follows from it
// (plays cleared, places, scores, the next seat asked, the deal's end); those
// must be the next events the server sent. What the engine could only do
// with the hidden hands in view (the deal, paying a tribute, buying threes)
// is read from the events themselves.
#include <algorithm>

#include "model/observation.h"
#include "net/mirror.h"
#include "rules/flow.h"

namespace tav::net {

using game::Event;
using game::Seat;

namespace {

// Events whose values are taken as the server sent them, never compared with
// the mirror's own: the debts listed at a deal's end include smother tributes
// the mirror's steps cannot file (they hang on a hidden hand), and a score
// says what it is now (a seat that came back rebuilds its deal from the
// scores as they are, not as they were at the deal's start).
bool taken_as_sent(const Event& e) {
    return std::holds_alternative<game::TributeFiled>(e) || std::holds_alternative<game::Scored>(e);
}

bool trick_ask(game::Ask a) { return a == game::Ask::lead || a == game::Ask::follow || a == game::Ask::follow_or_hold; }

// Whether the events the steps made are those that come next in `list`
// from `from` on (those taken as sent aside).
bool made_next(const std::vector<Event>& made, std::span<const Event> list, std::size_t from) {
    std::size_t j = from;
    for (const Event& e : made) {
        while (j < list.size() && taken_as_sent(list[j])) ++j;
        if (j >= list.size() || !(list[j] == e)) return false;
        ++j;
    }
    return true;
}

}  // namespace

game::Event SeatMirror::as_seen(const Event& e) const {
    if (seat_ && own_hand_seen_) return game::observed(e, *seat_);
    return game::observed(game::observed(e, Seat::A), Seat::B);  // no seat's hand
}

void SeatMirror::events(std::span<const Event> list) {
    for (std::size_t i = 0; i < list.size();) i += event(list, i);
}

std::size_t SeatMirror::event(std::span<const Event> list, std::size_t i) {
    const Event& e = list[i];
    if (taken_as_sent(e)) {
        handled(e);
        return 1;
    }
    if (!expected_.empty()) {
        if (expected_.front() == e) {
            expected_.pop_front();
            return 1;
        }
        // The server's game went another way than the mirror's steps: go on
        // from the events alone as best we can.
        in_step_ = false;
        expected_.clear();
    }
    std::optional<Seat> decider;
    if (const auto* p = std::get_if<game::Passed>(&e)) decider = p->seat;
    if (const auto* h = std::get_if<game::HeldBack>(&e)) decider = h->seat;
    const bool driver =
        decider || std::holds_alternative<game::Played>(e) || std::holds_alternative<game::FirstLeader>(e);
    if (!driver) {
        handled(e);
        return 1;
    }
    // A human seat's pass is its player's own, unless the computer plays the
    // seat for a dropped player; a pass the computer made when the player's
    // time ran out looks the same, so the events that follow decide.
    const bool players = decider && known_.human[*decider] && !dropped_[*decider];
    game::State s = known_;
    std::vector<Event> made = decided(s, e, players);
    if (!made_next(made, list, i + 1) && decider && known_.human[*decider]) {
        game::State other = known_;
        std::vector<Event> other_made = decided(other, e, !players);
        if (made_next(other_made, list, i + 1)) {
            s = other;
            made = std::move(other_made);
        }
    }
    known_ = s;
    expected_.assign(made.begin(), made.end());
    return 1;
}

std::vector<Event> SeatMirror::decided(game::State& s, const Event& e, bool by_human) const {
    game::Events ev;
    game::DealSteps f{s, ev};
    if (const auto* leader = std::get_if<game::FirstLeader>(&e)) {
        s.first_leader = leader->seat;
        f.schedule(game::DealSteps::Next::end_trick, leader->seat);
        f.run();
    } else {
        const Seat seat = std::visit(
            [](const auto& x) {
                if constexpr (requires { x.seat; })
                    return x.seat;
                else
                    return Seat::A;
            },
            e);
        s.trick.turn = seat;  // the server's turn; the steps check it with the events they make
        if (!trick_ask(s.ask)) s.ask = !s.trick.standing ? game::Ask::lead : game::Ask::follow;
        // A smother tribute hangs on the smothered hand's ranks: listed at
        // the deal's end, never filed here.
        const bool smother = s.rules.smother;
        s.rules.smother = false;
        if (const auto* p = std::get_if<game::Played>(&e)) {
            game::Hand& hand = s.hands[seat];
            for (game::Card c : p->cards)
                if (!hand.contains(c) && hand.remove(0)) hand.push(c);  // a face-down card turned up
            f.play({p->cards.begin(), p->cards.end()});
        } else {
            if (std::holds_alternative<game::HeldBack>(e) && s.ask == game::Ask::follow)
                s.ask = game::Ask::follow_or_hold;
            f.pass(by_human);
        }
        f.run();
        s.rules.smother = smother;
    }
    std::vector<Event> made;
    made.reserve(ev.list.size());
    for (const Event& x : ev.list)
        if (!taken_as_sent(x)) made.push_back(as_seen(x));
    // The decision's own event is the one being read.
    if (!made.empty() && made.front() == e) made.erase(made.begin());
    return made;
}

void SeatMirror::take(Seat s, game::Card c) {
    game::Hand& hand = known_.hands[s];
    if (!hand.remove(c)) hand.remove(0);
}

void SeatMirror::give(Seat s, game::Card c) { known_.hands[s].push(sees(s) ? c : 0); }

void SeatMirror::handled(const Event& e) {
    game::State& k = known_;
    if (std::holds_alternative<game::Shuffling>(e)) {
        k.ask = game::Ask::nothing;
        k.traded.reset();
        k.fours_mark = 2;
        k.phase = game::Phase::tribute;
        for (Seat s : game::kAllSeats) k.hands[s].clear();
        own_hand_seen_ = seat_.has_value();
        next_slot_ = k.settling;
        awaiting_take_ = false;
    } else if (const auto* d = std::get_if<game::Dealt>(&e)) {
        k.hands[d->seat].push(sees(d->seat) ? d->card : 0);
    } else if (const auto* l = std::get_if<game::LaidOut>(&e)) {
        k.hands[l->seat] = l->cards;
    } else if (std::holds_alternative<game::PlayBegins>(e)) {
        tributes_settled();
        for (Seat s : game::kAllSeats)
            if (s != Seat::A) k.hands[s].sort_by_rank();  // as the engine holds them in play
        k.phase = game::Phase::play;
        k.steps = 0;
        next_smother_ = 1;
        next_point_ = 7;
    } else if (const auto* t = std::get_if<game::ThreeBought>(&e)) {
        tributes_settled();
        take(t->buyer, t->payment);
        take(t->seller, t->three);
        give(t->buyer, t->three);
        give(t->seller, t->payment);
        k.traded.reset(t->three);
        k.traded.reset(t->payment);
    } else if (const auto* h = std::get_if<game::TributeHanded>(&e)) {
        tribute_handed(*h);
    } else if (std::holds_alternative<game::TributeRefused>(e)) {
        awaiting_take_ = false;
        k.ask = game::Ask::nothing;
    } else if (const auto* f = std::get_if<game::TributeFiled>(&e)) {
        int& slot = f->kind == game::DebtKind::smother ? next_smother_ : next_point_;
        const int last = f->kind == game::DebtKind::smother ? 6 : 12;
        // Place tributes follow from the places, which the mirror's steps gave.
        if (f->kind != game::DebtKind::place && slot <= last)
            k.ledger[static_cast<std::size_t>(slot++)] = {f->payer, f->receiver, f->count};
    } else if (const auto* sc = std::get_if<game::Scored>(&e)) {
        k.scores[sc->seat] = sc->score;
    } else if (const auto* a = std::get_if<game::Asked>(&e)) {
        game::Debt& debt = k.ledger[static_cast<std::size_t>(k.settling)];
        if (a->ask == game::Ask::return_tribute || a->ask == game::Ask::take_partner_tribute)
            if (!debt.receiver) debt.receiver = a->seat;  // a ledger the mirror never saw listed
        if (a->ask == game::Ask::return_tribute && awaiting_take_) pay_slot();
        if (a->ask == game::Ask::take_partner_tribute) awaiting_take_ = true;
        k.ask = a->ask;
        if (trick_ask(a->ask)) k.trick.turn = a->seat;
    } else if (const auto* p = std::get_if<game::Prompted>(&e)) {
        game::Debt& debt = k.ledger[static_cast<std::size_t>(k.settling)];
        if (p->ask == game::Ask::return_tribute) {
            if (!debt.receiver) debt.receiver = p->seat;
            if (awaiting_take_) pay_slot();
        }
    }
}

void SeatMirror::tribute_handed(const game::TributeHanded& t) {
    game::State& k = known_;
    if (!t.back) {
        // Slots are settled in order; the first that this payer owes of this
        // kind, and that has somebody to pay, is the one being paid.
        int slot = next_slot_;
        auto settles = [&](int n) {
            const game::Debt& d = k.ledger[static_cast<std::size_t>(n)];
            return game::kind_of_slot(n) == t.kind && d.payer == t.giver && d.receiver && d.payer != d.receiver;
        };
        while (slot <= game::kLedgerSlots && !settles(slot)) ++slot;
        if (slot > game::kLedgerSlots) {
            // A ledger this mirror never saw listed (it came back in the middle
            // of the tributes): the payer is known now, the receiver when asked.
            slot = std::max(next_slot_, t.kind == game::DebtKind::smother ? 1
                                        : t.kind == game::DebtKind::point ? 7
                                                                          : 13);
            slot = std::min(slot, game::kLedgerSlots);
            k.ledger[static_cast<std::size_t>(slot)] = {t.giver, std::nullopt, 0};
        }
        game::Debt& debt = k.ledger[static_cast<std::size_t>(slot)];
        k.settling = slot;
        next_slot_ = slot + 1;
        debt.count = t.cards.size();
        handed_ = t.cards;
        if (debt.count == 0) return;
        // The cards go over once the receiver takes them (a partner's, asked)
        // or, in a ledger never seen, once the receiver is named.
        if (!debt.receiver || (k.human[*debt.receiver] && game::same_side(*debt.payer, *debt.receiver)))
            awaiting_take_ = true;
        else
            pay_slot();
        return;
    }
    game::Debt& debt = k.ledger[static_cast<std::size_t>(k.settling)];
    if (!debt.receiver) {
        debt.receiver = t.giver;
        if (awaiting_take_) pay_slot();
    }
    if (!debt.payer) return;
    const Seat payer = *debt.payer, receiver = *debt.receiver;
    // A player's own return is whole and its cards are not marked traded; the
    // computer's may be short. A whole return the computer made for a player
    // whose time ran out cannot be told from the player's own.
    const bool by_human = k.human[receiver] && !dropped_[receiver] && t.cards.size() == debt.count;
    for (game::Card c : t.cards) {
        take(receiver, c);
        give(payer, c);
        k.traded.set(c, !by_human);
    }
    if (!by_human) debt.count = std::min(debt.count, t.cards.size());
    k.ask = game::Ask::nothing;
}

void SeatMirror::pay_slot() {
    game::State& k = known_;
    const game::Debt& debt = k.ledger[static_cast<std::size_t>(k.settling)];
    awaiting_take_ = false;
    if (!debt.payer || !debt.receiver) return;
    for (game::Card c : handed_) {
        take(*debt.payer, c);
        give(*debt.receiver, c);
        k.traded.set(c);
    }
    k.ask = game::Ask::return_tribute;
}

void SeatMirror::tributes_settled() {
    if (known_.phase != game::Phase::tribute) return;
    // Every slot settled, or tributes off: the ledger is emptied for the deal.
    known_.ledger = {};
    known_.settling = known_.rules.tributes ? game::kLedgerSlots + 1 : known_.settling;
}

}  // namespace tav::net
