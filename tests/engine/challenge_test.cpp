// Challenge plays ("瑟柯牌"), the announcement of every play, who may answer a
// challenge, open points and smother tributes.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/notes.h"
#include "rules/engine.h"
#include "rules/play.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::ChallengeAnswer;
using game::Seat;

// A play from a card string, kept strongest first as on the table.
game::Play play_of(const std::string& words) {
    test::Table t;
    t.play(Seat::C, words);
    return t.s.plays[Seat::C];
}

TEST(Challenge, StrongPlaysAreChallenges) {
    // A joker, 2s alone, or enough of a strong rank with the 2s counting along:
    // two aces or kings, three queens, four jacks, five tens.
    for (const char* strong : {"2", "A A", "A 2", "K K", "Q Q Q", "J J J J", "10 10 10 10 10", "9 9 2 2", "Q Q 2",
                               "J J J 2", "SJ", "BJ 4", "2 2 2"})
        EXPECT_TRUE(game::is_challenge(play_of(strong))) << strong;
    for (const char* plain : {"A", "K", "Q Q", "J J J", "10 10 10 10", "9 9 9 9 9 9", "9 9 2", "3 3 3 3 3 3 3 3"})
        EXPECT_FALSE(game::is_challenge(play_of(plain))) << plain;
    EXPECT_FALSE(game::is_challenge(game::Play{})) << "an empty play is no play";
}

TEST(Challenge, EveryPlayIsAnnouncedInTheGamesWords) {
    struct Case {
        Seat seat;
        const char* cards;
        const char* line;
    };
    const Case cases[] = {
        {Seat::E, "9 9 2", "雷虎1钱2个9"},
        {Seat::E, "Q Q 2", "雷虎1钱2个Q，瑟柯牌"},
        {Seat::A, "K K K BJ", "钟离云1大户3个K，瑟柯牌"},
        {Seat::B, "BJ SJ SJ 2 2 2 5", "柳烟1大户2小户3钱1个5，瑟柯牌"},
        {Seat::D, "2 2", "花月容2钱，瑟柯牌"},
        {Seat::F, "7", "月琴1个7"},
    };
    for (const Case& c : cases) {
        test::Table t;
        t.play(c.seat, c.cards).trick(c.seat, c.seat);
        EXPECT_TRUE(t.flow().after_play());
        EXPECT_EQ(t.notes(), std::vector<std::string>{c.line}) << c.cards;
        EXPECT_EQ(t.s.trick.challenge, game::is_challenge(t.s.plays[c.seat])) << c.cards;
    }
}

TEST(Challenge, AnEmptyPlayIsNeitherAnnouncedNorAChallenge) {
    test::Table t;
    t.trick(Seat::B, Seat::B, true);
    t.flow().after_play();
    EXPECT_TRUE(t.notes().empty());
    EXPECT_FALSE(t.s.trick.challenge);

    test::Table nobody;
    nobody.trick(std::nullopt, std::nullopt);
    nobody.flow().after_play();
    EXPECT_TRUE(nobody.notes().empty());
    EXPECT_EQ(nobody.s.trick.turn, std::nullopt);
}

TEST(Challenge, OnlyTheOppositeSeatAnswersWhileItPlays) {
    const Seat across[][2] = {{Seat::A, Seat::D}, {Seat::B, Seat::E}, {Seat::C, Seat::F},
                              {Seat::D, Seat::A}, {Seat::E, Seat::B}, {Seat::F, Seat::C}};
    for (const auto& [player, opposite] : across) {
        EXPECT_EQ(game::opposite(player), opposite);

        test::Table t;
        t.play(player, "2").trick(player, player);
        t.flow().after_play();
        EXPECT_EQ(t.s.trick.turn, opposite) << game::letter_of(player);
        EXPECT_EQ(t.s.trick.answer, ChallengeAnswer::opposite_only);
        EXPECT_TRUE(t.s.trick.challenge);

        // The opposite seat is out: the challenge goes round in turn.
        test::Table gone;
        gone.out(opposite, 1).play(player, "2").trick(player, player);
        gone.flow().after_play();
        EXPECT_EQ(gone.s.trick.turn, game::next_seat(player)) << game::letter_of(player);
        EXPECT_EQ(gone.s.trick.answer, ChallengeAnswer::in_turn);
    }
    // Two seats out: every seat answers in turn, the opposite one included.
    test::Table t;
    t.out(Seat::E, 1).out(Seat::F, 2).play(Seat::A, "K K").trick(Seat::A, Seat::A);
    t.flow().after_play();
    EXPECT_EQ(t.s.trick.turn, Seat::B);
    EXPECT_EQ(t.s.trick.answer, ChallengeAnswer::in_turn);
    EXPECT_TRUE(t.s.trick.challenge);
}

