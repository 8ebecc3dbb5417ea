// Deal numbers. A game draws its shuffles from one generator seeded with the
// game's seed; the number of a deal is that seed times 1000 plus the deal's
// place in the sequence (1..999): seed 2024 deals 2024001, 2024002, ...
// Seeding the generator and making the shuffles before it again therefore
// deals the same cards to the same seats, in the window and in the
// simulator alike. After the 999th deal of a seed the next seed takes over,
// so the deal after number N is always N + 1 (N + 2 past a ...999).
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace tav {

inline constexpr std::uint64_t kDealsPerSeed = 999;
// Seeds run 0..kMaxGameSeed, so a number has at most 18 digits.
inline constexpr std::uint64_t kMaxGameSeed = 999'999'999'999'999ull;
inline constexpr std::uint64_t kFirstDealNumber = 1, kLastDealNumber = kMaxGameSeed * 1000 + kDealsPerSeed;

struct DealPlace {
    std::uint64_t seed = 0;
    std::uint64_t index = 1;  // 1..kDealsPerSeed
};

// The number of a seed's index-th deal; the seed must be in range.
constexpr std::uint64_t deal_number(std::uint64_t seed, std::uint64_t index) { return seed * 1000 + index; }
// The seed and place of a deal number; none for a number no deal has
// (0, a multiple of 1000, or beyond the last).
std::optional<DealPlace> place_of(std::uint64_t number);
// The deal after `number` (a valid one); after the very last, the first.
std::uint64_t next_deal_number(std::uint64_t number);

// A deal number typed by the player: the number, or the reason it is refused.
struct ParsedDealNumber {
    std::uint64_t number = 0;
    std::string error;  // empty when the number is good
};
ParsedDealNumber parse_deal_number(std::string_view text);

// Leaves `rng` where its next shuffle deals `number` (a valid one): seeded
// with the number's seed, the shuffles before it made.
void prepare_shuffle(std::mt19937_64& rng, std::uint64_t number);

// A fresh game seed from the system's entropy source, kept short (1..999999)
// so the numbers of its deals stay easy to read and to type.
std::uint64_t draw_game_seed();

}  // namespace tav
