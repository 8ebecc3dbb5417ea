// Play on the engine alone: whole deals of one game with every seat played
// by the computer (the human's seat included), as the simulator plays them;
// copying the game in the middle of a deal; and one computer decision taken
// from real positions of such deals.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "ai/classic.h"
#include "host/driver.h"
#include "model/invariants.h"
#include "model/notes.h"
#include "rules/engine.h"

namespace {

using namespace tav::game;

// Shuffles and plays one deal to its end; the number of seat A's turns, or
// -1 when the game stopped with nothing asked of seat A.
int play_deal(State& s, Events& ev, std::mt19937_64& rng, const std::function<void()>& after_action) {
    if (!tav::host::shuffle(s, ev, rng)) return -1;
    after_action();
    int turns = 0;
    for (; s.ask != Ask::shuffle; ++turns) {
        if (!tav::host::computer_decides(s, ev)) return -1;
        after_action();
    }
    return turns;
}

// A whole deal of a game that goes on from deal to deal (scores, tributes and
// threes carry over), with the simulator's rules. What is done with the events:
// 0 notes off: only places and the deal's end are kept (tav-sim);
// 1 notes on: what the note lines are made of, every line written to the
//   game's log (tav-sim --log);
// 2 every event, as the table view gets them;
// 3 every event and the invariant checks after every step (tav-sim --check).
void BM_WholeDeal(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    State s = new_game(Rules{});
    Events ev;
    ev.keep = mode == 0 ? Keep::outcome : mode == 1 ? Keep::lines : Keep::all;
    std::mt19937_64 rng(7);
    InvariantChecker checker;
    std::string fault;
    std::vector<std::string> log;
    if (mode == 3)
        ev.after_step = [&](const State& st, const Events& e) {
            if (fault.empty()) fault = checker.after(st, e, "step");
        };
    auto after_action = [&] {
        if (mode == 1)
            for (const Event& e : ev.list) notes::write(e, log);
        if (mode == 3 && fault.empty()) fault = checker.after(s, ev, "action");
        ev.clear();
        checker.events_cleared();
    };
    std::int64_t turns = 0;
    for (auto _ : state) {
        log.clear();
        const int t = play_deal(s, ev, rng, after_action);
        if (t < 0 || !fault.empty()) {
            state.SkipWithError(t < 0 ? "the deal stopped" : fault.c_str());
            break;
        }
        turns += t;
        benchmark::DoNotOptimize(s.scores);
    }
    state.counters["deals/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["human turns/deal"] =
        benchmark::Counter(static_cast<double>(turns), benchmark::Counter::kAvgIterations);
    static const char* const kModes[] = {"notes off", "notes on", "every event", "every event, checked"};
    state.SetLabel(kModes[mode]);
}
BENCHMARK(BM_WholeDeal)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// A position where a seat decides: the game as it stands and the seat to act.
struct Position {
    State s;
    Seat seat;
};

// Every decision of a few simulated deals: the computer seats' answers, met
// between the engine's steps, and seat A's leads and answers between actions.
const std::vector<Position>& positions() {
    static const std::vector<Position> all = [] {
        std::vector<Position> out;
        State s = new_game(Rules{});
        Events ev;
        ev.keep = Keep::outcome;
        ev.after_step = [&](const State& st, const Events&) {
            const std::optional<Seat> turn = st.trick.turn;
            const bool turn_asked = st.ask == Ask::lead || st.ask == Ask::follow || st.ask == Ask::follow_or_hold;
            if (st.deal_running() && turn_asked && turn && *turn != Seat::A && !st.is_out(*turn))
                out.push_back({st, *turn});
        };
        std::mt19937_64 rng(11);
        auto after_action = [&] {
            if (s.ask == Ask::lead || s.ask == Ask::follow || s.ask == Ask::follow_or_hold) out.push_back({s, Seat::A});
            ev.clear();
        };
        for (int deal = 0; deal < 20; ++deal) play_deal(s, ev, rng, after_action);
        return out;
    }();
    return all;
}

// Copying the game in the middle of a deal, to ask "what if".
void BM_CopyMidDealState(benchmark::State& state) {
    const std::vector<Position>& all = positions();
    const State& mid = all[all.size() / 2].s;
    for (auto _ : state) {
        State copy = mid;
        benchmark::DoNotOptimize(copy);
        benchmark::ClobberMemory();
    }
    state.counters["bytes"] = static_cast<double>(sizeof(State));
}
BENCHMARK(BM_CopyMidDealState);

// One computer decision, the positions taken in turn. The counters give the
// median, the 90th percentile and the slowest of the positions, each timed
// on its own.
void BM_ClassicDecide(benchmark::State& state) {
    const std::vector<Position>& all = positions();
    std::size_t i = 0;
    for (auto _ : state) {
        const Position& p = all[i];
        benchmark::DoNotOptimize(classic::decide(SeatView(p.s, p.seat)));
        if (++i == all.size()) i = 0;
    }
    std::vector<double> each;
    each.reserve(all.size());
    constexpr int kRepeats = 20;
    for (const Position& p : all) {
        const auto start = std::chrono::steady_clock::now();
        for (int k = 0; k < kRepeats; ++k) benchmark::DoNotOptimize(classic::decide(SeatView(p.s, p.seat)));
        const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        each.push_back(took.count() / kRepeats);
    }
    std::sort(each.begin(), each.end());
    state.counters["positions"] = static_cast<double>(all.size());
    state.counters["median us"] = each[each.size() / 2];
    state.counters["p90 us"] = each[each.size() * 9 / 10];
    state.counters["max us"] = each.back();
}
BENCHMARK(BM_ClassicDecide);

}  // namespace