TEST(Challenge, OpenPointIsWrittenOnce) {
    test::Table t;
    t.flow().open_point(Seat::E);
    EXPECT_TRUE(t.s.open_point[Seat::E]);
    EXPECT_EQ(t.notes(), std::vector<std::string>{"雷虎开点"});
    t.flow().open_point(Seat::E);
    EXPECT_EQ(t.notes().size(), 1u);
    for (Seat s : {Seat::A, Seat::B, Seat::C, Seat::D, Seat::F}) EXPECT_FALSE(t.s.open_point[s]);
}

TEST(Challenge, ADeclinedChallengeOpensPointsOnlyWhileFewerThanTwoAreOut) {
    // C's kings stand; nobody holds anything to answer them with.
    auto declined = [](int seats_out) {
        test::Table t;
        t.hand(Seat::C, "9");
        for (Seat s : {Seat::A, Seat::B, Seat::D, Seat::F}) t.hand(s, "3");
        if (seats_out >= 1) t.out(Seat::E, 1);
        if (seats_out >= 2) t.out(Seat::B, 2);
        t.play(Seat::C, "K K").trick(Seat::C, Seat::C);
        game::DealSteps f = t.flow();
        f.after_play();
        f.schedule(game::DealSteps::Next::turn, std::nullopt);
        t.run_on(f);
        return t;
    };
    const test::Table one = declined(1);
    EXPECT_TRUE(one.s.open_point[Seat::C]);
    EXPECT_TRUE(one.noted("石坚开点"));
    const test::Table two = declined(2);
    EXPECT_FALSE(two.s.open_point[Seat::C]);
    EXPECT_FALSE(two.noted("石坚开点"));
}

TEST(Challenge, OneKindLeft) {
    test::Table t;
    t.hand(Seat::B, "7 7 7").hand(Seat::C, "7 2");
    EXPECT_EQ(t.s.hands[Seat::B].rank_count(), 1);
    EXPECT_EQ(t.s.hands[Seat::C].rank_count(), 2);  // a 2 is a kind of its own here
    EXPECT_EQ(t.s.hands[Seat::D].rank_count(), 0);  // an empty hand has none
}

TEST(Challenge, SmotherTributeOnlyWithTheRuleAndOneKindLeft) {
    test::Table t;
    t.hand(Seat::C, "7 7").trick(Seat::C, Seat::D);
    t.flow().file_smother(Seat::D);
    EXPECT_FALSE(t.s.ledger[1].filed()) << "the rule is off";

    t.s.rules.smother = true;
    for (int i = 0; i < 7; ++i) t.flow().file_smother(i % 2 ? Seat::D : Seat::B);
    for (std::size_t slot = 1; slot <= 6; ++slot) {
        EXPECT_EQ(t.s.ledger[slot].payer, Seat::C) << slot;
        EXPECT_EQ(t.s.ledger[slot].receiver, slot % 2 ? Seat::B : Seat::D) << slot;
        EXPECT_EQ(t.s.ledger[slot].count, 1) << slot;
    }
    EXPECT_FALSE(t.s.ledger[7].filed()) << "a full range files nothing";

    // Two kinds left, or none: nothing is owed.
    t.s.ledger[3] = {};
    t.hand(Seat::E, "7 8").trick(Seat::E, Seat::F);
    t.flow().file_smother(Seat::F);
    EXPECT_FALSE(t.s.ledger[3].filed());
    t.trick(Seat::B, Seat::C);
    t.flow().file_smother(Seat::C);
    EXPECT_FALSE(t.s.ledger[3].filed());
}

TEST(Challenge, TheHumanBeatingALastKindSmothersIt) {
    test::Table t;
    t.s.rules.smother = true;
    t.hand(Seat::A, "K 9").hand(Seat::B, "7 7").play(Seat::B, "5").trick(Seat::B, Seat::A);
    for (Seat s : {Seat::C, Seat::D, Seat::E, Seat::F}) t.hand(s, "3");
    t.s.ask = game::Ask::follow;
    game::Card king = 0;
    for (game::Card c : t.s.hands[Seat::A])
        if (game::rank_of(c) == game::kKing) king = c;
    std::mt19937_64 rng(1);
    ASSERT_TRUE(tav::test::human_acts(t.s, game::Decision::play({king}), t.ev, rng).ok());
    EXPECT_EQ(t.s.ledger[1], (game::Debt{Seat::B, Seat::A, 1}));
    EXPECT_FALSE(t.s.ledger[2].filed());
}

}  // namespace
}  // namespace tav
