#include <gtest/gtest.h>

#include <array>
#include <string>

#include "table/w_main.h"
#include "tests/engine/support.h"

namespace tav {
namespace {

// Seat B acts; C stands (when a follow is tested); E holds every card not
// named by a test, so all 216 cards are always somewhere.
struct SplitRush : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;
    w_main w{settings, platform, 1};
    test::CardPicker picker;

    SplitRush() { settings.gc_show = 0; }

    void give(std::string_view seat, const std::string& cards) {
        picker.fill(*w.hand(seat), cards);
        w.hand(seat)->sort("sort");
    }
    // Cards already cleared from the table in this deal.
    void played(const std::string& cards) { picker.fill(w.dw_ok, cards); }
    // The rest of the pack goes to the bystander E.
    void deal_rest() {
        for (int n = 1; n <= kCardCount; ++n)
            if (seen()[static_cast<std::size_t>(n)] == 0) w.dw_e.append(n);
        w.dw_e.sort("sort");
    }
    // The standing play: C plays `play` and keeps `rest`.
    void standing(const std::string& play, const std::string& rest) {
        picker.fill(w.dw_3, play);
        w.dw_3.sort("sort");
        give("C", rest);
        w.is_prior = "C";
        w.is_current = "B";
    }

    std::array<int, kCardCount + 1> seen() const {
        std::array<int, kCardCount + 1> count{};
        for (const CardList* p : {&w.dw_a, &w.dw_b, &w.dw_c, &w.dw_d, &w.dw_e, &w.dw_f, &w.dw_1, &w.dw_2, &w.dw_3,
                                  &w.dw_4, &w.dw_5, &w.dw_6, &w.dw_ok})
            for (const CardRow& r : p->rows()) ++count[static_cast<std::size_t>(r.num)];
        return count;
    }
    ::testing::AssertionResult every_card_once() const {
        const auto count = seen();
        for (int n = 1; n <= kCardCount; ++n)
            if (count[static_cast<std::size_t>(n)] != 1)
                return ::testing::AssertionFailure() << card_id(n) << " lies in " << count[static_cast<std::size_t>(n)]
                                                     << " piles";
        return ::testing::AssertionSuccess();
    }

