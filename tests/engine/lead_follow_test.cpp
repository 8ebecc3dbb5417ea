// The computer seats' leads and plain answers: what classic::lead and
// classic::follow choose, and what DealSteps::computer_lead / computer_answer then
// do on the table (the cards laid, whose play stands, who acts next).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ai/classic.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::ChallengeAnswer;
using game::Seat;
using test::Kind;
using test::Table;
using test::words;

// The cards `seat` laid as the events show them, "word:position" in the order
// reported; a card the events name that is not in the seat's play is marked "!".
std::string shown(const Table& t, Seat seat) {
    std::string out;
    for (const test::Row& e : test::rows(t.ev)) {
        if (e.kind != Kind::played || e.seat != seat) continue;
        if (!out.empty()) out += ' ';
        out += test::Cards::word_of(e.card) + ":" + std::to_string(e.number);
        if (!t.s.plays[seat].contains(e.card)) out += '!';
    }
    return out;
}

bool any_played(const Table& t) {
    for (const test::Row& e : test::rows(t.ev))
        if (e.kind == Kind::played) return true;
    return false;
}

// `standing` stands with `play` and still holds `rest`; the computer seat
// `seat`, holding `hand`, is to answer.
Table answering(Seat standing, const std::string& play, const std::string& rest, Seat seat, const std::string& hand) {
    Table t;
    t.play(standing, play).hand(standing, rest).hand(seat, hand).trick(standing, seat);
    return t;
}

// ---- answers ----

// The hands are chosen so that no group is large enough to be split and the
// standing seat keeps several ranks unless said otherwise: the plain answers.
struct AnswerCase {
    const char* what;
    Seat standing;
    const char* play;
    const char* rest;
    Seat seat;
    const char* hand;
    const char* answer;  // the play left standing (strongest first); nullptr for a pass
    const char* held;    // the answering hand afterwards
};

const AnswerCase kAnswers[] = {
    // D is B's partner.
    {"a partner's play of five cards is left alone", Seat::D, "9 9 9 9 9", "5 6", Seat::B, "10 10 10 10 10", nullptr,
     "10 10 10 10 10"},
    {"a partner with one rank left is left alone", Seat::D, "9 9", "5 5 BJ", Seat::B, "10 10 4", nullptr, "10 10 4"},
    {"an opponent's same play is attacked", Seat::C, "9 9", "5 5 BJ", Seat::B, "10 10 4", "10 10", "4"},
    {"a big joker is never answered", Seat::C, "BJ 9", "5 6", Seat::B, "BJ BJ 8 8 2", nullptr, "BJ BJ 2 8 8"},
    {"a big joker is not answered by what would beat the rest", Seat::C, "BJ K", "5 6", Seat::B, "BJ BJ A 8 8", nullptr,
     "BJ BJ A 8 8"},
    {"a lone card is answered with a 2 first", Seat::C, "7", "5 6", Seat::B, "8 2", "2", "8"},
    {"a lone card without 2s takes an exact single", Seat::C, "7", "5 6", Seat::B, "8 8 9", "9", "8 8"},
    {"a lone card is not answered by breaking a pair", Seat::C, "7", "5 6", Seat::B, "8 8 9 9", nullptr, "9 9 8 8"},
    {"a group is never broken when an exact one exists", Seat::C, "9 9", "5 6", Seat::B, "10 10 10 J J", "J J",
     "10 10 10"},
    {"kings and above may be met with 2s", Seat::C, "K K", "5 6", Seat::B, "2 2 5 5 5", "2 2", "5 5 5"},
    {"jacks are not met with 2s", Seat::C, "J J", "5 6", Seat::B, "2 2 5 5 5", nullptr, "2 2 5 5 5"},
    {"jacks are met with an exact pair above", Seat::C, "J J", "5 6", Seat::B, "2 2 K K 5", "K K", "2 2 5"},
    {"2s are answered with small jokers", Seat::C, "2 2", "5 6", Seat::B, "SJ SJ 5", "SJ SJ", "5"},
    {"three 2s are never answered", Seat::C, "2 2 2", "5 6", Seat::B, "SJ SJ SJ SJ 5", nullptr, "SJ SJ SJ SJ 5"},
    {"one 2 without small jokers is passed", Seat::E, "2", "5 6", Seat::D, "5", nullptr, "5"},
    {"small jokers are answered with big jokers", Seat::C, "SJ 2", "5 6", Seat::B, "SJ BJ 5", "BJ SJ", "5"},
    {"a lone small joker is answered with a big joker", Seat::C, "SJ", "5 6", Seat::B, "BJ 5", "BJ", "5"},
    {"a lone small joker without a big joker is passed", Seat::E, "SJ", "5 6", Seat::F, "5 6 2", nullptr, "2 6 5"},
    {"kings with a small joker are met with aces and a big joker", Seat::C, "K K SJ", "5 6", Seat::B, "BJ A A 5",
     "BJ A A", "5"},
    {"kings with a small joker are passed without a big joker", Seat::C, "K K SJ", "5 6", Seat::B, "A A 5", nullptr,
     "A A 5"},
};

