// The game state written as text and read back: every field survives, for
// states taken at every step of whole games under each set of rules; a text
// that is cut short, from another version or edited by hand is refused.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/invariants.h"
#include "rules/engine.h"
#include "store/serialise.h"
#include "tests/engine/game_support.h"
#include "tests/engine/saved_game_support.h"

namespace tav {
namespace {

using game::Ask;
using game::Seat;
using game::State;

struct Taken {
    std::vector<State> at_rest;  // where the game waits for the human
    std::vector<State> in_step;  // inside the engine, after each of its steps
};

// Whole deals of one game, the human seats played by the computer, every state kept.
Taken play_game(const game::Rules& rules, std::uint64_t seed, int deals,
                const game::PerSeat<bool>& human = {{true, false, false, false, false, false}}) {
    Taken taken;
    State s = game::new_game(rules);
    s.human = human;
    std::mt19937_64 rng(seed);
    game::Events ev;
    ev.keep = game::Keep::outcome;
    int step = 0;
    ev.after_step = [&](const State& now, const game::Events&) {
        if (++step % 3 == 0) taken.in_step.push_back(now);
    };
    for (int done = 0; done < deals;) {
        taken.at_rest.push_back(s);
        if (s.ask == Ask::shuffle && s.first_leader && ++done >= deals) break;
        const game::Verdict v = tav::test::autoplay(s, ev, rng);
        EXPECT_TRUE(v.ok()) << v.reason;
        if (!v) break;
        ev.clear();
    }
    return taken;
}

TEST(StateText, EveryStateOfWholeGamesReadsBackTheSame) {
    const std::vector<game::Rules> rule_sets{
        {},
        {.threes = false, .smother = true, .points = true, .tributes = true},
        {.threes = true, .smother = true, .points = true, .tributes = true},
        {.threes = true, .smother = false, .points = false, .tributes = false},
        {.threes = true,
         .smother = false,
         .points = false,
         .tributes = true,
         .levels = {game::Level::strong, game::Level::classic, game::Level::strong, game::Level::classic,
                    game::Level::strong, game::Level::classic}},
    };
    int rest = 0, steps = 0, tributes_asked = 0, others_asked = 0;
    for (std::size_t i = 0; i < rule_sets.size(); ++i) {
        // The last game has a second human seat, D, whose asks are states at rest too.
        const Taken taken =
            play_game(rule_sets[i], 1000 + i, 6, {{true, false, false, i + 1 == rule_sets.size(), false, false}});
        for (const State& s : taken.at_rest) {
            // Where the game waits, the state is whole and consistent.
            ASSERT_EQ(game::check_consistent(s), "");
            const game::StateRead back = game::read_state(game::write_state(s));
            ASSERT_TRUE(back.ok()) << back.error << "\n" << game::write_state(s);
            test::expect_same(s, back.state);
            EXPECT_EQ(game::write_state(back.state), game::write_state(s));
            tributes_asked += s.ask == Ask::return_tribute || s.ask == Ask::take_partner_tribute;
            others_asked += game::current_seat(s) == Seat::D;
            ++rest;
        }
        for (const State& s : taken.in_step) {
            // Inside a step the asks may lag behind: such a state is refused
            // only for what the consistency check says, never by the reading.
            const std::string fault = game::check_consistent(s);
            const game::StateRead back = game::read_state(game::write_state(s));
            EXPECT_EQ(back.error, fault);
            if (back.ok()) test::expect_same(s, back.state);
            ++steps;
        }
        if (HasFailure()) return;
    }
    EXPECT_GT(rest, 500);
    EXPECT_GT(steps, 1000);
    EXPECT_GT(tributes_asked, 0);  // the ledger was read back while a tribute waited
    EXPECT_GT(others_asked, 50);
}

class BadStateText : public ::testing::Test {
protected:
    void SetUp() override {
        const Taken taken = play_game({.threes = true, .smother = true, .points = true, .tributes = true}, 77, 2);
        for (const State& s : taken.at_rest)
            if (s.phase == game::Phase::play && s.trick.standing && !s.cleared.empty()) mid_deal = s;
        good = game::write_state(mid_deal);
        ASSERT_TRUE(game::read_state(good).ok());
    }
    // The good text with the first `from` replaced by `to`.
    std::string edited(const std::string& from, const std::string& to) const { return test::replaced(good, from, to); }
    State mid_deal;
    std::string good;
};

// The empty text and one cut inside its last line: the crafted states
// (saved_game_support.h) carry those, with their exact reasons.
TEST_F(BadStateText, CutShortAnywhereIsRefused) {
    for (std::size_t n = 0; n < good.size(); n += 3) {
        const game::StateRead r = game::read_state(std::string_view(good).substr(0, n));
        ASSERT_FALSE(r.ok()) << n;
    }
}

// Another version is refused by name, not as damaged; a text edited by hand
// names the field and line at fault; nothing half read comes out.
TEST_F(BadStateText, AnotherVersionOrEditedByHandIsRefusedWithItsReason) {
    // Format 1 had no levels line.
    std::string old = edited("state 3", "state 1");
    old.erase(old.find("levels "), old.find('\n', old.find("levels ")) - old.find("levels ") + 1);
    const std::string traded_line = test::line_of(good, "traded");
    const std::pair<std::string, std::string> refused[] = {
        {old, "第1行：旧版本的牌局状态（格式 1），本游戏读取格式 3"},
        {edited("state 3", "state 4"), "新版本的牌局状态（格式 4）"},
        {edited("state 3", "state x"), "这里应是一个数"},
        {edited("rules 1", "rules 2"), "超出范围"},
        {edited("rules", "rulez"), "这里应是 rules"},
        // A seat plays classic or strong; nothing else is a level at the table.
        {edited("levels 0", "levels 2"), "levels：2 超出范围"},
        // Two-word field names included.
        {edited("hand B ", "hand B 97 "), "第8行：hand B：97 超出范围"},
        {edited("play E ", "play E x"), "第15行：play E：这里应是一个数"},
        {edited("trick ", "trick Z"), "座位 A..F"},
        {good + "extra\n", "行数比牌局状态多"},
        // Traded cards rise, each once; past the last card there is none.
        {edited(traded_line, "traded 2 216 216"), "traded：216 超出范围"},
        {edited(traded_line, "traded 2 7 3"), "traded：3 超出范围"},
        {edited("\nout", " 5\nout"), "多出了内容"},
    };
    for (const auto& [text, why] : refused) {
        const game::StateRead r = game::read_state(text);
        EXPECT_FALSE(r.ok()) << why;
        EXPECT_NE(r.error.find(why), std::string::npos) << why << ": " << r.error;
        test::expect_same(r.state, State{});
    }
    // A card in two places, places and counts that disagree, an ask out of
    // turn: the crafted saved games carry those.
}

// Who is human is written and read back; a text of format 2 (no human line,
// the engine's schedule last) reads as seat A alone, but only with no step
// of the engine due.
TEST_F(BadStateText, HumanSeatsAreKeptAndAFormatTwoTextReadsWithNoStepDue) {
    State humans = mid_deal;
    humans.human = {{true, false, true, false, true, false}};
    const std::string with_humans = game::write_state(humans);
    const game::PerSeat<bool> a_alone{{true, false, false, false, false, false}};
    const std::string human_line = test::line_of(good, "human ") + "\n";
    struct Row {
        const char* what;
        std::string text;
        const char* refused;  // "" when it reads
        const State* as;      // what it reads as
    };
    const Row rows[] = {
        {"humans round trip", with_humans, "", &humans},
        {"format 2", test::as_state_format_2(with_humans), "", &mid_deal},
        {"format 2, the last step's leader left behind", test::as_state_format_2(good, "next 0 C 0"), "", &mid_deal},
        {"format 2, a turn due", test::as_state_format_2(good, "next 2 - 0"), "还有步骤没走完", nullptr},
        {"format 2, the deal's end due", test::as_state_format_2(good, "next 1 - 1"), "还有步骤没走完", nullptr},
        {"format 2, an end due with no step", test::as_state_format_2(good, "next 0 - 1"), "还有步骤没走完", nullptr},
        {"format 2, no such step", test::as_state_format_2(good, "next 3 - 0"), "next：3 超出范围", nullptr},
        {"format 2 with no schedule", test::replaced(test::as_state_format_2(good), "next 0 - 0\n", ""),
         "文本在 next 之前就结束了", nullptr},
        {"format 3 with no human line", edited(human_line, ""), "这里应是 human", nullptr},
        {"format 3 with a schedule", good + "next 0 - 0\n", "行数比牌局状态多", nullptr},
        {"a human flag of 2", edited(human_line, "human 1 0 2 0 0 0\n"), "human：2 超出范围", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const game::StateRead r = game::read_state(row.text);
        if (*row.refused) {
            EXPECT_NE(r.error.find(row.refused), std::string::npos) << r.error;
            test::expect_same(r.state, State{});
            continue;
        }
        ASSERT_TRUE(r.ok()) << r.error;
        test::expect_same(r.state, *row.as);
    }
    EXPECT_EQ(mid_deal.human, a_alone);
}

}  // namespace
}  // namespace tav
