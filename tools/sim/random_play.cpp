#include "tools/sim/random_play.h"

#include <random>
#include <vector>

#include "host/driver.h"
#include "model/invariants.h"
#include "rules/engine.h"
#include "rules/gate.h"

namespace tav::sim {

using namespace tav::game;

RandomPlayTally random_play(const Rules& rules, long long deals, std::uint64_t seed, bool every_seat) {
    RandomPlayTally t;
    State s = new_game(rules);
    if (every_seat) s.human = {{true, true, true, true, true, true}};
    // The shuffles and seat A's choices draw from generators of their own, so
    // a choice never shifts the cards of the deals to come.
    std::mt19937_64 rng(seed), chooser(seed ^ 0x9e3779b97f4a7c15ull);
    Events ev;
    InvariantChecker checker;
    ev.after_step = [&](const State& st, const Events& e) {
        if (t.fault.empty()) t.fault = checker.after(st, e, "step");
    };
    long long in_deal = 0;  // decisions since the last shuffle: a deal that never ends is a fault too
    auto fail = [&](const std::string& what) {
        if (t.fault.empty()) t.fault = what;
        t.fault = "deal " + std::to_string(t.deals + 1) + ": " + t.fault;
        return t;
    };
    while (true) {
        const std::optional<Seat> seat = current_seat(s);
        if (!seat || !s.human[*seat])
            return fail("the game waits for no human (asked " + std::to_string(static_cast<int>(s.ask)) + ")");
        const std::vector<Decision> legal = legal_decisions(s);
        if (legal.empty())
            return fail(std::string("seat ") + letter_of(*seat) + " is asked " +
                        std::to_string(static_cast<int>(s.ask)) + " and may do nothing");
        const Decision& d = legal[std::uniform_int_distribution<std::size_t>(0, legal.size() - 1)(chooser)];
        if (d.move == Move::shuffle) {
            if (t.decisions > 0) ++t.deals;
            if (t.deals == deals) return t;
            in_deal = 0;
        }
        if (++in_deal > InvariantChecker::kMaxActions) return fail("the deal does not end");
        if (const Verdict v = check(s, *seat, d); !v) return fail("the gate refuses a listed decision: " + v.reason);
        // The shuffle listed stands for any order of the pack: the driver draws one.
        const Verdict v = d.move == Move::shuffle ? host::shuffle(s, ev, rng) : host::decide(s, *seat, d, ev);
        if (!v) return fail("apply refuses a listed decision: " + v.reason);
        if (t.fault.empty()) t.fault = checker.after(s, ev, "action");
        if (!t.fault.empty()) return fail("");
        ev.clear();
        checker.events_cleared();
        ++t.decisions;
        ++t.moves[static_cast<std::size_t>(d.move)];
    }
}

}  // namespace tav::sim