TEST(Follow, PlainAnswersAndPasses) {
    for (const AnswerCase& c : kAnswers) {
        SCOPED_TRACE(c.what);
        Table t = answering(c.standing, c.play, c.rest, c.seat, c.hand);
        const std::string standing_play = words(t.s.plays[c.standing]);
        // The choice itself, before the table checks it.
        EXPECT_EQ(game::classic::follow(game::SeatView(t.s, c.seat)).has_value(), c.answer != nullptr);
        t.computer_turn();
        EXPECT_EQ(words(t.s.hands[c.seat]), c.held);
        if (c.answer) {
            EXPECT_EQ(words(t.s.plays[c.seat]), c.answer);
            EXPECT_EQ(t.s.trick.standing, c.seat);
            EXPECT_EQ(t.s.trick.passes, 0);
        } else {
            EXPECT_TRUE(t.s.plays[c.seat].empty());
            EXPECT_FALSE(any_played(t));
            EXPECT_EQ(words(t.s.plays[c.standing]), standing_play);
            EXPECT_EQ(t.s.trick.standing, c.standing);
            EXPECT_EQ(t.s.trick.passes, 1);
            EXPECT_EQ(t.s.trick.turn, game::next_seat(c.seat));
        }
    }
}

// The classic level would answer the 2 of "9 9 2" with three natural cards
// of a stronger rank; strongest against strongest, 10 10 10 does not beat
// 2 9 9, so the seat passes like the human would have to.
TEST(Follow, TheTwosOfAMixedPlayAreNotBeatenByNaturalCards) {
    Table t = answering(Seat::C, "9 9 2", "5 6", Seat::B, "10 10 10 2");
    const auto raw = game::classic::follow(game::SeatView(t.s, Seat::B));
    ASSERT_TRUE(raw);
    EXPECT_EQ(words(*raw), "10 10 10");
    t.computer_turn();
    EXPECT_TRUE(t.s.plays[Seat::B].empty());
    EXPECT_EQ(words(t.s.hands[Seat::B]), "2 10 10 10");
    EXPECT_EQ(t.s.trick.standing, Seat::C);
    EXPECT_EQ(t.s.trick.passes, 1);
}

TEST(Follow, APartnersChallengeIsLeftAloneWhileThePartnerPlays) {
    Table t = answering(Seat::D, "K K", "5 6", Seat::B, "A A 4");
    t.trick(Seat::D, Seat::B, true, ChallengeAnswer::in_turn);
    t.computer_turn();
    EXPECT_TRUE(t.s.plays[Seat::B].empty());
    EXPECT_EQ(words(t.s.hands[Seat::B]), "A A 4");

    // Once the partner is out its challenge may be answered.
    Table out = answering(Seat::D, "K K", "", Seat::B, "A A 4");
    out.out(Seat::D, 1).trick(Seat::D, Seat::B, true, ChallengeAnswer::in_turn);
    out.computer_turn();
    EXPECT_EQ(words(out.s.plays[Seat::B]), "A A");
    EXPECT_EQ(out.s.trick.standing, Seat::B);
}

TEST(Follow, WildCardsAreLaidAfterWhatTheyAnswer) {
    // The small joker (for the 2) goes down first, the big joker after it.
    Table t = answering(Seat::C, "SJ 2", "5 6", Seat::B, "SJ BJ 5");
    t.computer_turn();
    EXPECT_EQ(shown(t, Seat::B), "SJ:0 BJ:1");

    // In one row at the seat's spot: the aces first, the joker after them.
    Table k = answering(Seat::C, "K K SJ", "5 6", Seat::B, "BJ A A 5");
    k.computer_turn();
    EXPECT_EQ(shown(k, Seat::B), "A:0 A:1 BJ:2");
}

