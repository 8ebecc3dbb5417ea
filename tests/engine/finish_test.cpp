#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "table/w_main.h"
#include "tests/engine/support.h"

namespace tav {
namespace {

struct Finish : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;
    w_main w{settings, platform, 1};
    test::CardPicker picker;

    Finish() {
        settings.gc_show = 0;
        // Every seat holds a card until it is made to finish.
        for (int i = 1; i <= 6; ++i) picker.fill(*w.hand(seat_letter(i)), "9");
    }
    // `seat` plays its last card.
    void finish(std::string_view seat) {
        w.hand(seat)->reset();
        w.is_current = std::string(seat);
        w.wf_checkover();
    }
    int count(const std::string& line) const {
        return static_cast<int>(std::count(w.note_log.begin(), w.note_log.end(), line));
    }
    int score_sum() const {
        int sum = 0;
        for (std::size_t i = 1; i <= 6; ++i) sum += w.ii_grade[i];
        return sum;
    }
};

TEST_F(Finish, PlacesScoresLabelsAndPlaceTributes) {
    finish("C");
    EXPECT_EQ(w.is_c, "1");
    EXPECT_EQ(w.ii_order, 1);
    EXPECT_EQ(w.note_log.back(), "石    坚＞头科");
    EXPECT_EQ(w.dw_main.describe("t_cc.text"), "石    坚得分：2");
    EXPECT_EQ(w.dw_main.describe("t_oc.text"), "头科");
    EXPECT_EQ(w.dw_main.describe("t_oc.visible"), "1");
    EXPECT_EQ(w.is_ke[13], "C");
    EXPECT_EQ(w.ii_la[13], 2);

    finish("A");
    EXPECT_EQ(w.note_log.back(), "钟离云＞二科");
    EXPECT_EQ(w.is_ke[14], "A");
    EXPECT_EQ(w.ii_la[14], 1);

    finish("A");  // already out: not recorded again
    EXPECT_EQ(w.ii_order, 2);
    EXPECT_EQ(count("钟离云＞二科"), 1);

    finish("B");
    finish("D");
    EXPECT_EQ(w.dw_main.describe("t_od.text"), "四科");
    EXPECT_EQ(w.ii_grade[2], 0);
    EXPECT_EQ(w.ii_grade[4], 0);
    EXPECT_EQ(w.is_la[13], "");
    EXPECT_EQ(w.is_la[14], "");

    finish("F");
    EXPECT_EQ(w.note_log.back(), "月    琴＞二落");
    EXPECT_EQ(w.is_la[14], "F");
    EXPECT_EQ(w.dw_main.describe("t_cf.text"), "月    琴得分：-1");
    EXPECT_EQ(w.is_current, "F");  // E still plays alone

    finish("E");
    EXPECT_EQ(w.note_log.back(), "雷    虎＞大落");
    EXPECT_EQ(w.is_la[13], "E");
    EXPECT_EQ(w.is_firstgo, "E");
    EXPECT_EQ(w.ii_order, 6);
    EXPECT_EQ(score_sum(), 0);
}

TEST_F(Finish, TheHumanLeftAloneIsPlacedLastAndTheDealEndsOnce) {
    for (const char* s : {"B", "C", "D", "E"}) finish(s);
    EXPECT_EQ(count("游戏结束"), 0);
    finish("F");
    EXPECT_EQ(count("钟离云＞大落"), 1);
    EXPECT_EQ(count("游戏结束"), 1);
    EXPECT_EQ(count("——————————"), 1);
    EXPECT_EQ(w.ii_grade[1], -2);
    EXPECT_EQ(score_sum(), 0);
    EXPECT_EQ(w.is_firstgo, "A");
    EXPECT_EQ(w.is_la[13], "A");
    // The table is ready for the next deal and nothing ran after its end.
    EXPECT_TRUE(w.cb_send.enabled);
    EXPECT_EQ(w.ii_order, 0);
    EXPECT_TRUE(w.dw_a.empty());
    EXPECT_EQ(w.note_log.back(), "＞＞＞请先洗牌");
}

TEST_F(Finish, TheLastPlayOfADealIsAnnouncedBeforeItEnds) {
    // C plays its last card as the fifth seat out; the human is left.
    for (const char* s : {"B", "D", "E", "F"}) finish(s);
    w.dw_c.reset();
    picker.fill(w.dw_c, "K");
    picker.fill(w.dw_2, "Q");
    w.is_prior = "B";
    w.is_current = "C";
    const std::size_t from = w.note_log.size();
    w.wf_setautoout();
    std::vector<std::string> notes(w.note_log.begin() + static_cast<long>(from), w.note_log.end());
    const std::vector<std::string> expected{"石    坚＞二落", "钟离云＞大落", "石坚1个K", "扣牌", "游戏结束",
                                            "——————————"};
    ASSERT_GE(notes.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), notes.begin()));
    EXPECT_EQ(count("游戏结束"), 1);
    EXPECT_EQ(w.note_log.back(), "＞＞＞请先洗牌");
    EXPECT_EQ(w.is_current, "");
    EXPECT_TRUE(w.dw_3.empty());
    EXPECT_EQ(score_sum(), 0);
}

TEST_F(Finish, ASweptSideIsAnnouncedAndPaysOneCardEachToOppositeSeats) {
    finish("D");
    finish("F");
    EXPECT_EQ(count("我方已被抓三户"), 0);
    finish("B");
    EXPECT_EQ(count("我方已被抓三户"), 1);
    const char* receivers[] = {"B", "D", "F"};
    const char* payers[] = {"E", "A", "C"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(w.is_ke[13 + i], receivers[i]);
        EXPECT_EQ(w.is_la[13 + i], payers[i]);
        EXPECT_EQ(w.ii_la[13 + i], 1);
    }
    // Every further play of the swept side repeats the note.
    w.is_current = "A";
    w.wf_checkover();
    EXPECT_EQ(count("我方已被抓三户"), 2);
    // The swept seats' later places change no slot.
    finish("E");
    finish("C");
    EXPECT_EQ(w.is_la[14], "A");
    EXPECT_EQ(w.is_la[13], "E");
}

TEST_F(Finish, TheOtherSideSwept) {
    finish("A");
    finish("E");
    finish("C");
    EXPECT_EQ(count("对方已被抓三户"), 1);
    EXPECT_EQ(w.is_ke[13], "E");
    EXPECT_EQ(w.is_ke[14], "A");
    EXPECT_EQ(w.is_ke[15], "C");
    EXPECT_EQ(w.is_la[13], "B");
    EXPECT_EQ(w.is_la[14], "D");
    EXPECT_EQ(w.is_la[15], "F");
}

TEST_F(Finish, ScoresCarryOverAndBadInputIsRefused) {
    w.ii_grade[2] = 2;
    w.wf_showresult("B", 6);
    EXPECT_EQ(w.ii_grade[2], 0);
    EXPECT_EQ(w.dw_main.describe("t_cb.text"), "柳    烟得分：0");
    const std::size_t lines = w.note_log.size();
    w.wf_showresult("G", 1);
    w.wf_showresult("B", 0);
    w.wf_showresult("B", 7);
    EXPECT_EQ(w.note_log.size(), lines);
    EXPECT_EQ(w.is_ke[13], "");
    EXPECT_EQ(w.ii_grade[2], 0);
}

}  // namespace
}  // namespace tav
