// The gate's list of what seat A may decide, taken from real positions: every
// moment of a few simulated deals where seat A is asked something.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "host/driver.h"
#include "rules/engine.h"
#include "rules/gate.h"

namespace {

using namespace tav::game;

const std::vector<State>& asked_states() {
    static const std::vector<State> all = [] {
        std::vector<State> out;
        State s = new_game(Rules{});
        Events ev;
        ev.keep = Keep::outcome;
        std::mt19937_64 rng(11);
        for (int deal = 0; deal < 20; ++deal) {
            out.push_back(s);
            if (!tav::host::shuffle(s, ev, rng)) break;
            while (s.ask != Ask::shuffle && s.ask != Ask::nothing) {
                out.push_back(s);
                if (!tav::host::computer_decides(s, ev)) break;
                ev.clear();
            }
        }
        return out;
    }();
    return all;
}

// The counters give the median, the 90th percentile and the slowest of the
// positions, each timed on its own, and how many decisions a list holds.
void BM_LegalDecisions(benchmark::State& state) {
    const std::vector<State>& all = asked_states();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(legal_decisions(all[i]));
        if (++i == all.size()) i = 0;
    }
    std::vector<double> each;
    std::vector<std::size_t> sizes;
    constexpr int kRepeats = 20;
    for (const State& s : all) {
        const auto start = std::chrono::steady_clock::now();
        for (int k = 0; k < kRepeats; ++k) benchmark::DoNotOptimize(legal_decisions(s));
        const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        each.push_back(took.count() / kRepeats);
        sizes.push_back(legal_decisions(s).size());
    }
    std::sort(each.begin(), each.end());
    std::sort(sizes.begin(), sizes.end());
    state.counters["positions"] = static_cast<double>(all.size());
    state.counters["median us"] = each[each.size() / 2];
    state.counters["p90 us"] = each[each.size() * 9 / 10];
    state.counters["max us"] = each.back();
    state.counters["median decisions"] = static_cast<double>(sizes[sizes.size() / 2]);
    state.counters["max decisions"] = static_cast<double>(sizes.back());
}
BENCHMARK(BM_LegalDecisions);

}  // namespace
