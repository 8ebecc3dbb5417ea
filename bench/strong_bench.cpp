// The strong level: one decision from real positions of recorded deals (every
// seat strong), with the median, 90th percentile and slowest decision as
// counters, and a whole deal with every seat strong.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "ai/level.h"
#include "host/driver.h"
#include "rules/engine.h"

namespace {

using namespace tav::game;

Rules all_strong() {
    Rules r;
    r.levels.fill(Level::strong);
    return r;
}

struct Position {
    State s;
    Seat seat;
};

// Every decision of a few deals: the computer seats' answers, caught between
// the engine's steps (as they stand when the seat is asked), and seat A's
// leads and answers between actions.
const std::vector<Position>& positions() {
    static const std::vector<Position> all = [] {
        std::vector<Position> out;
        State s = new_game(all_strong());
        Events ev;
        ev.keep = Keep::outcome;
        ev.after_step = [&](const State& st, const Events&) {
            const std::optional<Seat> turn = st.trick.turn;
            // A computer seat asked to answer the standing play.
            if (st.deal_running() && (st.ask == Ask::follow || st.ask == Ask::follow_or_hold) && turn &&
                *turn != Seat::A && turn != st.trick.standing && !st.is_out(*turn))
                out.push_back({st, *turn});
        };
        std::mt19937_64 rng(11);
        for (int deal = 0; deal < 4; ++deal) {
            tav::host::shuffle(s, ev, rng);
            ev.clear();
            while (s.ask != Ask::shuffle) {
                if (s.ask == Ask::lead || s.ask == Ask::follow || s.ask == Ask::follow_or_hold)
                    out.push_back({s, Seat::A});
                if (!tav::host::computer_decides(s, ev)) break;
                ev.clear();
            }
        }
        return out;
    }();
    return all;
}

void BM_StrongDecide(benchmark::State& state) {
    const std::vector<Position>& all = positions();
    std::size_t i = 0;
    for (auto _ : state) {
        const Position& p = all[i];
        benchmark::DoNotOptimize(computer_decision(p.s, p.seat));
        if (++i == all.size()) i = 0;
    }
    std::vector<double> each;
    each.reserve(all.size());
    for (const Position& p : all) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(computer_decision(p.s, p.seat));
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        each.push_back(took.count());
    }
    std::sort(each.begin(), each.end());
    state.counters["positions"] = static_cast<double>(all.size());
    state.counters["median ms"] = each[each.size() / 2];
    state.counters["p90 ms"] = each[each.size() * 9 / 10];
    state.counters["max ms"] = each.back();
}
BENCHMARK(BM_StrongDecide)->Unit(benchmark::kMicrosecond);

void BM_StrongWholeDeal(benchmark::State& state) {
    State s = new_game(all_strong());
    Events ev;
    ev.keep = Keep::outcome;
    std::mt19937_64 rng(7);
    for (auto _ : state) {
        tav::host::shuffle(s, ev, rng);
        ev.clear();
        while (s.ask != Ask::shuffle) {
            if (!tav::host::computer_decides(s, ev)) {
                state.SkipWithError("the deal stopped");
                return;
            }
            ev.clear();
        }
    }
    state.counters["deals/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StrongWholeDeal)->Unit(benchmark::kMillisecond);

}  // namespace
