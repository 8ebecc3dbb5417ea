// One decision of the seat asked: checked, then carried out through the
// same steps whoever made it. A human's own pass, hold-back and return
// differ from the computer's (State::human).
#include "rules/engine.h"

#include "rules/flow.h"
#include "rules/gate.h"

namespace tav::game {

State new_game(const Rules& rules) {
    State s;
    s.rules = rules;
    return s;
}

Verdict apply(State& s, Seat seat, const Decision& d, Events& ev) {
    // Nothing happens before the gate: under the rule on threes it also keeps
    // a three back while the hand holds other cards.
    if (Verdict v = check(s, seat, d); !v) return v;
    const bool by_human = s.human[seat] && !d.by_computer;
    DealSteps f{s, ev};
    switch (s.ask) {
        case Ask::shuffle: f.deal(d.cards); break;
        case Ask::lead:
        case Ask::follow:
        case Ask::follow_or_hold:
            if (d.move == Move::play)
                f.play(d.cards);
            else
                f.pass(by_human);
            break;
        case Ask::return_tribute: f.answer_return(d.cards, by_human); break;
        case Ask::take_partner_tribute: f.answer_partner(d.move == Move::take_tribute); break;
        case Ask::nothing: return {};
    }
    f.run();
    return {};
}

void reset_game(State& s, Events& ev) {
    s.first_leader.reset();
    s.ledger = {};
    s.scores = {};
    DealSteps f{s, ev};
    f.reset_table();
}

}  // namespace tav::game
