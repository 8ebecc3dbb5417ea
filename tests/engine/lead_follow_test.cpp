#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "table/w_main.h"
#include "tests/engine/support.h"

namespace tav {
namespace {

// A computer seat (B unless said otherwise) answers a standing play. The
// hands are chosen so that no group is large enough to be split and the
// standing player keeps several ranks: the plain answers are tested here.
struct Follow : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;
    w_main w{settings, platform, 1};
    test::CardPicker picker;

    Follow() { settings.gc_show = 0; }

    // `prior` stands with `play` and still holds `rest`; `seat` holds `hand`.
    bool answer(std::string_view prior, const std::string& play, const std::string& rest, std::string_view seat,
                const std::string& hand) {
        picker.fill(*w.play_pile(prior), play);
        w.play_pile(prior)->sort("sort");
        picker.fill(*w.hand(prior), rest);
        w.hand(prior)->sort("sort");
        picker.fill(*w.hand(seat), hand);
        w.hand(seat)->sort("sort");
        w.is_prior = std::string(prior);
        w.is_current = std::string(seat);
        return w.wf_autoout();
    }
    std::string played(std::string_view seat = "B") { return test::codes(*w.play_pile(seat)); }
    std::string held(std::string_view seat = "B") { return test::codes(*w.hand(seat)); }
};

TEST_F(Follow, PartnersBigLastOrChallengingPlaysAreLeftAlone) {
    // D is B's partner.
    EXPECT_FALSE(answer("D", "9 9 9 9 9", "5 6", "B", "10 10 10 10 10"));  // five cards
    EXPECT_EQ(held(), "10 10 10 10 10");
}

TEST_F(Follow, PartnerWithOneRankLeftIsLeftAlone) {
    EXPECT_FALSE(answer("D", "9 9", "5 5 BJ", "B", "10 10 4"));
    EXPECT_TRUE(w.dw_2.empty());
}

TEST_F(Follow, PartnersChallengeIsLeftAloneWhileThePartnerPlays) {
    w.is_state = "KV";
    EXPECT_FALSE(answer("D", "K K", "5 6", "B", "A A 4"));
    // Once the partner is out its challenge may be answered.
    w.is_d = "1";
    w.dw_d.reset();
    EXPECT_TRUE(w.wf_autoout());
    EXPECT_EQ(played(), "A A");
}

TEST_F(Follow, AnOpponentsSamePlayIsAttacked) {
    EXPECT_TRUE(answer("C", "9 9", "5 5 BJ", "B", "10 10 4"));
    EXPECT_EQ(played(), "10 10");
    EXPECT_EQ(held(), "4");
    EXPECT_EQ(w.is_prior, "B");
}

TEST_F(Follow, ABigJokerIsNeverAnswered) {
    EXPECT_FALSE(answer("C", "BJ 9", "5 6", "B", "BJ BJ 8 8 2"));
    EXPECT_EQ(held(), "BJ BJ 2 8 8");
}

TEST_F(Follow, ALoneCardIsAnsweredWithATwoFirst) {
    EXPECT_TRUE(answer("C", "7", "5 6", "B", "8 2"));
    EXPECT_EQ(played(), "2");
    EXPECT_EQ(held(), "8");
}

TEST_F(Follow, ALoneCardWithoutTwosTakesAnExactSingle) {
    EXPECT_TRUE(answer("C", "7", "5 6", "B", "8 8 9"));
    EXPECT_EQ(played(), "9");
}

TEST_F(Follow, ALoneCardIsNotAnsweredByBreakingAPair) {
    EXPECT_FALSE(answer("C", "7", "5 6", "B", "8 8 9 9"));
    EXPECT_EQ(held(), "9 9 8 8");
}

TEST_F(Follow, AGroupIsNeverBrokenWhenAnExactOneExists) {
    EXPECT_TRUE(answer("C", "9 9", "5 6", "B", "10 10 10 J J"));
    EXPECT_EQ(played(), "J J");
    EXPECT_EQ(held(), "10 10 10");
}

TEST_F(Follow, KingsAndAboveMayBeMetWithTwos) {
    EXPECT_TRUE(answer("C", "K K", "5 6", "B", "2 2 5 5 5"));
    EXPECT_EQ(played(), "2 2");
}

TEST_F(Follow, JacksAreNotMetWithTwos) {
    EXPECT_FALSE(answer("C", "J J", "5 6", "B", "2 2 5 5 5"));
    EXPECT_EQ(held(), "2 2 5 5 5");
}

TEST_F(Follow, JacksAreMetWithAnExactPairAbove) {
    EXPECT_TRUE(answer("C", "J J", "5 6", "B", "2 2 K K 5"));
    EXPECT_EQ(played(), "K K");
}

TEST_F(Follow, TwosInAMixedPlayAreAnsweredWithNaturalCards) {
    // 9 9 2 needs three natural cards of a stronger rank.
    EXPECT_TRUE(answer("C", "9 9 2", "5 6", "B", "10 10 10 2"));
    EXPECT_EQ(played(), "10 10 10");
}

TEST_F(Follow, TwosAreAnsweredWithSmallJokers) {
    EXPECT_TRUE(answer("C", "2 2", "5 6", "B", "SJ SJ 5"));
    EXPECT_EQ(played(), "SJ SJ");
    EXPECT_EQ(held(), "5");
}

TEST_F(Follow, ThreeTwosAreNeverAnswered) {
    EXPECT_FALSE(answer("C", "2 2 2", "5 6", "B", "SJ SJ SJ SJ 5"));
    EXPECT_FALSE(answer("E", "2", "5 6", "D", "5"));  // and one 2 without small jokers is passed
}

TEST_F(Follow, SmallJokersAreAnsweredWithBigJokers) {
    EXPECT_TRUE(answer("C", "SJ 2", "5 6", "B", "SJ BJ 5"));
    EXPECT_EQ(played(), "BJ SJ");
    // The small joker (for the 2) was laid first, the big joker after it.
    EXPECT_EQ(w.dw_main.find(w.dw_2.at(2).id())->x, 1800);
    EXPECT_EQ(w.dw_main.find(w.dw_2.at(1).id())->x, 1868);
}

TEST_F(Follow, ALoneSmallJokerNeedsABigJoker) {
    EXPECT_TRUE(answer("C", "SJ", "5 6", "B", "BJ 5"));
    EXPECT_EQ(played(), "BJ");
    EXPECT_FALSE(answer("E", "SJ", "5 6", "F", "5 6 2"));
}

TEST_F(Follow, KingsWithASmallJokerAreMetWithAcesAndABigJoker) {
    EXPECT_TRUE(answer("C", "K K SJ", "5 6", "B", "BJ A A 5"));
    EXPECT_EQ(played(), "BJ A A");
    EXPECT_EQ(held(), "5");
    // In one row at the seat's spot: the aces first, the joker after them.
    const SurfaceObject* joker = w.dw_main.find(w.dw_2.at(1).id());
    EXPECT_EQ(joker->x, 1800 + 2 * 68);
    EXPECT_EQ(joker->y, 1045);
    for (int r = 2; r <= 3; ++r) {
        const int x = w.dw_main.find(w.dw_2.at(r).id())->x;
        EXPECT_TRUE(x == 1800 || x == 1868) << x;
    }
}

TEST_F(Follow, TheCardMoveShowsTheFaceAtTheSeatsSpot) {
    EXPECT_TRUE(answer("B", "9", "5 6", "D", "10"));
    const CardRow card = w.dw_4.at(1);
    const SurfaceObject* o = w.dw_main.find(card.id());
    EXPECT_EQ(o->x, 1000);
    EXPECT_EQ(o->y, 570);
    EXPECT_EQ(o->tag, "");
    EXPECT_EQ(o->filename, std::string(card.bmp()));
    EXPECT_TRUE(w.dw_d.empty());
}

TEST_F(Follow, BeatingASeatWithOneKindLeftFilesASmotherTribute) {
    settings.gb_m = true;
    EXPECT_TRUE(answer("C", "9 9", "5 5 5", "B", "10 10 4"));
    EXPECT_EQ(w.is_la[1], "C");
    EXPECT_EQ(w.is_ke[1], "B");
    EXPECT_EQ(w.ii_la[1], 1);
}

// ---- leads ----

struct Lead : Follow {
    void lead(std::string_view seat, const std::string& hand) {
        picker.fill(*w.hand(seat), hand);
        w.hand(seat)->sort("sort");
        w.is_current = std::string(seat);
        w.wf_autoplay();
    }
};

TEST_F(Lead, WeakestRankWholeAndThreesKeptBackUnderTheRule) {
    lead("C", "5 5 3 3 K");
    EXPECT_EQ(played("C"), "5 5");
    EXPECT_EQ(w.is_prior, "C");
    EXPECT_EQ(w.is_current, "D");
    EXPECT_EQ(w.is_state, "");
    EXPECT_TRUE(std::find(w.note_log.begin(), w.note_log.end(), "石坚2个5") != w.note_log.end());
    // Led from the weakest end: leftmost at the seat's first x.
    EXPECT_EQ(w.dw_main.find(w.dw_3.at(1).id())->y, 570);
}

TEST_F(Lead, ThreesLeadWhenTheRuleIsOff) {
    settings.gb_b3 = false;
    lead("C", "5 5 3 3 K");
    EXPECT_EQ(played("C"), "3 3");
}

TEST_F(Lead, AHandOfThreesLeadsThemAll) {
    lead("C", "3 3");
    EXPECT_EQ(played("C"), "3 3");
    EXPECT_EQ(w.is_c, "1");
}

TEST_F(Lead, AChallengeLeadGoesToTheOppositeSeat) {
    lead("A", "2 K K K K");
    EXPECT_EQ(played("A"), "K K K K");
    EXPECT_EQ(w.is_state, "KV");
    EXPECT_EQ(w.is_current, "D");
    EXPECT_EQ(w.ii_tavtype, 1);
}

TEST_F(Lead, WithOneSeatOutTheChallengeStillGoesOpposite) {
    w.is_c = "1";
    w.ii_order = 1;
    lead("A", "2 K K K K");
    EXPECT_EQ(w.is_current, "D");
    EXPECT_EQ(w.ii_tavtype, 1);
}

TEST_F(Lead, WithTheOppositeSeatOutTheChallengeGoesRound) {
    w.is_d = "1";
    w.ii_order = 1;
    lead("A", "2 K K K K");
    EXPECT_EQ(w.is_current, "B");
    EXPECT_EQ(w.ii_tavtype, 2);
}

TEST_F(Lead, WithTwoSeatsOutTheChallengeGoesRound) {
    w.is_b = "1";
    w.is_e = "2";
    w.ii_order = 2;
    lead("A", "2 K K K K");
    EXPECT_EQ(w.is_current, "C");
    EXPECT_EQ(w.ii_tavtype, 2);
}

}  // namespace
}  // namespace tav