TEST(Follow, AnAnswerIsShownFaceUpAtTheSeatsSpotAndItsLastCardTakesItOut) {
    Table t = answering(Seat::B, "9", "5 6", Seat::D, "10");
    const game::Card ten = t.s.hands[Seat::D][0];
    t.computer_turn();
    ASSERT_EQ(shown(t, Seat::D), "10:0");
    for (const test::Row& e : test::rows(t.ev)) {
        if (e.kind == Kind::played) {
            EXPECT_EQ(e.card, ten);
            EXPECT_EQ(e.seat, Seat::D);
        }
    }
    EXPECT_TRUE(t.s.hands[Seat::D].empty());
    EXPECT_EQ(t.s.places[Seat::D], 1);
    EXPECT_EQ(t.s.out_count, 1);
}

TEST(Follow, BeatingASeatWithOneKindLeftFilesASmotherTribute) {
    Table t = answering(Seat::C, "9 9", "5 5 5", Seat::B, "10 10 4");
    t.s.rules.smother = true;
    t.computer_turn();
    EXPECT_EQ(t.s.ledger[1], (game::Debt{Seat::C, Seat::B, 1}));

    // Without the rule, or when the beaten seat keeps two ranks, nothing is owed.
    Table off = answering(Seat::C, "9 9", "5 5 5", Seat::B, "10 10 4");
    off.computer_turn();
    EXPECT_FALSE(off.s.ledger[1].filed());
    Table two = answering(Seat::C, "9 9", "5 5 6", Seat::B, "10 10 4");
    two.s.rules.smother = true;
    two.computer_turn();
    EXPECT_EQ(words(two.s.plays[Seat::B]), "10 10");
    EXPECT_FALSE(two.s.ledger[1].filed());
}

// ---- leads ----

// `seat` holding `hand` leads.
Table leading(Seat seat, const std::string& hand, bool threes = true) {
    Table t;
    t.s.rules.threes = threes;
    t.hand(seat, hand).trick(std::nullopt, seat);
    t.computer_turn();
    return t;
}

TEST(Lead, TheWeakestRankWholeWithThreesKeptBackUnderTheRule) {
    Table t = leading(Seat::C, "5 5 3 3 K");
    EXPECT_EQ(words(t.s.plays[Seat::C]), "5 5");
    EXPECT_EQ(shown(t, Seat::C), "5:0 5:1");
    EXPECT_EQ(words(t.s.hands[Seat::C]), "K 3 3");
    EXPECT_EQ(t.s.trick.standing, Seat::C);
    EXPECT_EQ(t.s.trick.turn, Seat::D);
    EXPECT_FALSE(t.s.trick.challenge);
    EXPECT_TRUE(t.noted("石坚2个5"));
}

TEST(Lead, ThreesLeadWhenTheRuleIsOffOrNothingElseIsLeft) {
    EXPECT_EQ(words(leading(Seat::C, "5 5 3 3 K", false).s.plays[Seat::C]), "3 3");

    Table t = leading(Seat::C, "3 3");
    EXPECT_EQ(words(t.s.plays[Seat::C]), "3 3");
    EXPECT_TRUE(t.s.hands[Seat::C].empty());
    EXPECT_EQ(t.s.places[Seat::C], 1);
}

TEST(Lead, AChallengeLeadGoesOppositeUnlessThatSeatOrTwoSeatsAreOut) {
    struct Case {
        const char* what;
        std::vector<Seat> out;
        Seat turn;
        ChallengeAnswer answer;
    };
    const Case cases[] = {
        {"nobody out", {}, Seat::D, ChallengeAnswer::opposite_only},
        {"one other seat out", {Seat::C}, Seat::D, ChallengeAnswer::opposite_only},
        {"the opposite seat out", {Seat::D}, Seat::B, ChallengeAnswer::in_turn},
        {"two seats out", {Seat::B, Seat::E}, Seat::C, ChallengeAnswer::in_turn},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Table t;
        int place = 0;
        for (Seat seat : c.out) t.out(seat, ++place);
        t.hand(Seat::A, "2 K K K K").trick(std::nullopt, Seat::A);
        t.computer_turn();
        EXPECT_EQ(words(t.s.plays[Seat::A]), "K K K K");
        EXPECT_TRUE(t.s.trick.challenge);
        EXPECT_EQ(t.s.trick.turn, c.turn);
        EXPECT_EQ(t.s.trick.answer, c.answer);
    }
}

}  // namespace
}  // namespace tav
