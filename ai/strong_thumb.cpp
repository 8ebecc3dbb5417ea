#include "ai/strong_thumb.h"

#include <algorithm>

#include "ai/classic.h"
#include "ai/strong_moves.h"
#include "ai/view.h"
#include "rules/gate.h"
#include "rules/play.h"

namespace tav::game::strong {

bool leaves_partner_alone(const State& s, Seat seat) {
    const SeatView v(s, seat);
    const std::optional<Seat> standing = v.trick().standing;
    if (!standing || !same_side(*standing, seat) || v.is_out(*standing)) return false;
    // Every answer has as many cards as the standing play.
    const bool goes_out = v.play_of(*standing).size() == v.hand().size() &&
                          !legal_plays(v.hand(), &v.play_of(*standing), v.rules(), 1).empty();
    return !goes_out;
}

Decision rules_of_thumb(const State& s, Seat seat) {
    const SeatView v(s, seat);
    if (!s.trick.standing) return Decision::play(classic::lead(v));
    const Seat standing = *s.trick.standing;
    const Play& prior = s.plays[standing];
    if (legal_plays(v.hand(), &prior, v.rules(), 1).empty() || leaves_partner_alone(s, seat)) return Decision::pass();
    const bool partner = same_side(standing, seat);
    const bool close_to_out = !partner && v.hand_size(standing) <= kCloseToOut;

    Decision d = classic::decide(v);
    if (d.move == Move::play && !can_play(d.cards, &prior)) d = Decision::pass();
    const bool natural_standing = !is_wild(rank_of(prior[prior.size() - 1]));
    if (d.move == Move::play && d.cards.size() == 1 && rank_of(d.cards[0]) == kTwo && prior.size() == 1 &&
        natural_standing) {
        // A 2 wins a trick later; a single natural card may do it now.
        const auto held = v.hand().counts();
        for (Rank r = rank_of(prior[0]) - 1; r >= kAce; --r)
            if (held[static_cast<std::size_t>(r)] == 1) {
                d.cards = {v.hand()[v.hand().find_rank(r)]};
                break;
            }
    } else if (d.move == Move::play && d.cards.size() > 1 && natural_standing && !close_to_out &&
               std::all_of(d.cards.begin(), d.cards.end(), [](Card c) { return rank_of(c) == kTwo; })) {
        // 2s spent on a group of natural cards while nobody is about to go out.
        d = Decision::pass();
    }
    if (d.move == Move::pass && close_to_out) return Decision::play(answer_choices(v.hand(), prior, v.rules(), 1)[0]);
    return d;
}

}  // namespace tav::game::strong
