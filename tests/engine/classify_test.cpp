#include <gtest/gtest.h>

#include "table/w_main.h"
#include "tests/engine/support.h"

namespace tav {
namespace {

struct Classify : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;
    w_main w{settings, platform, 1};
    test::CardPicker picker;

    // The human's pick, in the order given.
    void pick(const std::string& words) {
        w.dw_out.reset();
        picker.fill(w.dw_out, words);
    }
    // A play standing for `seat`, stored strongest first as the turns store it.
    void standing(const std::string& seat, const std::string& words) {
        CardList& p = *w.play_pile(seat);
        p.reset();
        picker.fill(p, words);
        p.sort("sort");
        w.is_prior = seat;
    }
    bool beats(const std::string& follow, const std::string& prior) {
        picker = {};
        standing("B", prior);
        pick(follow);
        return w.wf_checkout();
    }
};

TEST_F(Classify, ALeadIsOneNaturalRankWithAnyWildCards) {
    for (const char* legal : {"Q", "Q Q Q", "3 3", "Q 2 Q BJ", "SJ Q", "BJ", "2 2 SJ BJ", "A A A A A A A 2"}) {
        pick(legal);
        EXPECT_TRUE(w.wf_checkout()) << legal;
    }
    for (const char* illegal : {"Q K", "Q Q K", "2 Q BJ K", "3 4", "A 2 K"}) {
        pick(illegal);
        EXPECT_FALSE(w.wf_checkout()) << illegal;
    }
}

TEST_F(Classify, AFollowIsStrongerCardByCard) {
    EXPECT_TRUE(beats("K K SJ", "Q Q Q"));
    EXPECT_TRUE(beats("K 2 K", "A Q Q"));
    EXPECT_FALSE(beats("BJ Q Q", "2 K K"));  // a queen is not stronger than a king
    EXPECT_FALSE(beats("Q Q", "Q Q"));       // ties are refused
    EXPECT_FALSE(beats("A 2", "A 2"));
    EXPECT_TRUE(beats("2 2", "A A"));
    EXPECT_FALSE(beats("SJ SJ", "SJ 2"));  // the first pair ties
    EXPECT_TRUE(beats("BJ BJ", "SJ SJ"));
    EXPECT_TRUE(beats("4", "3"));
    EXPECT_FALSE(beats("3", "4"));
    // The number of cards must match.
    EXPECT_FALSE(beats("K K K K", "Q Q Q"));
    EXPECT_FALSE(beats("K K", "Q Q Q"));
    EXPECT_FALSE(beats("BJ BJ BJ BJ", "3 3 3"));
    // Stronger but not one rank: still refused.
    EXPECT_FALSE(beats("K A", "Q Q"));
    // Wild cards alone may follow.
    EXPECT_TRUE(beats("2 SJ", "A A"));
}

TEST_F(Classify, CheckbigPairsStrongestWithStrongestAndLeavesThePickSorted) {
    standing("C", "J 2 J");
    EXPECT_EQ(test::codes(w.dw_3), "2 J J");
    pick("Q Q BJ");
    EXPECT_EQ(w.wf_checkbig(w.dw_3), 0);
    EXPECT_EQ(test::codes(w.dw_out), "BJ Q Q");
    pick("Q Q 2");
    EXPECT_EQ(w.wf_checkbig(w.dw_3), 1);
    pick("Q BJ");
    EXPECT_EQ(w.wf_checkbig(w.dw_3), 1);
    EXPECT_EQ(test::codes(w.dw_out), "Q BJ");  // refused on the count, left as picked
}

TEST_F(Classify, ABadStandingSeatAllowsNothing) {
    pick("K");
    w.is_prior = "G";
    EXPECT_FALSE(w.wf_checkout());
    standing("B", "Q");
    w.is_prior = "b";  // seats are read without regard to case
    EXPECT_TRUE(w.wf_checkout());
}

TEST_F(Classify, HandShapeCountsNaturalRanks) {
    picker.fill(w.dw_c, "K K 7 2 BJ");
    EXPECT_EQ(w.wf_howhand("C"), 2);  // four codes less two wild kinds
    EXPECT_EQ(w.wf_howhand("c"), 2);
    EXPECT_EQ(w.wf_howhand("D"), 0);  // empty hand
    picker.fill(w.dw_e, "2 BJ SJ 2");
    EXPECT_EQ(w.wf_howhand("E"), 0);
    picker.fill(w.dw_f, "3 4 5 6 7 8 9 10 J Q K A 3");
    EXPECT_EQ(w.wf_howhand("F"), 12);
    EXPECT_EQ(w.wf_howhand("G"), 0);
    EXPECT_EQ(w.wf_howhand(""), 0);
}

TEST_F(Classify, CountingQueriesPickTheirPile) {
    picker.fill(w.dw_d, "K K 7 2 BJ");
    standing("D", "Q Q 2");
    picker.fill(w.dw_ok, "2 2 2 K");
    EXPECT_EQ(w.wf_getpage("D", 5, 1), 2);
    EXPECT_EQ(w.wf_getpage("D", 3, 1), 1);
    EXPECT_EQ(w.wf_getpage("d", 1, 1), 1);
    EXPECT_EQ(w.wf_getpage("D", 4, 1), 0);
    EXPECT_EQ(w.wf_getpage("D", 6, 2), 2);
    EXPECT_EQ(w.wf_getpage("D", 3, 2), 1);
    EXPECT_EQ(w.wf_getpage("D", 3, 3), 3);  // the cleared pile, whatever the seat
    EXPECT_EQ(w.wf_getpage("G", 3, 0), 3);
    EXPECT_EQ(w.wf_getpage("G", 3, 1), 0);
    EXPECT_EQ(w.wf_getpage("G", 3, 2), 0);

    EXPECT_EQ(w.wf_getpage("D", 1), 5);
    EXPECT_EQ(w.wf_getpage("D", 2), 3);
    EXPECT_EQ(w.wf_getpage("D", 7), 3);  // any other place is the standing play
    EXPECT_EQ(w.wf_getpage("A", 1), 0);
    EXPECT_EQ(w.wf_getpage("X", 1), 0);
    EXPECT_EQ(w.wf_getpage("X", 2), 0);
}

TEST_F(Classify, SeatsSidesAndFinishing) {
    EXPECT_TRUE(w_main::wf_iftogether("A", "E"));
    EXPECT_TRUE(w_main::wf_iftogether("C", "a"));
    EXPECT_TRUE(w_main::wf_iftogether("B", "F"));
    EXPECT_TRUE(w_main::wf_iftogether("D", "D"));
    EXPECT_FALSE(w_main::wf_iftogether("A", "D"));
    EXPECT_FALSE(w_main::wf_iftogether("F", "A"));
    for (const char* bad : {"", "G", "AB", "@"}) {
        EXPECT_FALSE(w_main::wf_iftogether(bad, "A")) << bad;
        EXPECT_FALSE(w_main::wf_iftogether("C", bad)) << bad;
    }
    // '@' and 'B' differ by 2 as character codes but '@' is no seat.
    EXPECT_FALSE(w_main::wf_iftogether("@", "B"));

    EXPECT_FALSE(w.wf_checknull("C"));
    w.is_c = "2";
    EXPECT_TRUE(w.wf_checknull("C"));
    EXPECT_TRUE(w.wf_checknull("c"));
    EXPECT_FALSE(w.wf_checknull("D"));
    EXPECT_FALSE(w.wf_checknull("G"));
    EXPECT_FALSE(w.wf_checknull(""));
}

}  // namespace
}  // namespace tav