    std::string laid() const { return test::codes(w.dw_2); }
    std::string held() const { return test::codes(w.dw_b); }
};

// ---- laying a play list ----

TEST_F(SplitRush, AListIsLaidInOrderAtTheSeatsSpotFaceUp) {
    give("B", "K K 2 BJ 5");
    deal_rest();
    ASSERT_TRUE(w.wf_parmplay("B", {3, 0, 5, 1}, {1, 4, 2, 0}));
    EXPECT_EQ(laid(), "2 K K");  // the list's order, not sorted
    EXPECT_EQ(held(), "BJ 5");
    for (int i = 1; i <= 3; ++i) {
        const std::string& id = w.dw_2.at(i).id();
        EXPECT_EQ(w.dw_main.describe(id + ".x"), std::to_string(1800 + 68 * (i - 1)));
        EXPECT_EQ(w.dw_main.describe(id + ".y"), "1045");
        EXPECT_EQ(w.dw_main.describe(id + ".filename"), std::string(w.dw_2.at(i).bmp()));
    }
    EXPECT_TRUE(w.dw_main.redraw());
    EXPECT_TRUE(every_card_once());
    // A second list starts its own row again.
    ASSERT_TRUE(w.wf_parmplay("B", {13}, {1}));
    EXPECT_EQ(w.dw_main.describe(w.dw_2.at(4).id() + ".x"), "1800");
}

TEST_F(SplitRush, AListTheHandCannotCoverMovesNothing) {
    give("B", "SJ SJ 2 9 9");
    deal_rest();
    const std::string before = held();
    EXPECT_FALSE(w.wf_parmplay("", {9}, {1}));
    EXPECT_FALSE(w.wf_parmplay("Z", {9}, {1}));
    EXPECT_FALSE(w.wf_parmplay("B", {9, 3}, {1}));     // lengths differ
    EXPECT_FALSE(w.wf_parmplay("B", {9, 3}, {2, 2}));  // one 2 only
    EXPECT_FALSE(w.wf_parmplay("B", {9}, {-1}));
    // Each entry alone fits; together they ask for three small jokers.
    EXPECT_FALSE(w.wf_parmplay("B", {2, 9, 2}, {1, 1, 2}));
    EXPECT_EQ(held(), before);
    EXPECT_TRUE(w.dw_2.empty());
    EXPECT_TRUE(every_card_once());
}

TEST_F(SplitRush, ARushFromWildCardsWhoseWeakestIsASmallJokerIsRefusedWhole) {
    // One small joker first, then "the weakest rank" (the small jokers
    // themselves): three asked for, two held.
    give("B", "BJ SJ SJ");
    deal_rest();
    EXPECT_FALSE(w.wf_autorush("B"));
    EXPECT_EQ(held(), "BJ SJ SJ");
    EXPECT_TRUE(w.dw_2.empty());
    EXPECT_TRUE(every_card_once());

    // The ordinary lead then plays, and nothing is lost on the way.
    w.is_current = "B";
    w.wf_autoplay();
    EXPECT_EQ(w.dw_2.row_count() + w.dw_b.row_count() + w.dw_ok.row_count(), 3);
    EXPECT_TRUE(every_card_once());
}

// ---- splitting and topping up ----

TEST_F(SplitRush, ASingleCardIsNeverAnsweredBySplitting) {
    standing("7", "5");  // C could go out next
    give("B", "K K K K K K K K Q Q");
    deal_rest();
    EXPECT_FALSE(w.wf_splitcard(10, 1));
    EXPECT_TRUE(w.dw_2.empty());
}

TEST_F(SplitRush, JacksAreSplitAgainstNinesOnlyWithASurplusOfFive) {
    standing("9 9", "5 6");  // C keeps two ranks
    give("B", "J J J J J J J 4");
    deal_rest();
    ASSERT_TRUE(w.wf_splitcard(8, 2));
    EXPECT_EQ(laid(), "J J");
    EXPECT_EQ(held(), "J J J J J 4");
    EXPECT_TRUE(every_card_once());
}

TEST_F(SplitRush, SixJacksAgainstNinesAreKept) {
    standing("9 9", "5 6");
    give("B", "J J J J J J 4");
    deal_rest();
    EXPECT_FALSE(w.wf_splitcard(8, 2));
    EXPECT_EQ(held(), "J J J J J J 4");
}

TEST_F(SplitRush, AgainstTensJacksAreNeverSplit) {
    standing("10 10", "5 6");
    give("B", "J J J J J J J J J J Q Q Q Q Q");
    deal_rest();
    EXPECT_FALSE(w.wf_splitcard(7, 2));  // and five queens keep only 3
    EXPECT_TRUE(w.dw_2.empty());
}

TEST_F(SplitRush, AgainstTensQueensAreSplitWithFourToSpare) {
    standing("10 10", "5 6");
    give("B", "J J J J J J J J J J Q Q Q Q Q Q");
    deal_rest();
    ASSERT_TRUE(w.wf_splitcard(7, 2));
    EXPECT_EQ(laid(), "Q Q");
    EXPECT_EQ(w.dw_b.count_sort(7), 10);
    EXPECT_TRUE(every_card_once());
}

TEST_F(SplitRush, TheSurplusTableIsTriedJacksFirstAndNeedsAWeakEnoughStandingRank) {
    standing("9 9", "5 6");
    give("B", "J J J J J J J Q Q Q Q Q Q");
    deal_rest();
    ASSERT_TRUE(w.wf_splitcard(8, 2));
    EXPECT_EQ(laid(), "J J");
}

TEST_F(SplitRush, KingsAndAcesNeedASurplusOfThree) {
    standing("J J", "5 6");  // ai_sort 6: kings may go
    give("B", "K K K K K A A A A A");
    deal_rest();
    ASSERT_TRUE(w.wf_splitcard(6, 2));
    EXPECT_EQ(laid(), "K K");
    EXPECT_EQ(held(), "A A A A A K K K");
    // Against queens (ai_sort 5) kings are kept, aces are split.
    w.dw_2.copy_all_to(w.dw_ok);
    w.dw_2.reset();
    EXPECT_TRUE(w.wf_splitcard(5, 2));
    EXPECT_EQ(laid(), "A A");
    EXPECT_TRUE(every_card_once());
}

TEST_F(SplitRush, AStandingPlayerWithSeveralRanksLeftIsNotChasedWithGroupsOrTwos) {
    standing("9 9", "5 6");
    give("B", "K K K 2 2 2 SJ");
    deal_rest();
    EXPECT_FALSE(w.wf_splitcard(8, 2));
    EXPECT_EQ(held(), "SJ 2 2 2 K K K");
}

TEST_F(SplitRush, AStandingPlayerAboutToGoOutIsNeverAnsweredWithTens) {
    standing("9 9", "5 5");
    give("B", "10 10 10 10 4");
    deal_rest();
    EXPECT_FALSE(w.wf_splitcard(8, 2));  // the search starts one rank above the tens
    EXPECT_EQ(held(), "10 10 10 10 4");
}

TEST_F(SplitRush, AStandingPlayerAboutToGoOutIsAnsweredWithTheWeakestGroupFromJacksUp) {
    standing("9 9", "5 5");
    give("B", "Q Q Q K K K 10 10 10");
    deal_rest();
    ASSERT_TRUE(w.wf_splitcard(8, 2));
    EXPECT_EQ(laid(), "Q Q");
    EXPECT_TRUE(every_card_once());
}

TEST_F(SplitRush, AGroupIsToppedUpWithTwos) {
    // Three 8s by a player with one rank left; B's only cards from 10 to ace
    // are two queens (two kings would tie; the weaker stays).
    standing("8 8 8", "5");
    give("B", "Q Q 2 5 5 5 4");
    deal_rest();
    ASSERT_TRUE(w.wf_splitcard(9, 3));
    EXPECT_EQ(laid(), "Q Q 2");
    EXPECT_EQ(held(), "5 5 5 4");
    EXPECT_TRUE(every_card_once());
}

TEST_F(SplitRush, OnATieTheWeakerGroupIsToppedUp) {
    standing("8 8 8", "5");
    give("B", "K K Q Q 2 2");
    deal_rest();
    ASSERT_TRUE(w.wf_splitcard(9, 3));
    EXPECT_EQ(laid(), "Q Q 2");
}

TEST_F(SplitRush, TopUpSpendsEveryTwoThenOnlyTheMissingSmallJokers) {
    standing("8 8 8 8", "5");
    give("B", "J 2 SJ SJ SJ 5");
    deal_rest();
    ASSERT_TRUE(w.wf_splitcard(9, 4));
    EXPECT_EQ(laid(), "J 2 SJ SJ");
    EXPECT_EQ(held(), "SJ 5");
    EXPECT_TRUE(every_card_once());
}

TEST_F(SplitRush, WithoutNaturalCardsTheAnswerIsTwosAndSmallJokers) {
    standing("8 8", "5");
    give("B", "2 SJ 5 5");
    deal_rest();
    ASSERT_TRUE(w.wf_splitcard(9, 2));
    EXPECT_EQ(laid(), "2 SJ");
}

TEST_F(SplitRush, TooFewCardsEvenWithWildCardsPass) {
    standing("8 8 8", "5");
    give("B", "J 2 5 BJ");
    deal_rest();
    EXPECT_FALSE(w.wf_splitcard(9, 3));
    EXPECT_TRUE(w.dw_2.empty());
}

TEST_F(SplitRush, TheFollowsBigJokersContinueTheRowAfterASplit) {
    // 9 9 small-joker from a player about to go out: two jacks split off,
    // then a big joker for the small joker, laid third.
    standing("9 9 SJ", "5 5");
    give("B", "J J J J BJ");
    deal_rest();
    ASSERT_TRUE(w.wf_autoout());
    EXPECT_EQ(laid(), "BJ J J");
    const std::string& joker = w.dw_2.at(1).id();
    EXPECT_EQ(w.dw_main.describe(joker + ".x"), std::to_string(1800 + 68 * 2));
    EXPECT_TRUE(every_card_once());
}

// ---- rushing ----

TEST_F(SplitRush, OneRankLeftAndABigJokerPlaysEveryWildCardKeepingTheRank) {
    give("B", "BJ SJ 2 2 9 9");
    deal_rest();
    ASSERT_TRUE(w.wf_autorush("B"));
    EXPECT_EQ(laid(), "BJ SJ 2 2");
    EXPECT_EQ(held(), "9 9");
    EXPECT_TRUE(every_card_once());
}

TEST_F(SplitRush, ALoneSmallJokerRushesOnceEveryBigJokerIsPlayed) {
    played("BJ BJ BJ BJ");
    give("B", "SJ 9 9");
    deal_rest();
    ASSERT_TRUE(w.wf_autorush("B"));
    EXPECT_EQ(laid(), "SJ");
    EXPECT_EQ(held(), "9 9");
}

TEST_F(SplitRush, ALoneSmallJokerWaitsWhileABigJokerIsOut) {
    played("BJ BJ BJ");
    give("B", "SJ 9 9");
    deal_rest();
    EXPECT_FALSE(w.wf_autorush("B"));
    EXPECT_EQ(held(), "SJ 9 9");
}

TEST_F(SplitRush, TwosRushWhenMoreThanTheJokersStillOut) {
    played("BJ BJ BJ BJ SJ SJ SJ");  // one small joker left out
    give("B", "2 2 9");
    deal_rest();
    ASSERT_TRUE(w.wf_autorush("B"));
    EXPECT_EQ(laid(), "2 2");
}

TEST_F(SplitRush, WithoutARushTheWholeHandGoesOnlyWhenThreesMayBeLed) {
    give("B", "2 3 3");
    deal_rest();
    settings.gb_b3 = true;
    EXPECT_FALSE(w.wf_autorush("B"));
    EXPECT_EQ(held(), "2 3 3");
    settings.gb_b3 = false;
    ASSERT_TRUE(w.wf_autorush("B"));
    EXPECT_EQ(laid(), "2 3 3");
    EXPECT_TRUE(w.dw_b.empty());
    EXPECT_TRUE(every_card_once());
}

TEST_F(SplitRush, ThreeRanksNeedTwoJokers) {
    give("B", "BJ K K 9 9 5");
    deal_rest();
    EXPECT_FALSE(w.wf_autorush("B"));
    EXPECT_TRUE(w.dw_2.empty());
}

TEST_F(SplitRush, TwoBigJokersLeadTheStrongestRankWithOne) {
    give("B", "BJ BJ K K 9 9 5");
    deal_rest();
    ASSERT_TRUE(w.wf_autorush("B"));
    EXPECT_EQ(laid(), "BJ K K");
    EXPECT_EQ(held(), "BJ 9 9 5");
}

TEST_F(SplitRush, ASmallJokerLeadsTheWeakestRank) {
    give("B", "BJ SJ K K 9 9 5");
    deal_rest();
    ASSERT_TRUE(w.wf_autorush("B"));
    EXPECT_EQ(laid(), "SJ 5");
    EXPECT_EQ(held(), "BJ K K 9 9");
}

TEST_F(SplitRush, TheWeakestRankSkipsThreesUnderTheRuleOnThrees) {
    give("B", "BJ SJ K 9 3 3");
    deal_rest();
    settings.gb_b3 = true;
    ASSERT_TRUE(w.wf_autorush("B"));
    EXPECT_EQ(laid(), "SJ 9");
    EXPECT_TRUE(every_card_once());
}

TEST_F(SplitRush, TheWeakestRankMayBeThreesWithoutTheRule) {
    give("B", "BJ SJ K 9 3 3");
    deal_rest();
    settings.gb_b3 = false;
    ASSERT_TRUE(w.wf_autorush("B"));
    EXPECT_EQ(laid(), "SJ 3 3");
}

TEST_F(SplitRush, TwoRanksLeftWithASmallJokerAddEveryBigJokerAndTwo) {
    give("B", "BJ SJ 2 K K 9");
    deal_rest();
    ASSERT_TRUE(w.wf_autorush("B"));
    EXPECT_EQ(laid(), "SJ 9 BJ 2");
    EXPECT_EQ(held(), "K K");
    EXPECT_TRUE(every_card_once());
}

TEST_F(SplitRush, TwoRanksLeftWithoutSmallJokersLeadTheStrongestWithEveryBigJokerAndTwo) {
    give("B", "BJ BJ 2 2 A A 9 9");
    deal_rest();
    ASSERT_TRUE(w.wf_autorush("B"));
    EXPECT_EQ(laid(), "BJ BJ A A 2 2");
    EXPECT_EQ(held(), "9 9");
    EXPECT_TRUE(every_card_once());
}

}  // namespace
}  // namespace tav
