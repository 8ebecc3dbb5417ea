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

// The seat whose ask the server told and the mirror's steps did not, or the
// other way round, where the events first part; none when they part elsewhere.
std::optional<Seat> asked_apart(const std::vector<Event>& made, std::span<const Event> list, std::size_t from) {
    auto asked_seat = [](const Event& e) -> std::optional<Seat> {
        if (const auto* a = std::get_if<game::Asked>(&e)) return a->seat;
        if (const auto* p = std::get_if<game::Prompted>(&e)) return p->seat;
        return std::nullopt;
    };
    std::size_t j = from;
    for (const Event& e : made) {
        while (j < list.size() && taken_as_sent(list[j])) ++j;
        if (j >= list.size()) return asked_seat(e);
        if (!(list[j] == e)) return asked_seat(list[j]) ? asked_seat(list[j]) : asked_seat(e);
        ++j;
    }
    while (j < list.size() && taken_as_sent(list[j])) ++j;
    return j < list.size() ? asked_seat(list[j]) : std::nullopt;
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
    const bool driver = std::holds_alternative<game::Played>(e) || std::holds_alternative<game::Passed>(e) ||
                        std::holds_alternative<game::HeldBack>(e) || std::holds_alternative<game::FirstLeader>(e);
    if (!driver) {
        handled(e);
        return 1;
    }
    // Who is a player this deal: the server asks a player's seat with an
    // event and the computer's without. A seat taken or given up during a
    // deal changes hands only at the next, which `table` does not show: a
    // mirror rebuilt from a snapshot learns it where the asks differ.
    Reading best = read(known_, e, list, i + 1);
    if (!best.fits) {
        game::State base = known_;
        std::vector<Event> made = best.made;
        for (int tries = 0; tries < 2; ++tries) {
            const std::optional<Seat> apart = asked_apart(made, list, i + 1);
            if (!apart) break;
            base.human[*apart] = !base.human[*apart];
            Reading again = read(base, e, list, i + 1);
            if (again.fits) {
                best = std::move(again);
                break;
            }
            made = std::move(again.made);
        }
    }
    known_ = best.state;
    expected_.assign(best.made.begin(), best.made.end());
    return 1;
}

SeatMirror::Reading SeatMirror::read(const game::State& k, const Event& e, std::span<const Event> list,
                                     std::size_t from) const {
    // Which passes count is not in the events: a player's own pass does not
    // (while a computer seat is in play), the computer's does, also when it
    // passes for a player who dropped or whose time ran out. The first
    // reading whose steps make the events that follow is taken: the player's
    // pass or the computer's, with the passes counted so far, or with as
    // many as end the trick now, or as leave it open (a pass before this one
    // was read the other way).
    std::optional<Seat> decider;
    if (const auto* p = std::get_if<game::Passed>(&e)) decider = p->seat;
    if (const auto* h = std::get_if<game::HeldBack>(&e)) decider = h->seat;
    const bool players = decider && k.human[*decider] && !dropped_[*decider];
    std::vector<std::pair<bool, int>> readings{{players, k.trick.passes}};
    if (decider) {
        const int ending = game::kSeats - k.out_count - 1;
        for (int passes : {k.trick.passes, ending, std::min(k.trick.passes, ending - 1)})
            for (bool by_human : {players, !players}) {
                const bool first = by_human == players && passes == k.trick.passes;
                if (!first && (by_human == players || k.human[*decider]) && passes >= 0)
                    readings.emplace_back(by_human, passes);
            }
    }
    Reading best;
    for (std::size_t r = 0; r < readings.size(); ++r) {
        Reading trial{k, {}, false};
        trial.state.trick.passes = readings[r].second;
        trial.made = decided(trial.state, e, readings[r].first);
        trial.fits = made_next(trial.made, list, from);
        if (r == 0 || trial.fits) best = std::move(trial);
        if (best.fits) break;
    }
    return best;
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

game::Debt* SeatMirror::settled_debt() {
    const int slot = known_.settling;
    if (slot < 1 || slot > game::kLedgerSlots) return nullptr;  // no slot is being settled
    return &known_.ledger[static_cast<std::size_t>(slot)];
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
        next_slot_ = k.settling;
        awaiting_take_ = false;
        paid_ = false;
    } else if (const auto* d = std::get_if<game::Dealt>(&e)) {
        // A seat taken in the middle of a deal is dealt its cards by name from the next.
        if (d->seat == seat_) own_hand_seen_ = d->card != 0;
        k.hands[d->seat].push(d->card);
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
        const bool tribute = a->ask == game::Ask::return_tribute || a->ask == game::Ask::take_partner_tribute;
        if (game::Debt* debt = settled_debt(); tribute && debt && !debt->receiver)
            debt->receiver = a->seat;  // a ledger the mirror never saw listed
        // The server tells only a player's seat what it is asked: a seat taken
        // or given up during the deal is read here after a snapshot.
        k.human[a->seat] = true;
        if (a->ask == game::Ask::return_tribute && awaiting_take_) pay_slot();
        if (a->ask == game::Ask::take_partner_tribute) {
            if (paid_) unpay_slot();  // paid as to the computer: the player is asked first
            awaiting_take_ = true;
        }
        k.ask = a->ask;
        if (trick_ask(a->ask)) k.trick.turn = a->seat;
    } else if (const auto* p = std::get_if<game::Prompted>(&e)) {
        if (game::Debt* debt = settled_debt(); p->ask == game::Ask::return_tribute && debt) {
            if (!debt->receiver) debt->receiver = p->seat;
            if (awaiting_take_) pay_slot();
        }
    } else {
        out_of_step(e);
    }
}

