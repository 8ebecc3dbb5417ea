#include "ai/strong.h"

#include <algorithm>

#include "ai/classic.h"
#include "ai/strong_moves.h"
#include "ai/strong_thumb.h"
#include "ai/strong_world.h"
#include "ai/view.h"
#include "rules/gate.h"
#include "rules/play.h"

namespace tav::game::strong {
namespace {

// Rollouts a decision may spend, shared among its choices, and the fewest
// worlds each choice is played in.
constexpr int kRollouts = 12;
constexpr int kFewestWorlds = 2;
constexpr int kMostAnswers = 3;
// Looking ahead pays where places are decided and costs least: near the end
// of the deal, when this many cards or fewer are left in all hands.
constexpr int kLookAheadFrom = 40;

bool worth_looking_ahead(const State& s, Seat seat) {
    const SeatView v(s, seat);
    int left = 0;
    for (Seat x : kAllSeats) left += v.hand_size(x);
    return left <= kLookAheadFrom;
}

// The index of the best choice in the drawn worlds; -1 when the engine took
// none of them.
int best_of(const Worlds& worlds, const std::vector<Decision>& choices) {
    if (choices.size() == 1) return 0;
    const int n = static_cast<int>(choices.size());
    const int samples = std::max(kFewestWorlds, kRollouts / n);
    Random rng{worlds.seed() ^ 0x5eed};
    std::vector<double> total(choices.size(), 0.0);
    std::vector<bool> taken(choices.size(), true);
    for (int k = 0; k < samples; ++k) {
        const State world = worlds.draw(rng);
        for (std::size_t j = 0; j < choices.size(); ++j) {
            bool ok = false;
            total[j] += play_out(world, worlds.seat(), choices[j], ok);
            if (!ok) taken[j] = false;
        }
    }
    int best = -1;
    for (int j = 0; j < n; ++j)
        if (taken[static_cast<std::size_t>(j)] &&
            (best < 0 || total[static_cast<std::size_t>(j)] > total[static_cast<std::size_t>(best)]))
            best = j;
    return best;
}

void add_choice(std::vector<Decision>& choices, Decision d) {
    if (d.move == Move::play) std::sort(d.cards.begin(), d.cards.end());
    if (std::find(choices.begin(), choices.end(), d) == choices.end()) choices.push_back(std::move(d));
}

// The rules of thumb in a drawn world; where it is worth it, weighed against
// the other plays by looking ahead.
Decision decide(const State& s, Seat seat) {
    const bool ahead = worth_looking_ahead(s, seat);
    if (!ahead) {
        // Two rules of thumb need no drawn world: the classic lead reads only
        // the own hand and the cleared cards, and a partner's play is left alone.
        if (!s.trick.standing) return Decision::play(classic::lead(SeatView(s, seat)));
        if (leaves_partner_alone(s, seat)) return Decision::pass();
    }
    const Worlds worlds(s, seat);
    Random rng{worlds.seed()};
    Decision first = rules_of_thumb(worlds.draw(rng), seat);
    if (!ahead) return first;
    std::vector<Decision> choices;
    add_choice(choices, std::move(first));
    const Hand& hand = s.hands[seat];
    if (!s.trick.standing) {
        for (auto& cards : lead_choices(hand, s.rules)) add_choice(choices, Decision::play(std::move(cards)));
    } else {
        for (auto& cards : answer_choices(hand, s.plays[*s.trick.standing], s.rules, kMostAnswers))
            add_choice(choices, Decision::play(std::move(cards)));
        add_choice(choices, Decision::pass());
    }
    const int best = best_of(worlds, choices);
    return choices[static_cast<std::size_t>(std::max(best, 0))];
}

}  // namespace

std::vector<Card> lead(const State& s, Seat seat) {
    if (s.trick.standing || s.hands[seat].empty()) return {};
    std::vector<Card> cards = decide(s, seat).cards;
    // Never a lead the rules refuse: then the weakest rank whole, as the
    // classic level leads (from the own hand alone).
    if (!can_play(cards, nullptr)) cards = classic::weakest_rank(SeatView(s, seat));
    return cards;
}

std::optional<std::vector<Card>> follow(const State& s, Seat seat) {
    if (!s.trick.standing) return std::nullopt;
    // Nothing beats the standing play: a pass, as at any level.
    if (legal_plays(s.hands[seat], &s.plays[*s.trick.standing], s.rules, 1).empty()) return std::nullopt;
    Decision d = decide(s, seat);
    if (d.move != Move::play || !can_play(d.cards, &s.plays[*s.trick.standing])) return std::nullopt;
    return std::move(d.cards);
}

}  // namespace tav::game::strong
