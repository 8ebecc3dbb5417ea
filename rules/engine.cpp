// The human's decisions and the computer's in seat A's place: checked, then
// carried out through the same steps the computer seats take.
#include "rules/engine.h"

#include <algorithm>

#include "ai/classic.h"
#include "ai/level.h"
#include "rules/flow.h"
#include "rules/gate.h"
#include "rules/play.h"

namespace tav::game {
namespace {

Verdict refuse(std::string why) { return Verdict{std::move(why)}; }

void human_play(DealSteps& f, const std::vector<Card>& cards) {
    Trick& t = f.s.trick;
    f.s.ask = Ask::nothing;
    f.clear_play(Seat::A);  // never lose an old play still lying there
    f.lay(Seat::A, cards);
    f.file_smother(Seat::A);
    t.standing = Seat::A;
    t.turn = Seat::A;
    t.challenge = false;
    t.passes = 0;
    f.place_and_file_sweeps();
    if (!f.after_play()) return;
    t.passes = 0;
    f.clear_between(t.standing, t.turn);
    f.schedule(State::Next::turn, std::nullopt);
}

void human_pass(DealSteps& f) {
    Trick& t = f.s.trick;
    f.s.ask = Ask::nothing;
    f.ev.add(Passed{Seat::A});
    t.turn = f.in_play_after(t.turn);
    if (t.turn == Seat::A) {  // nobody else is in play
        f.schedule(State::Next::end_trick, t.turn);
        return;
    }
    // The human's pass does not count among the passes that end a trick.
    t.challenge = false;
    f.clear_between(t.standing, t.turn);
    f.schedule(State::Next::turn, std::nullopt);
}

void human_hold_back(DealSteps& f) {
    Trick& t = f.s.trick;
    f.s.ask = Ask::nothing;
    f.ev.add(HeldBack{Seat::A});
    if (t.challenge && f.s.out_count < 2) f.open_point(*t.standing);
    // The challenger takes the trick and leads.
    t.turn = f.in_play_from(t.standing);
    f.schedule(State::Next::end_trick, t.turn);
}

// The decision has passed the gate (rules/gate.h): it is one the human may make now.
void human_turn(DealSteps& f, const Decision& d) {
    switch (d.move) {
        case Move::play: human_play(f, d.cards); break;
        case Move::pass: human_pass(f); break;
        case Move::hold_back: human_hold_back(f); break;
        default: return;
    }
    f.run();
}

void human_tribute(DealSteps& f, const Decision& d) {
    if (f.s.ask == Ask::take_partner_tribute)
        f.answer_partner(d.move == Move::take_tribute);
    else
        f.answer_return(d.cards, true);
    f.run();
}

}  // namespace

State new_game(const Rules& rules) {
    State s;
    s.rules = rules;
    return s;
}

Verdict apply(State& s, const Decision& d, Events& ev, std::mt19937_64& rng) {
    // Nothing happens before the gate: under the rule on threes it also keeps
    // a three back while the hand holds other cards.
    if (Verdict v = check(s, Seat::A, d); !v) return v;
    DealSteps f{s, ev};
    switch (s.ask) {
        case Ask::shuffle:
            f.deal(rng);
            f.run();
            break;
        case Ask::lead:
        case Ask::follow:
        case Ask::follow_or_hold: human_turn(f, d); break;
        case Ask::return_tribute:
        case Ask::take_partner_tribute: human_tribute(f, d); break;
        case Ask::nothing: break;
    }
    return {};
}

std::optional<Decision> computer_choice_for_human(const State& s) {
    switch (s.ask) {
        case Ask::lead:
        case Ask::follow:
        case Ask::follow_or_hold: return computer_decide_for(s, Seat::A);
        case Ask::return_tribute: {
            const Debt& debt = s.ledger[static_cast<std::size_t>(s.settling)];
            return Decision{Move::return_tribute, classic::choose_return(s.hands[Seat::A], debt.count)};
        }
        case Ask::take_partner_tribute: return Decision{Move::take_tribute, {}};
        default: return std::nullopt;
    }
}

Verdict apply_computer_for_human(State& s, Events& ev) {
    DealSteps f{s, ev};
    switch (s.ask) {
        case Ask::lead:
            s.ask = Ask::nothing;
            f.computer_lead(Seat::A);
            f.schedule(State::Next::turn, std::nullopt);
            break;
        case Ask::follow:
        case Ask::follow_or_hold:
            s.ask = Ask::nothing;
            f.computer_answer();
            break;
        case Ask::return_tribute: {
            // The computer's return takes what candidates there are, even
            // fewer than owed.
            const Debt& debt = s.ledger[static_cast<std::size_t>(s.settling)];
            f.answer_return(classic::choose_return(s.hands[Seat::A], debt.count), false);
            break;
        }
        case Ask::take_partner_tribute: f.answer_partner(true); break;
        default: return refuse("nothing is asked of seat A now");
    }
    f.run();
    return {};
}

Verdict apply_turn(State& s, const Decision& d, Events& ev) {
    if (s.phase != Phase::play || !s.trick.turn || s.next != State::Next::none || s.ending)
        return refuse("no seat is at its turn");
    const Seat seat = *s.trick.turn;
    if (seat == Seat::A && s.ask != Ask::lead && s.ask != Ask::follow && s.ask != Ask::follow_or_hold)
        return refuse("seat A is asked something else");
    const bool lead = !s.trick.standing;
    if (d.move == Move::pass && lead) return refuse("a lead is due");
    if (d.move != Move::pass && d.move != Move::play) return refuse("only a play or a pass");
    if (d.move == Move::play) {
        if (d.cards.empty()) return refuse("a play needs cards");
        const Hand& hand = s.hands[seat];
        if (std::string why = own_cards_refused(hand, d.cards); !why.empty()) return refuse(why);
        if (!can_play(d.cards, lead ? nullptr : &s.plays[*s.trick.standing]))
            return refuse("the cards do not make a play here");
        const bool three = std::any_of(d.cards.begin(), d.cards.end(), [](Card c) { return rank_of(c) == kThree; });
        if (three && threes_kept_back(s.rules, hand))
            return refuse("the threes are kept back while other cards remain");
    }
    DealSteps f{s, ev};
    s.ask = Ask::nothing;
    if (lead) {
        f.lead_with(seat, d.cards);
        f.schedule(State::Next::turn, std::nullopt);
    } else {
        f.answer_with(d.move == Move::pass ? std::nullopt : std::optional<std::vector<Card>>(d.cards));
    }
    f.run();
    return {};
}

void advance(State& s, Events& ev) {
    DealSteps f{s, ev};
    f.run();
}

void reset_game(State& s, Events& ev) {
    s.first_leader.reset();
    s.ledger = {};
    s.scores = {};
    DealSteps f{s, ev};
    f.reset_table();
}

}  // namespace tav::game
