// The table surface under the load of a simulated deal: card moves dominate.
#include "surface/surface.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// 216 cards plus the notes, labels and strips around them.
tav::Surface full_table() {
    tav::Surface s;
    std::string command;
    for (int i = 1; i <= 216; ++i)
        command += " create bitmap(band=header filename=\"cards\\back.bmp\" x=\"0\" y=\"0\" height=\"96\" width=\"71\" "
                   "name=p_" +
                   std::to_string(i) + " tag=\"\")";
    for (int i = 1; i <= 25; ++i)
        command += " create text(band=header text=\"\" x=\"10\" y=\"10\" height=\"60\" width=\"300\" name=t_" +
                   std::to_string(i) + " font.face=\"Arial\" font.height=\"-9\")";
    for (int i = 1; i <= 25; ++i)
        command += " create rectangle(band=header x=\"1\" y=\"0\" height=\"36\" width=\"3602\" name=rec_" +
                   std::to_string(i) + " brush.color=\"5558528\")";
    if (!s.modify(command).empty()) std::abort();
    return s;
}

void BM_SurfaceCardMove(benchmark::State& state) {
    tav::Surface s = full_table();
    // Two positions so every command really changes the picture.
    const std::string moves[2] = {
        R"(p_123.x ="1868" p_123.y ="1045" p_123.tag ="" p_123.filename ="cards\h2.bmp")",
        R"(p_123.x ="1068" p_123.y ="1145" p_123.tag ="1" p_123.filename ="cards\s14.bmp")",
    };
    unsigned i = 0;
    for (auto _ : state) {
        std::string e = s.modify(moves[i++ & 1]);
        benchmark::DoNotOptimize(e);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SurfaceCardMove);

void BM_SurfaceDescribe(benchmark::State& state) {
    tav::Surface s = full_table();
    for (auto _ : state) {
        std::string v = s.describe("p_123.x");
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_SurfaceDescribe);

void BM_SurfaceStrips(benchmark::State& state) {
    tav::Surface s = full_table();
    std::string make, clear;
    for (int i = 100; i < 164; ++i) {
        make += " create rectangle(band=header x=\"1\" y=\"0\" height=\"36\" width=\"3602\"  name=rec_" +
                std::to_string(i) +
                " brush.hatch=\"6\" brush.color=\"5558528\" pen.style=\"0\" pen.width=\"5\" pen.color=\"5558528\"  "
                "background.mode=\"2\" background.color=\"0\" )";
        clear += " destroy rec_" + std::to_string(i);
    }
    for (auto _ : state) {
        std::string a = s.modify(make);
        std::string b = s.modify(clear);
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
    }
    state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(BM_SurfaceStrips);

}  // namespace
