// The simulator's levels per seat (--level) and its summary per side: what
// it accepts and refuses, and the side figures from a few deals made up by hand.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/sim/sides.h"

namespace tav::sim {
namespace {

using game::Level;

TEST(SimLevels, NamedSeatsTakeTheirLevelTheOthersStayClassic) {
    Levels levels{};
    EXPECT_EQ(parse_levels("A=strong,C=strong,e=strong", levels), "");
    EXPECT_EQ(levels,
              (Levels{Level::strong, Level::classic, Level::strong, Level::classic, Level::strong, Level::classic}));
    EXPECT_EQ(parse_levels("C=classic", levels), "");
    EXPECT_EQ(levels[2], Level::classic);
    EXPECT_EQ(level_name(Level::strong), "strong");
}

TEST(SimLevels, AnUnknownSeatOrLevelIsRefusedAndChangesNothing) {
    const Levels before{Level::strong, Level::classic, Level::classic, Level::classic, Level::classic, Level::classic};
    for (const char* bad :
         {"G=strong", "AB=strong", "=strong", "A=expert", "A=", "A", "A=strong,,B=strong", "", "A=strong,B=thumb"}) {
        Levels levels = before;
        EXPECT_NE(parse_levels(bad, levels), "") << bad;
        EXPECT_EQ(levels, before) << bad;
    }
}

TEST(SideStats, MeansIntervalsFirstPlacesAndSweepsPerSide) {
    SideStats stats;
    // A, C, E take places 1, 2, 3: a sweep by A, C, E.
    stats.add_deal({0, 2, -2, 1, -1, 0, 0}, {0, 1, 6, 2, 5, 3, 4});
    // B first, then A; no sweep.
    stats.add_deal({0, 1, 2, 0, -2, 0, -1}, {0, 2, 1, 3, 6, 4, 5});
    EXPECT_EQ(stats.deals(), 2);
    EXPECT_DOUBLE_EQ(stats.seat_mean(1), 1.5);
    EXPECT_DOUBLE_EQ(stats.seat_mean(4), -1.5);
    const SideStats::Side ace = stats.side(0), bdf = stats.side(1);
    EXPECT_DOUBLE_EQ(ace.mean, (3.0 / 3 + 1.0 / 3) / 2);
    EXPECT_DOUBLE_EQ(bdf.mean, -ace.mean);
    EXPECT_EQ(ace.first_places, 1);
    EXPECT_EQ(bdf.first_places, 1);
    EXPECT_EQ(ace.sweeps, 1);
    EXPECT_EQ(bdf.sweeps, 0);
    // Per-deal values 1 and 1/3: sample deviation sqrt(2/9), over sqrt(2).
    EXPECT_NEAR(ace.half_width, 1.96 * (1.0 / 3), 1e-9);

    std::ostringstream text, json;
    const Levels levels{Level::strong, Level::classic, Level::strong, Level::classic, Level::strong, Level::classic};
    stats.print_text(text, levels);
    EXPECT_NE(text.str().find("levels: A strong B classic C strong"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("mean score per deal: A +1.500"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("side A,C,E: per seat per deal +0.667 +- 0.653 (95 %), 头科 1 (50.0 %), sweeps 1"),
              std::string::npos)
        << text.str();
    stats.print_json(json, levels);
    EXPECT_NE(json.str().find("\"levels\":{\"A\":\"strong\",\"B\":\"classic\""), std::string::npos) << json.str();
    EXPECT_NE(json.str().find("\"mean_scores\":{\"A\":1.5000,\"B\":0.0000,\"C\":0.5000,\"D\":-1.5000"),
              std::string::npos)
        << json.str();
    EXPECT_NE(json.str().find("\"A,C,E\":{\"mean\":0.6667,\"ci95\":0.6533,\"first_places\":1,\"sweeps\":1}"),
              std::string::npos)
        << json.str();
}

}  // namespace
}  // namespace tav::sim
