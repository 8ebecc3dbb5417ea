// Turns and tricks. Play goes A, B, C, D, E, F, A ... skipping seats that are
// out. After a play or a pass the next seat acts; a trick ends when the turn
// comes back to the standing play's seat, when every seat in play has passed,
// or when a challenge is declined, and that seat leads the next trick.
#include "rules/flow.h"
#include "rules/play.h"

namespace tav::game {

void DealSteps::schedule(Next step, std::optional<Seat> leader) {
    // Once the deal's end is due nothing may follow it: no second end, no
    // move of the turn, no clearing of the next deal's table.
    if (ending) return;
    next = step;
    next_leader = leader;
    if (step == Next::end_trick && !leader) ending = true;
}

void DealSteps::run() {
    while (next != Next::none) {
        const Next step = next;
        const std::optional<Seat> leader = next_leader;
        next = Next::none;
        const bool ends_deal = step == Next::end_trick && !leader;
        // Counted only below the bound, so no count a state holds can overflow.
        if (!ends_deal && (s.steps >= kMaxDealSteps || ++s.steps > kMaxDealSteps)) {
            // Far more turns than a deal of 216 cards needs: the turn is going
            // round in a circle, and the deal is ended rather than left to run,
            // saying so: it is not an ordinary end.
            ev.add(StoppedAtBound{});
            ending = false;
            schedule(Next::end_trick, std::nullopt);
            continue;
        }
        if (step == Next::end_trick)
            end_trick(leader);
        else
            take_next_turn();
        if (ev.after_step) ev.after_step(s, ev);
    }
    ending = false;
}

std::optional<Seat> DealSteps::in_play_from(std::optional<Seat> seat) const {
    if (!seat) return std::nullopt;
    // From the seat up to F, then from A.
    int i = index_of(seat_at(index_of(*seat)));
    for (int k = 0; k < kSeats; ++k) {
        const auto at = static_cast<Seat>(i);
        if (!s.is_out(at)) return at;
        if (++i == kSeats) i = 0;
    }
    return std::nullopt;
}

std::optional<Seat> DealSteps::in_play_after(std::optional<Seat> seat) const {
    if (!seat) return std::nullopt;
    return in_play_from(next_seat(*seat));
}

bool DealSteps::computer_in_play() const {
    for (Seat x : kAllSeats)
        if (!s.human[x] && !s.is_out(x)) return true;
    return false;
}

void DealSteps::ask(Seat seat, Ask what) {
    s.ask = what;
    if (s.human[seat]) ev.add(Asked{seat, what});
}

void DealSteps::end_trick(std::optional<Seat> leader) {
    if (s.trick.standing) ev.add(TrickTaken{});
    for (Seat seat : kAllSeats) clear_play(seat);
    if (!leader) {
        ev.add(PlayOver{});
        file_point_tributes_and_list();
        ev.add(DealOver{});
        reset_table();
        s.steps = 0;
        return;
    }
    s.trick.standing.reset();
    s.trick.turn = leader;
    s.trick.challenge = false;
    s.trick.passes = 0;
    if (s.human[*leader]) ev.add(Prompted{*leader, Ask::lead});
    ask(*leader, Ask::lead);
}

void DealSteps::take_next_turn() {
    Trick& t = s.trick;
    if (t.standing == t.turn) {  // everybody else passed, or nobody is left
        schedule(Next::end_trick, t.turn);
        return;
    }
    if (!t.turn) {
        schedule(Next::end_trick, std::nullopt);
        return;
    }
    // Whoever faces a challenge may hold back, also when it is aimed at
    // another seat.
    if (s.human[*t.turn]) ev.add(Prompted{*t.turn, t.challenge ? Ask::follow_or_hold : Ask::follow});
    ask(*t.turn, t.challenge ? Ask::follow_or_hold : Ask::follow);
}

void DealSteps::play(std::span<const Card> cards) {
    Trick& t = s.trick;
    const Seat seat = *t.turn;
    s.ask = Ask::nothing;
    clear_play(seat);  // never lose an old play still lying there
    lay(seat, cards);
    file_smother(seat);
    t.standing = seat;
    place_and_file_sweeps();
    if (!after_play()) return;
    t.passes = 0;
    clear_between(t.standing, t.turn);
    schedule(Next::turn, std::nullopt);
}

void DealSteps::pass(bool by_human) {
    Trick& t = s.trick;
    const bool hold_back = s.ask == Ask::follow_or_hold;
    s.ask = Ask::nothing;
    if (by_human && hold_back) {
        ev.add(HeldBack{*t.turn});
        if (t.challenge && s.out_count < 2) open_point(*t.standing);
        // The challenger takes the trick and leads.
        t.turn = in_play_from(t.standing);
        schedule(Next::end_trick, t.turn);
        return;
    }
    if (by_human) {
        const Seat seat = *t.turn;
        ev.add(Passed{seat});
        t.turn = in_play_after(t.turn);
        if (t.turn == seat) {  // nobody else is in play
            schedule(Next::end_trick, t.turn);
            return;
        }
        // The human's pass does not count among the passes that end a trick,
        // unless no computer seat is in play to count them: once the standing
        // seat is out the turn never comes back to it.
        if (!computer_in_play() && ++t.passes >= kSeats - s.out_count) {
            t.turn = in_play_from(t.standing);
            schedule(Next::end_trick, t.turn);
            return;
        }
        t.challenge = false;
        clear_between(t.standing, t.turn);
        schedule(Next::turn, std::nullopt);
        return;
    }
    if (t.challenge)
        ev.add(HeldBack{*t.turn});
    else
        ev.add(Passed{*t.turn});
    if (t.challenge && s.out_count < 2) open_point(*t.standing);
    if (t.challenge && t.answer == ChallengeAnswer::opposite_only) {  // the opposite seat declined
        t.turn = in_play_from(t.standing);
        schedule(Next::end_trick, t.turn);
        return;
    }
    t.turn = in_play_after(t.turn);
    ++t.passes;
    if (t.passes >= kSeats - s.out_count) {  // every seat in play passed; the player is out
        t.turn = in_play_from(t.standing);
        schedule(Next::end_trick, t.turn);
        return;
    }
    clear_between(t.standing, t.turn);
    schedule(Next::turn, std::nullopt);
}

void DealSteps::lay(Seat seat, std::span<const Card> cards) {
    Hand& hand = s.hands[seat];
    Play& play = s.plays[seat];
    // The cards as laid are kept only for whoever reads the play's event.
    if (!ev.wants<Played>()) {
        for (Card c : cards)
            if (hand.remove(c)) play.push(c);
    } else {
        Play laid;
        for (Card c : cards)
            if (hand.remove(c) && play.push(c)) laid.push(c);
        if (!laid.empty()) ev.add(Played{seat, laid, is_challenge(play)});
    }
    play.sort_by_rank();
}

bool DealSteps::after_play() {
    Trick& t = s.trick;
    bool challenge = false;
    if (t.turn && !s.plays[*t.turn].empty()) {
        const Play& play = s.plays[*t.turn];
        challenge = is_challenge(play);
        if (ev.wants<PlayCalled>()) ev.add(PlayCalled{*t.turn, makeup_of(play), challenge});
    }
    if (ending) return false;
    if (!challenge) {
        t.turn = in_play_after(t.turn);
        t.challenge = false;
        return true;
    }
    t.challenge = true;
    if (s.out_count > 1) {
        t.turn = in_play_after(t.turn);
        t.answer = ChallengeAnswer::in_turn;
        return true;
    }
    // Fewer than two seats out: only the opposite seat may answer.
    const std::optional<Seat> across = t.turn ? std::optional<Seat>(opposite(*t.turn)) : std::nullopt;
    t.turn = across && !s.is_out(*across) ? across : std::nullopt;
    t.answer = ChallengeAnswer::opposite_only;
    if (!t.turn) {  // the opposite seat is out: round in turn order
        t.turn = in_play_after(t.standing);
        t.answer = ChallengeAnswer::in_turn;
    }
    return true;
}

namespace {

// A play leaves the table. Kept apart from the test for an empty play, which
// is asked for every seat at every turn and is then cheap enough to inline.
[[gnu::noinline]] void take_off_table(State& s, Events& ev, Seat seat) {
    Play& play = s.plays[seat];
    ev.add(PlayCleared{seat});
    s.cleared.append(play);
    play.clear();
}

}  // namespace

void DealSteps::clear_play(Seat seat) {
    if (s.plays[seat].empty()) return;  // nothing to show, so no pause
    take_off_table(s, ev, seat);
}

void DealSteps::clear_between(std::optional<Seat> from, std::optional<Seat> to) {
    // Seats after `from` up to and including `to`, going round; numbered
    // 1..6 with 0 for nobody, as the turn steps them.
    const int f = from ? index_of(*from) + 1 : 0, t = to ? index_of(*to) + 1 : 0;
    if (f < t) {
        for (int i = f + 1; i <= t; ++i) clear_play(seat_at(i - 1));
    } else if (f > t) {
        for (int i = f + 1; i <= kSeats; ++i) clear_play(seat_at(i - 1));
        for (int i = 1; i <= t; ++i) clear_play(seat_at(i - 1));
    }
}

void DealSteps::open_point(Seat seat) {
    if (s.open_point[seat]) return;
    s.open_point[seat] = true;
    ev.add(PointOpened{seat});
}

void DealSteps::file_smother(Seat player) {
    // Beating a play that was the seat's last rank smothers it: it owes a card.
    if (!s.rules.smother || !s.trick.standing) return;
    const Seat beaten = *s.trick.standing;
    const Hand& hand = s.hands[beaten];
    if (hand.empty() || hand.rank_count() != 1) return;
    for (int slot = 1; slot <= 6; ++slot) {
        Debt& d = s.ledger[static_cast<std::size_t>(slot)];
        if (d.receiver) continue;
        d = {beaten, player, 1};
        return;
    }
}

}  // namespace tav::game
