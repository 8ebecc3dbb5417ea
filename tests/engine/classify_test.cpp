// What a play is and what beats what, how the engine lays a play, and the
// small questions the turns and the computer seats ask of hands and seats.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ai/view.h"
#include "rules/play.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::Card;
using game::Seat;

// Cards from a card string, each card once.
std::vector<Card> cards_of(const std::string& words) { return test::Cards().take_all(words); }

// Whether `follow` may be played on `standing` played by B.
bool follows(const std::string& follow, const std::string& standing) {
    test::Table t;
    t.play(Seat::B, standing);
    const std::vector<Card> cards = t.cards.take_all(follow);
    return game::can_play(cards, &t.s.plays[Seat::B]);
}

TEST(Classify, ALeadIsOneNaturalRankWithAnyWildCards) {
    for (const char* legal : {"Q", "Q Q Q", "3 3", "Q 2 Q BJ", "SJ Q", "BJ", "2 2 SJ BJ", "A A A A A A A 2"}) {
        const std::vector<Card> cards = cards_of(legal);
        EXPECT_TRUE(game::can_play(cards, nullptr)) << legal;
        EXPECT_TRUE(game::is_one_rank(cards)) << legal;
    }
    for (const char* illegal : {"Q K", "Q Q K", "2 Q BJ K", "3 4", "A 2 K"}) {
        const std::vector<Card> cards = cards_of(illegal);
        EXPECT_FALSE(game::can_play(cards, nullptr)) << illegal;
        EXPECT_FALSE(game::is_one_rank(cards)) << illegal;
    }
    EXPECT_FALSE(game::can_play({}, nullptr)) << "a play takes at least one card";
}