void SeatMirror::out_of_step(const Event& e) {
    // Events the mirror's own steps make. Met here only once the mirror has
    // lost step: the table is kept as they show it until a snapshot comes.
    game::State& k = known_;
    if (const auto* c = std::get_if<game::PlayCleared>(&e)) {
        k.cleared.append(k.plays[c->seat]);
        k.plays[c->seat].clear();
    } else if (std::holds_alternative<game::TrickTaken>(e)) {
        k.trick.standing.reset();
        k.trick.challenge = false;
        k.trick.passes = 0;
    } else if (const auto* p = std::get_if<game::Placed>(&e)) {
        if (k.places[p->seat] == 0) ++k.out_count;
        k.places[p->seat] = static_cast<std::uint8_t>(p->place);
    } else if (const auto* o = std::get_if<game::PointOpened>(&e)) {
        k.open_point[o->seat] = true;
    } else if (std::holds_alternative<game::TableReset>(e)) {
        game::Events ignored;
        game::DealSteps{k, ignored}.reset_table();
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
        paid_ = false;
        if (debt.count == 0) return;
        // The cards go over once the receiver takes them (a partner's, asked)
        // or, in a ledger never seen, once the receiver is named.
        if (!debt.receiver || (k.human[*debt.receiver] && game::same_side(*debt.payer, *debt.receiver)))
            awaiting_take_ = true;
        else
            pay_slot();
        return;
    }
    game::Debt* settled = settled_debt();
    if (!settled) return;
    game::Debt& debt = *settled;
    if (!debt.receiver) debt.receiver = t.giver;
    if (awaiting_take_) pay_slot();  // taken without a question: the computer's seat this deal
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
    const game::Debt* debt = settled_debt();
    awaiting_take_ = false;
    if (!debt || !debt->payer || !debt->receiver) return;
    for (game::Card c : handed_) {
        take(*debt->payer, c);
        give(*debt->receiver, c);
        k.traded.set(c);
    }
    paid_ = true;
    k.ask = game::Ask::return_tribute;
}

void SeatMirror::unpay_slot() {
    game::State& k = known_;
    const game::Debt* debt = settled_debt();
    if (!debt || !debt->payer || !debt->receiver) return;
    for (game::Card c : handed_) {
        take(*debt->receiver, c);
        give(*debt->payer, c);
        k.traded.reset(c);
    }
    paid_ = false;
}

void SeatMirror::tributes_settled() {
    if (known_.phase != game::Phase::tribute) return;
    // Every slot settled, or tributes off: the ledger is emptied for the deal.
    known_.ledger = {};
    known_.settling = known_.rules.tributes ? game::kLedgerSlots + 1 : known_.settling;
}

}  // namespace tav::net
