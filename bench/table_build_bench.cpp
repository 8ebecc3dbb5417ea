// Opening the table: the view builds its pictures, labels, note area and
// background strips on a fresh surface, then repaints at a new size (the
// strips are made again); the counter and the optional marks are built the
// first time they show.
#include <benchmark/benchmark.h>

#include "session/card_counter.h"
#include "view/platform.h"
#include "view/table_marks.h"
#include "view/table_view.h"

namespace {

void BM_TableOpens(benchmark::State& state) {
    tav::TableSettings settings;
    tav::ScriptedPlatform platform;
    for (auto _ : state) {
        tav::TableView view(settings, platform);
        view.resize(3602, 2272);
        tav::CounterPanel counter(view.surface());
        counter.set_visible(true);
        tav::TableMarks marks(view.surface());
        marks.show_deal_number(2024001, true);
        marks.show_autoplay(true);
        benchmark::DoNotOptimize(view.surface().object_count());
    }
}
BENCHMARK(BM_TableOpens)->Unit(benchmark::kMicrosecond);

}  // namespace
