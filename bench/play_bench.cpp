// A whole deal, engine only: shuffle, deal, and every turn played by the
// computer players, the human's seat included, with the table surface and
// the note area live. Each deal starts a fresh game so no tribute is due.
#include <benchmark/benchmark.h>

#include "table/w_main.h"

namespace {

void BM_WholeDeal(benchmark::State& state) {
    tav::Settings settings;
    settings.gc_show = 0;
    tav::ScriptedPlatform platform;
    tav::w_main w(settings, platform, 7);
    std::int64_t turns = 0;
    for (auto _ : state) {
        w.resetgame();
        w.cb_send_clicked();
        if (w.deal_running() && w.is_current.empty()) w.wf_firstgo(w.is_firstgo);
        while (w.deal_running() && w.autoplay_human()) ++turns;
        benchmark::DoNotOptimize(w.ii_grade);
    }
    state.counters["deals/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["human turns/deal"] =
        benchmark::Counter(static_cast<double>(turns), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WholeDeal)->Unit(benchmark::kMicrosecond);

}  // namespace
