// The pile verbs the game runs most: filter-and-count on a hand, copying a
// whole four-deck pile, finding one card and sorting a hand.
#include <benchmark/benchmark.h>

#include "surface/card_list.h"

namespace {

using tav::CardList;

// A 36-card hand spread over the ranks, every few cards already given away.
CardList hand36() {
    CardList p;
    for (int i = 0; i < 36; ++i) p.append((i * 37) % tav::kCardCount + 1, i % 5 == 0);
    return p;
}

CardList full_pile() {
    CardList p;
    for (int n = 1; n <= tav::kCardCount; ++n) p.append(n);
    return p;
}

void BM_FilterSortEqualsCount(benchmark::State& state) {
    CardList p = hand36();
    for (auto _ : state) {
        p.set_filter("sort = 5");
        benchmark::DoNotOptimize(p.row_count());
        p.set_filter("");
    }
}
BENCHMARK(BM_FilterSortEqualsCount);

void BM_FilterTwoTermsCount(benchmark::State& state) {
    CardList p = hand36();
    for (auto _ : state) {
        p.set_filter("sort <= 3 and isgo <> '1'");
        benchmark::DoNotOptimize(p.row_count());
        p.set_filter("");
    }
}
BENCHMARK(BM_FilterTwoTermsCount);

void BM_Count(benchmark::State& state) {
    const CardList p = hand36();
    for (auto _ : state) benchmark::DoNotOptimize(p.count("sort = 5"));
}
BENCHMARK(BM_Count);

// The engine's own loop for the same question, for comparison.
void BM_CountSortDirect(benchmark::State& state) {
    const CardList p = hand36();
    for (auto _ : state) benchmark::DoNotOptimize(p.count_sort(5));
}
BENCHMARK(BM_CountSortDirect);

void BM_CopyAll216(benchmark::State& state) {
    const CardList src = full_pile();
    CardList dst;
    for (auto _ : state) {
        dst.reset();
        src.copy_all_to(dst);
        benchmark::DoNotOptimize(dst.row_count());
    }
}
BENCHMARK(BM_CopyAll216);

void BM_FindId216(benchmark::State& state) {
    const CardList p = full_pile();
    for (auto _ : state) benchmark::DoNotOptimize(p.find("id = 'p_100'", 1, p.row_count()));
}
BENCHMARK(BM_FindId216);

void BM_Sort36(benchmark::State& state) {
    const CardList original = hand36();
    CardList p;
    for (auto _ : state) {
        p = original;  // a fresh unsorted hand each time; the copy costs a few ns
        p.sort("sort");
        benchmark::DoNotOptimize(p.at(1).num);
    }
}
BENCHMARK(BM_Sort36);

}  // namespace
