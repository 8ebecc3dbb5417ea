// The golden record: whole games of fixed seeds under several rule sets,
// every note line of every deal in order and the final scores, compared with
// digests stored when the game was known to play right. Any change of what
// the game does shows here. A deliberate change renews the digests in a
// commit of its own that says what changed and why.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "tools/sim/simulation.h"

namespace tav {
namespace {

struct Golden {
    const char* name;
    bool threes, smother, points;
    int win_style;
    std::uint64_t seed;
    std::uint64_t digest;  // of every note line, each deal after "=== deal K"
    const char* scores;    // A..F after the last deal
};

constexpr int kDeals = 500;

// FNV-1a, 64 bits: small, stable and enough to tell two records apart.
struct Digest {
    std::uint64_t value = 14695981039346656037ull;
    void add(std::string_view text) {
        for (unsigned char c : text) {
            value ^= c;
            value *= 1099511628211ull;
        }
        value ^= '\n';
        value *= 1099511628211ull;
    }
};

const Golden kGolden[] = {
    {"threes_place_tributes", true, false, false, 1, 11, 0x17c665a80220ee30ull, "-20 0 21 -8 30 -23"},
    {"no_threes_every_tribute", false, true, true, 1, 12, 0x80767457832b3fc1ull, "4 -9 1 16 0 -12"},
    {"threes_every_tribute", true, true, true, 1, 13, 0xb7bde929524c4a5full, "70 -3 2 -41 3 -31"},
    {"scores_only", true, true, true, 0, 14, 0x254efb568ac1f628ull, "29 -58 -73 7 43 52"},
    {"no_threes_scores_only", false, false, false, 0, 15, 0xf23016305be87ee8ull, "27 36 -13 -40 10 -20"},
};

void PrintTo(const Golden& g, std::ostream* out) { *out << g.name; }

class GoldenRecord : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenRecord, WholeGameMatchesTheStoredRecord) {
    const Golden& g = GetParam();
    Settings rules;
    rules.threes_rule = g.threes;
    rules.smother_tributes = g.smother;
    rules.point_tributes = g.points;
    rules.win_style = g.win_style;
    rules.play_pause = 0;
    rules.deal_speed = "0";
    sim::Simulation game(rules, g.seed, /*check=*/false);
    Digest digest;
    long long lines = 0;
    game.on_note([&](std::string_view line) {
        digest.add(line);
        ++lines;
    });
    for (int deal = 1; deal <= kDeals; ++deal) {
        digest.add("=== deal " + std::to_string(deal));
        ASSERT_TRUE(game.play_deal()) << game.fault();
    }
    std::ostringstream scores;
    for (int seat = 1; seat <= 6; ++seat)
        scores << (seat > 1 ? " " : "") << game.scores()[static_cast<std::size_t>(seat)];
    EXPECT_EQ(scores.str(), g.scores) << g.name;
    EXPECT_EQ(digest.value, g.digest) << g.name << ": record of " << lines << " lines has digest 0x" << std::hex
                                      << digest.value;
}

INSTANTIATE_TEST_SUITE_P(RuleSets, GoldenRecord, ::testing::ValuesIn(kGolden),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tav
