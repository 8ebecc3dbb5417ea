#include <gtest/gtest.h>

#include <string>

#include "table/w_main.h"
#include "tests/engine/support.h"

namespace tav {
namespace {

struct Challenge : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;
    w_main w{settings, platform, 1};

    Challenge() { settings.gc_show = 0; }

    // Classifies `cards` as played by `seat` and returns whether it is a challenge.
    bool play(const std::string& cards, std::string_view seat = "C") {
        CardList* pile = w.play_pile(seat);
        pile->reset();
        test::CardPicker().fill(*pile, cards);
        pile->sort("sort");
        w.is_current = std::string(seat);
        return w.wf_ifkv();
    }
};

TEST_F(Challenge, StrongPlaysAreChallenges) {
    struct Case {
        const char* cards;
        bool challenge;
    };
    const Case cases[] = {
        {"2", true},          {"A", false},          {"A A", true},         {"A 2", true},
        {"K K", true},        {"K", false},          {"Q Q Q", true},       {"Q Q", false},
        {"J J J J", true},    {"J J J", false},      {"10 10 10 10 10", true}, {"10 10 10 10", false},
        {"9 9 9 9 9 9", false}, {"9 9 2 2", true},  {"9 9 2", false},      {"Q Q 2", true},
        {"J J J 2", true},    {"SJ", true},          {"BJ 4", true},        {"2 2 2", true},
        {"3 3 3 3 3 3 3 3", false},
    };
    for (const Case& c : cases) EXPECT_EQ(play(c.cards), c.challenge) << c.cards;
}

TEST_F(Challenge, EveryPlayIsAnnouncedInTheGamesWords) {
    play("9 9 2", "E");
    EXPECT_EQ(w.note_log.back(), "雷虎1钱2个9");
    play("Q Q 2", "E");
    EXPECT_EQ(w.note_log.back(), "雷虎1钱2个Q，瑟柯牌");
    play("K K K BJ", "A");
    EXPECT_EQ(w.note_log.back(), "钟离云1大户3个K，瑟柯牌");
    play("BJ SJ SJ 2 2 2 5", "B");
    EXPECT_EQ(w.note_log.back(), "柳烟1大户2小户3钱1个5，瑟柯牌");
    play("2 2", "D");
    EXPECT_EQ(w.note_log.back(), "花月容2钱，瑟柯牌");
    play("7", "F");
    EXPECT_EQ(w.note_log.back(), "月琴1个7");
}

TEST_F(Challenge, AnEmptyPlayIsNoPlay) {
    const std::size_t lines = w.note_log.size();
    w.is_current = "B";
    EXPECT_FALSE(w.wf_ifkv());
    w.is_current = "G";
    EXPECT_FALSE(w.wf_ifkv());
    EXPECT_EQ(w.note_log.size(), lines);
}

TEST_F(Challenge, OppositeSeatOnlyWhileItPlays) {
    const char* pairs[][2] = {{"A", "D"}, {"B", "E"}, {"C", "F"}, {"D", "A"}, {"E", "B"}, {"F", "C"}};
    for (const auto& p : pairs) EXPECT_EQ(w.wf_gettav(p[0]), p[1]) << p[0];
    w.is_d = "1";
    EXPECT_EQ(w.wf_gettav("A"), "");
    EXPECT_EQ(w.wf_gettav("G"), "");
    EXPECT_EQ(w.wf_gettav(""), "");
}

TEST_F(Challenge, OpenPointIsWrittenOnce) {
    EXPECT_TRUE(w.wf_whokd("E"));
    EXPECT_EQ(w.is_ek, "1");
    EXPECT_EQ(w.note_log.back(), "雷虎开点");
    const std::size_t lines = w.note_log.size();
    EXPECT_FALSE(w.wf_whokd("E"));
    EXPECT_FALSE(w.wf_whokd("X"));
    EXPECT_EQ(w.note_log.size(), lines);
}

TEST_F(Challenge, OneKindLeft) {
    test::CardPicker picker;
    picker.fill(w.dw_b, "7 7 7");
    EXPECT_TRUE(w.wf_ifbm("B"));
    picker.fill(w.dw_c, "7 2");
    EXPECT_FALSE(w.wf_ifbm("C"));  // a 2 is a kind of its own here
    EXPECT_FALSE(w.wf_ifbm("D"));  // empty hand
    EXPECT_FALSE(w.wf_ifbm("?"));
}

TEST_F(Challenge, SmotherTributeOnlyWithTheRuleAndOneKindLeft) {
    test::CardPicker picker;
    picker.fill(w.dw_c, "7 7");
    w.is_prior = "C";
    w.file_smother_tribute("D");
    EXPECT_EQ(w.is_ke[1], "");  // rule off

    settings.gb_m = true;
    for (int i = 0; i < 7; ++i) w.file_smother_tribute(i % 2 ? "D" : "B");
    for (std::size_t slot = 1; slot <= 6; ++slot) {
        EXPECT_EQ(w.is_la[slot], "C");
        EXPECT_EQ(w.ii_la[slot], 1);
    }
    EXPECT_EQ(w.is_ke[1], "B");
    EXPECT_EQ(w.is_ke[2], "D");
    EXPECT_EQ(w.is_ke[7], "");  // a full range files nothing

    picker.fill(w.dw_e, "7 8");
    w.is_prior = "E";
    w.is_ke[3].clear();
    w.file_smother_tribute("F");
    EXPECT_EQ(w.is_ke[3], "");  // two kinds left: nothing
}

}  // namespace
}  // namespace tav
