// Whole games kept to the invariants: the simulator's games under each rule
// set, and the human's own buttons pressed through many deals.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "model/invariants.h"
#include "session/session.h"
#include "tools/sim/simulation.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using enum game::Seat;

// Whole games as the simulator plays them with --check: every seat played by
// the computer, seat A included, every step checked. Each rule set gets its
// own game of many deals so tributes and purchases carry from deal to deal.
struct RuleSet {
    const char* name;
    bool b3, m, d;
    int win_style;
};

struct Games : ::testing::TestWithParam<RuleSet> {};

TEST_P(Games, EveryStepOfManyDealsKeepsTheInvariants) {
    const RuleSet& rules = GetParam();
    Settings settings;
    settings.threes_rule = rules.b3;
    settings.smother_tributes = rules.m;
    settings.point_tributes = rules.d;
    settings.win_style = rules.win_style;
    sim::Simulation game(settings, 11, true);
    std::map<std::string, int> seen;  // tributes paid, returns by seat A, threes bought
    const std::string human(game::name_of(A));
    game.on_note([&](std::string_view line) {
        auto has = [&](const char* part) { return line.find(part) != std::string_view::npos; };
        if (has("进") && has("贡") && !has("向")) ++seen["tribute"];
        if (line.starts_with(human + "还")) ++seen["return A"];
        if (has("买３")) ++seen["buy3"];
    });
    constexpr int kDeals = 200;
    for (int deal = 1; deal <= kDeals; ++deal) ASSERT_TRUE(game.play_deal()) << game.fault();
    EXPECT_EQ(game.deals_played(), kDeals);
    if (rules.win_style == 1) {
        EXPECT_GT(seen["tribute"], kDeals);  // two place tributes a deal at least, from the second on
        EXPECT_GT(seen["return A"], 0);
    } else {
        EXPECT_EQ(seen["tribute"], 0);
    }
    EXPECT_EQ(seen["buy3"] > 0, rules.b3);
}

INSTANTIATE_TEST_SUITE_P(Rules, Games,
                         ::testing::Values(RuleSet{"Threes", true, false, false, 1},
                                           RuleSet{"AllTributes", true, true, true, 1},
                                           RuleSet{"NoThrees", false, true, true, 1},
                                           RuleSet{"ScoresOnly", true, false, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// The human's own buttons at the table: seat A leads its weakest rank by a
// click and the play button, answers with the weakest rank the play button
// takes or else passes or holds back, and returns tribute by picking its
// weakest cards. Every press is checked with all it brought about, and the
// picked cards are always cards of the hand, each once.
TEST(HumanButtons, EveryButtonActionKeepsTheInvariants) {
    Settings settings;
    settings.play_pause = 0;
    settings.smother_tributes = settings.point_tributes = true;
    ScriptedPlatform platform;
    Session table(settings, platform, 3);
    game::InvariantChecker checker;
    game::Events told;
    table.callbacks.before_event = [&](const game::Event& e) { told.list.push_back(e); };
    std::string fault;
    std::map<std::string, int> seen;
    const game::Hand& hand = table.state().hands[A];
    auto checked = [&](const std::string& what) {
        ++seen[what];
        std::string broken = checker.after(table.state(), told, what);
        told.clear();
        checker.events_cleared();
        for (Card c : table.picking().picks())
            if (!hand.contains(c) || std::count(table.picking().picks().begin(), table.picking().picks().end(), c) != 1)
                broken = "picked " + std::string(game::card_name(c)) + ", not once from the hand";
        if (fault.empty() && !broken.empty()) fault = what + ": " + broken;
    };
    // The weakest card of the hand that may be picked (a three only when nothing else is left).
    auto weakest = [&](int skip) -> Card {
        const bool only_threes = hand.count(game::kThree) == hand.size();
        for (int i = hand.size() - 1; i >= 0; --i)
            if ((only_threes || game::rank_of(hand[i]) != game::kThree) && table.view().in_human_row(hand[i]) &&
                skip-- == 0)
                return hand[i];
        return 0;
    };
    // Picks each rank in turn, weakest first (a click picks as many as the
    // standing play holds), and plays the first the play button takes.
    auto follow = [&] {
        std::set<game::Rank> tried;
        for (int i = hand.size() - 1; i >= 0; --i) {
            const Card card = hand[i];
            if (!tried.insert(game::rank_of(card)).second) continue;
            table.picking().click(card);
            checked("click");
            if (table.button(ButtonId::play).enabled) {
                table.play();
                return true;
            }
            table.picking().right_click(card);  // drops the picked cards of that rank
        }
        return false;
    };
    for (int deal = 1; deal <= 30 && fault.empty(); ++deal) {
        table.shuffle();
        checked("deal");
        for (int guard = 0; guard < game::InvariantChecker::kMaxActions && fault.empty(); ++guard) {
            const Ask ask = table.state().ask;
            if (ask == Ask::shuffle) break;
            if (ask == Ask::return_tribute) {
                const int owed = table.state().ledger[static_cast<std::size_t>(table.state().settling)].count;
                for (int i = 0; i < owed; ++i) table.picking().click(weakest(i));
                checked("click");
                table.press(ButtonId::return_cards);
                ASSERT_TRUE(platform.messages.empty()) << "the return of " << owed << " cards was refused";
                checked("return");
                continue;
            }
            ASSERT_TRUE(table.state().trick.turn == A);
            if (ask == Ask::lead) {
                table.picking().click(weakest(0));  // the whole rank is picked at once
                ASSERT_TRUE(table.button(ButtonId::play).enabled);
                table.play();
                checked("lead");
            } else if (follow()) {
                checked("follow");
            } else if (table.button(ButtonId::pass).enabled) {
                table.press(ButtonId::pass);
                checked("pass");
            } else {
                ASSERT_TRUE(table.button(ButtonId::hold_back).enabled);
                table.press(ButtonId::hold_back);
                checked("hold back");
            }
        }
        ASSERT_EQ(fault, "") << "deal " << deal;
        ASSERT_EQ(table.state().ask, Ask::shuffle) << "deal " << deal << " did not end";
    }
    for (const char* what : {"lead", "follow", "pass", "hold back", "return"}) EXPECT_GT(seen[what], 0) << what;
}

}  // namespace
}  // namespace tav