TEST(Classify, AFollowIsStrongerCardByCard) {
    struct Case {
        const char* follow;
        const char* standing;
        bool legal;
        const char* why;
    };
    const Case cases[] = {
        {"K K SJ", "Q Q Q", true, ""},
        {"K 2 K", "A Q Q", true, "strongest against strongest: 2 over A, K over Q twice"},
        {"BJ Q Q", "2 K K", false, "a queen is not stronger than a king"},
        {"Q Q", "Q Q", false, "ties are refused"},
        {"A 2", "A 2", false, "ties are refused"},
        {"2 2", "A A", true, ""},
        {"SJ SJ", "SJ 2", false, "the first pair ties"},
        {"BJ BJ", "SJ SJ", true, ""},
        {"4", "3", true, ""},
        {"3", "4", false, ""},
        {"K K K K", "Q Q Q", false, "the number of cards must match"},
        {"K K", "Q Q Q", false, "the number of cards must match"},
        {"BJ BJ BJ BJ", "3 3 3", false, "the number of cards must match"},
        {"K A", "Q Q", false, "stronger but not one rank"},
        {"2 SJ", "A A", true, "wild cards alone may follow"},
        // On the table 2 J J: the strongest picked meets the strongest standing.
        {"Q Q BJ", "J 2 J", true, "whatever order the pick is in"},
        {"BJ Q Q", "J 2 J", true, "whatever order the pick is in"},
        {"Q BJ Q", "J 2 J", true, "whatever order the pick is in"},
        {"Q Q 2", "J 2 J", false, "the 2s tie"},
        {"Q BJ", "J 2 J", false, "one card short"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(follows(c.follow, c.standing), c.legal) << c.follow << " on " << c.standing << ": " << c.why;
}

TEST(Classify, APlayLiesInTheOrderGivenAndIsKeptStrongestFirst) {
    test::Table t;
    t.hand(Seat::A, "Q Q BJ 9");
    std::vector<Card> pick;
    for (const char* w : {"Q", "BJ"})
        for (Card c : t.s.hands[Seat::A])
            if (test::Cards::word_of(c) == w) pick.push_back(c);
    ASSERT_EQ(pick.size(), 3u);
    t.flow().lay(Seat::A, pick);

    EXPECT_EQ(test::words(t.s.hands[Seat::A]), "9");
    EXPECT_EQ(test::words(t.s.plays[Seat::A]), "BJ Q Q");
    // On the table the cards lie in the order given: first card at position 0.
    std::vector<std::pair<Card, int>> laid;
    for (const test::Row& e : test::rows(t.ev)) {
        ASSERT_EQ(e.kind, test::Kind::played);
        EXPECT_EQ(e.seat, Seat::A);
        laid.emplace_back(e.card, e.number);
    }
    const std::vector<std::pair<Card, int>> expected{{pick[0], 0}, {pick[1], 1}, {pick[2], 2}};
    EXPECT_EQ(laid, expected);
}

TEST(Classify, HandShapeCountsNaturalRanks) {
    struct Case {
        const char* hand;
        int natural_ranks;
    };
    const Case cases[] = {
        {"K K 7 2 BJ", 2},  // four ranks less the two wild ones
        {"", 0},
        {"2 BJ SJ 2", 0},
        {"3 4 5 6 7 8 9 10 J Q K A 3", 12},  // past the few cards sorted one by one
        {"9 2 9 BJ 3 9 SJ 2", 2},            // just within them, with runs of one rank
        {"3 3 4 4 5 5 6 6 7 7 8 8 9 9 10 10 J J Q Q K K A A 2 2 SJ SJ BJ BJ 3 4 5", 12},
    };
    auto by_rank = [](Card a, Card b) { return game::rank_of(a) < game::rank_of(b); };
    for (const Case& c : cases) {
        test::Table t;
        t.hand(Seat::C, c.hand);
        game::Hand& hand = t.s.hands[Seat::C];
        EXPECT_EQ(hand.natural_rank_count(), c.natural_ranks) << c.hand;
        // The counts of every rank at once agree with counting one rank.
        const auto counts = hand.counts();
        for (game::Rank r = 0; r <= game::kRanks; ++r)
            EXPECT_EQ(counts[static_cast<std::size_t>(r)], hand.count(r)) << c.hand << " rank " << r;
        // Strongest first, cards of one rank in the order they came.
        std::vector<Card> expected(hand.begin(), hand.end());
        std::stable_sort(expected.begin(), expected.end(), by_rank);
        hand.sort_by_rank();
        EXPECT_EQ(std::vector<Card>(hand.begin(), hand.end()), expected) << c.hand;
    }
    // The whole pack in one pile: sixteen of a rank still fit its count.
    game::Cleared pack;
    for (int c = game::kCards; c >= 1; --c) pack.push(static_cast<Card>(c));
    const auto counts = pack.counts();
    for (game::Rank r = 0; r <= game::kRanks; ++r)
        EXPECT_EQ(counts[static_cast<std::size_t>(r)], pack.count(r)) << "rank " << r;
    EXPECT_EQ(counts[game::kFour], 16);
    EXPECT_EQ(counts[game::kBigJoker], 4);
}

TEST(Classify, ASeatsViewCountsEachPileItAsksAbout) {
    test::Table t;
    t.hand(Seat::D, "K K 7 2 BJ").play(Seat::D, "Q Q 2").cleared("2 2 2 K").hand(Seat::B, "9");
    t.trick(Seat::D, Seat::E);

    const game::SeatView own(t.s, Seat::D);
    EXPECT_EQ(own.hand().count(game::kKing), 2);
    EXPECT_EQ(own.hand().count(game::kTwo), 1);
    EXPECT_EQ(own.hand().count(game::kBigJoker), 1);
    EXPECT_EQ(own.hand().count(game::kAce), 0);
    EXPECT_EQ(own.play_of(Seat::D).count(game::kQueen), 2);
    EXPECT_EQ(own.play_of(Seat::D).count(game::kTwo), 1);
    EXPECT_EQ(own.cleared(game::kTwo), 3);  // the cleared pile, whatever the seat
    EXPECT_EQ(own.hand_size(Seat::D), 5);
    EXPECT_EQ(own.play_of(Seat::D).size(), 3);

    // Another seat sees its own hand but the same table.
    const game::SeatView other(t.s, Seat::B);
    EXPECT_EQ(test::words(other.hand()), "9");
    EXPECT_EQ(other.hand_size(Seat::D), 5);
    EXPECT_EQ(other.hand_size(Seat::A), 0);
    EXPECT_EQ(other.play_of(Seat::D).size(), 3);
    EXPECT_EQ(other.play_of(Seat::A).size(), 0);
    EXPECT_EQ(other.cleared(game::kTwo), 3);
    EXPECT_EQ(other.cleared(game::kKing), 1);
    // The one look into a hand: the standing seat's natural ranks.
    EXPECT_EQ(other.peek_standing_natural_rank_count(), 2);
    t.trick(std::nullopt, Seat::E);
    EXPECT_EQ(game::SeatView(t.s, Seat::B).peek_standing_natural_rank_count(), 0);
}

TEST(Classify, SeatsSidesAndFinishing) {
    struct Pair {
        Seat a, b;
        bool together;
    };
    const Pair pairs[] = {{Seat::A, Seat::E, true},  {Seat::C, Seat::A, true},  {Seat::B, Seat::F, true},
                          {Seat::D, Seat::D, true},  {Seat::A, Seat::D, false}, {Seat::F, Seat::A, false},
                          {Seat::A, Seat::B, false}, {Seat::E, Seat::F, false}};
    for (const Pair& p : pairs)
        EXPECT_EQ(game::same_side(p.a, p.b), p.together) << game::letter_of(p.a) << game::letter_of(p.b);

    // Seat letters read in either case; nothing else is a seat ('@' lies two
    // codes before 'B' and must not pass for a seat).
    for (Seat s : game::kAllSeats) {
        const char upper = game::letter_of(s);
        EXPECT_EQ(game::seat_from_letter(upper), s);
        EXPECT_EQ(game::seat_from_letter(static_cast<char>(upper - 'A' + 'a')), s);
    }
    for (char bad : {'@', 'G', 'g', '`', ' '}) EXPECT_EQ(game::seat_from_letter(bad), std::nullopt) << bad;

    test::Table t;
    EXPECT_FALSE(t.s.is_out(Seat::C));
    t.out(Seat::C, 2);
    EXPECT_TRUE(t.s.is_out(Seat::C));
    EXPECT_FALSE(t.s.is_out(Seat::D));
}

}  // namespace
}  // namespace tav
