// A whole fast deal on the engine alone: the new-deal reset, the shuffle and
// deal of 216 cards, and whatever the start of play does before the human
// must act. The game is built once; every iteration deals again.
#include <benchmark/benchmark.h>

#include "table/w_main.h"

namespace {

struct Game {
    tav::Settings settings;
    tav::ScriptedPlatform platform;
    tav::w_main w;

    explicit Game(bool threes) : w(settings, platform, 12345) {
        settings.gc_show = 0;
        settings.gs_sends = "0";
        settings.gb_b3 = threes;
    }
};

// The reset alone, to be taken off the figures below.
void BM_Newgame(benchmark::State& state) {
    Game g(false);
    for (auto _ : state) {
        g.w.newgame();
        g.w.note_log.clear();
    }
}
BENCHMARK(BM_Newgame);

// The deal with the human recorded as first leader (as in a later deal where
// the human came last): play starts by waiting for the human's lead, so
// this is the deal, the sorting of the computer hands and a few notes.
void BM_NewgameAndDeal_HumanLeads(benchmark::State& state) {
    Game g(false);
    for (auto _ : state) {
        g.w.newgame();
        g.w.is_firstgo = "A";
        g.w.sendout();
        g.w.note_log.clear();
    }
    state.SetItemsProcessed(state.iterations() * tav::kCardCount);
}
BENCHMARK(BM_NewgameAndDeal_HumanLeads);

// The first deal of a game: the fours choose the leader, threes are bought,
// and a computer leader plays with the other computer seats until the human
// must answer.
void BM_NewgameAndDeal_FirstDeal(benchmark::State& state) {
    Game g(true);
    for (auto _ : state) {
        g.w.newgame();
        g.w.is_firstgo.clear();
        g.w.sendout();
        g.w.note_log.clear();
    }
    state.SetItemsProcessed(state.iterations() * tav::kCardCount);
}
BENCHMARK(BM_NewgameAndDeal_FirstDeal);

}  // namespace
