// The deal on the engine alone: the new-game reset, the shuffle and deal of
// 216 cards, and whatever the start of play does before the human must act.
// The game is built once; every iteration deals again. The argument says
// which events are kept: 0 only the note lines (the simulator), 1 every
// event (the table view draws from them).
#include <benchmark/benchmark.h>

#include <random>

#include "host/driver.h"
#include "model/events.h"
#include "model/state.h"
#include "rules/engine.h"

namespace {

using namespace tav::game;

struct Game {
    State s;
    Events ev;
    std::mt19937_64 rng{12345};

    Game(bool threes, const benchmark::State& state) {
        Rules rules;
        rules.threes = threes;
        s = new_game(rules);
        ev.keep = state.range(0) == 0 ? Keep::lines : Keep::all;
    }
    void deal(benchmark::State& state) {
        if (!tav::host::shuffle(s, ev, rng)) state.SkipWithError("the shuffle was refused");
        ev.clear();
    }
};

void label(benchmark::State& state) { state.SetLabel(state.range(0) == 0 ? "notes only" : "every event"); }

// The reset alone, to be taken off the figures below.
void BM_NewGame(benchmark::State& state) {
    Game g(false, state);
    for (auto _ : state) {
        reset_game(g.s, g.ev);
        g.ev.clear();
    }
    label(state);
}
BENCHMARK(BM_NewGame)->Arg(0)->Arg(1);

// The deal with the human recorded as first leader (as in a later deal where
// the human came last): play starts by waiting for the human's lead, so
// this is the deal, the sorting of the computer hands and a few notes.
void BM_NewGameAndDeal_HumanLeads(benchmark::State& state) {
    Game g(false, state);
    for (auto _ : state) {
        reset_game(g.s, g.ev);
        g.s.first_leader = Seat::A;
        g.deal(state);
    }
    state.SetItemsProcessed(state.iterations() * kCards);
    label(state);
}
BENCHMARK(BM_NewGameAndDeal_HumanLeads)->Arg(0)->Arg(1);

// The first deal of a game: the fours choose the leader, threes are bought,
// and a computer leader plays with the other computer seats until the human
// must answer.
void BM_NewGameAndDeal_FirstDeal(benchmark::State& state) {
    Game g(true, state);
    for (auto _ : state) {
        reset_game(g.s, g.ev);
        g.deal(state);
    }
    state.SetItemsProcessed(state.iterations() * kCards);
    label(state);
}
BENCHMARK(BM_NewGameAndDeal_FirstDeal)->Arg(0)->Arg(1);

}  // namespace
