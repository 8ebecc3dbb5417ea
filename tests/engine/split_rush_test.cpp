// The classic level's finer plays: taking a list of ranks from a hand,
// splitting and topping up groups to answer, and rushing out near the end;
// with what a computer seat's turn then puts on the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "ai/classic.h"
#include "ai/classic_parts.h"
#include "model/invariants.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::Card;
using game::Hand;
using game::Seat;
using game::SeatView;
using test::Kind;
using test::Table;
using test::words;
namespace classic = game::classic;

// Every card not named by a test goes round the seats that take no part here
// (B acts, C stands), so all 216 cards are always somewhere and the cleared
// pile holds only what a test put there.
void deal_rest(Table& t) {
    constexpr Seat kBystanders[] = {Seat::A, Seat::D, Seat::E, Seat::F};
    std::size_t i = 0;
    for (Card c : t.cards.rest()) t.s.hands[kBystanders[i++ % 4]].push(c);
    for (Seat s : kBystanders) t.s.hands[s].sort_by_rank();
}

// The cards `seat` laid, in the order the events report them. A card reported
// at another position than its turn in that order, or missing from the seat's
// play, is marked "?".
std::string laid(const Table& t, Seat seat) {
    std::string out;
    int position = 0;
    for (const test::Row& e : test::rows(t.ev)) {
        if (e.kind != Kind::played || e.seat != seat) continue;
        if (!out.empty()) out += ' ';
        out += test::Cards::word_of(e.card);
        if (e.number != position++ || !t.s.plays[seat].contains(e.card)) out += '?';
    }
    return out;
}

// The cards taken and the cards left together are the hand before, each once.
::testing::AssertionResult nothing_lost(const Hand& before, const std::vector<Card>& taken, const Hand& left) {
    std::vector<Card> was(before.begin(), before.end()), now(taken);
    now.insert(now.end(), left.begin(), left.end());
    std::sort(was.begin(), was.end());
    std::sort(now.begin(), now.end());
    if (was == now) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "before: " << words(before) << "; taken: " << words(taken)
                                         << "; left: " << words(left);
}

// ---- taking and laying a list of ranks ----

TEST(SplitRush, AListIsTakenInItsOwnOrderAndLaidSoAtTheSeatsSpot) {
    Table t;
    t.hand(Seat::B, "K K 2 BJ 5");
    deal_rest(t);
    Hand hand = t.s.hands[Seat::B];
    const auto cards = classic::take(hand, {{game::kTwo, 1}, {0, 4}, {game::kKing, 2}, {game::kBigJoker, 0}});
    ASSERT_TRUE(cards);
    EXPECT_EQ(words(*cards), "2 K K");  // the list's order, not sorted
    EXPECT_EQ(words(hand), "BJ 5");

    t.flow().lay(Seat::B, *cards);
    EXPECT_EQ(laid(t, Seat::B), "2 K K");
    EXPECT_EQ(words(t.s.hands[Seat::B]), "BJ 5");
    EXPECT_EQ(game::check_cards(t.s), "");

    // A second play starts its own row again.
    t.ev.clear();
    t.flow().lay(Seat::B, std::vector<Card>{hand[0]});
    EXPECT_EQ(laid(t, Seat::B), "BJ");
    EXPECT_EQ(game::check_cards(t.s), "");
}

TEST(SplitRush, AListTheHandCannotCoverTakesNothing) {
    Table t;
    t.hand(Seat::B, "SJ SJ 2 9 9");
    Hand hand = t.s.hands[Seat::B];
    EXPECT_FALSE(classic::take(hand, {{game::kNine, 2}, {game::kTwo, 2}}));  // one 2 only
    EXPECT_FALSE(classic::take(hand, {{game::kNine, -1}}));
    // Each entry alone fits; together they ask for three small jokers.
    EXPECT_FALSE(classic::take(hand, {{game::kSmallJoker, 1}, {game::kNine, 1}, {game::kSmallJoker, 2}}));
    EXPECT_EQ(hand, t.s.hands[Seat::B]);

    // Laying a card the hand does not hold puts nothing on the table.
    t.play(Seat::C, "9");
    deal_rest(t);
    t.flow().lay(Seat::B, std::vector<Card>{t.s.plays[Seat::C][0]});
    EXPECT_TRUE(t.s.plays[Seat::B].empty());
    EXPECT_EQ(laid(t, Seat::B), "");
    EXPECT_EQ(game::check_cards(t.s), "");
}

// ---- splitting and topping up ----

// C stands with `play` (natural cards only) and keeps `rest`; B, holding
// `hand`, breaks or tops up a group to answer it.
struct SplitCase {
    const char* what;
    const char* play;
    const char* rest;
    const char* hand;
    const char* split;  // the cards taken, in order; nullptr when B does not split
    const char* held;   // B's hand afterwards
};

const SplitCase kSplits[] = {
    // C could go out next, and still a single card is not split for.
    {"a single card is never answered by splitting", "7", "5", "K K K K K K K K Q Q", nullptr, "K K K K K K K K Q Q"},
    // Against a seat that keeps two ranks only a big surplus is broken.
    {"jacks are split against nines with a surplus of five", "9 9", "5 6", "J J J J J J J 4", "J J", "J J J J J 4"},
    {"six jacks against nines are kept", "9 9", "5 6", "J J J J J J 4", nullptr, "J J J J J J 4"},
    {"against tens jacks are never split, and five queens keep only three", "10 10", "5 6",
     "J J J J J J J J J J Q Q Q Q Q", nullptr, "Q Q Q Q Q J J J J J J J J J J"},
    {"against tens queens are split with four to spare", "10 10", "5 6", "J J J J J J J J J J Q Q Q Q Q Q", "Q Q",
     "Q Q Q Q J J J J J J J J J J"},
    {"the surplus table is tried jacks first", "9 9", "5 6", "J J J J J J J Q Q Q Q Q Q", "J J",
     "Q Q Q Q Q Q J J J J J"},
    {"against queens kings are kept whatever the surplus", "Q Q", "5 6", "K K K K K K K 4", nullptr, "K K K K K K K 4"},
    {"a seat keeping several ranks is not chased with groups or 2s", "9 9", "5 6", "K K K 2 2 2 SJ", nullptr,
     "SJ 2 2 2 K K K"},
    // Against a seat about to go out anything goes, from jacks up.
    {"the search for a group starts one rank above the tens", "9 9", "5 5", "10 10 10 10 4", nullptr, "10 10 10 10 4"},
    {"the weakest group from jacks up is broken", "9 9", "5 5", "Q Q Q K K K 10 10 10", "Q Q", "K K K Q 10 10 10"},
    // B's only cards from 10 to ace are two queens.
    {"a group is topped up with 2s", "8 8 8", "5", "Q Q 2 5 5 5 4", "Q Q 2", "5 5 5 4"},
    {"on a tie the weaker group is topped up", "8 8 8", "5", "K K Q Q 2 2", "Q Q 2", "2 K K"},
    {"topping up spends every 2, then only the small jokers missing", "8 8 8 8", "5", "J 2 SJ SJ SJ 5", "J 2 SJ SJ",
     "SJ 5"},
    {"without natural cards the answer is 2s and small jokers", "8 8", "5", "2 SJ 5 5", "2 SJ", "5 5"},
    {"too few cards even with wild cards", "8 8 8", "5", "J 2 5 BJ", nullptr, "BJ 2 J 5"},
};

TEST(SplitRush, GroupsAreBrokenOrToppedUpOnlyWhenItPays) {
    for (const SplitCase& c : kSplits) {
        SCOPED_TRACE(c.what);
        Table t;
        t.play(Seat::C, c.play).hand(Seat::C, c.rest).hand(Seat::B, c.hand).trick(Seat::C, Seat::B);
        // The answer needs as many cards as the play, of a stronger rank.
        const game::Rank above = game::rank_of(t.s.plays[Seat::C][0]) - 1;
        Hand hand = t.s.hands[Seat::B];
        const auto cards = classic::split(SeatView(t.s, Seat::B), hand, above, t.s.plays[Seat::C].size());
        if (c.split) {
            ASSERT_TRUE(cards);
            EXPECT_EQ(words(*cards), c.split);
            EXPECT_TRUE(nothing_lost(t.s.hands[Seat::B], *cards, hand));
        } else {
            EXPECT_FALSE(cards);
        }
        EXPECT_EQ(words(hand), c.held);
    }
}

TEST(SplitRush, KingsAndAcesNeedASurplusOfThree) {
    Table t;
    t.play(Seat::C, "J J").hand(Seat::C, "5 6").hand(Seat::B, "K K K K K A A A A A").trick(Seat::C, Seat::B);
    const SeatView v(t.s, Seat::B);
    Hand hand = t.s.hands[Seat::B];
    // Against jacks kings may go.
    auto cards = classic::split(v, hand, game::kQueen, 2);
    ASSERT_TRUE(cards);
    EXPECT_EQ(words(*cards), "K K");
    EXPECT_EQ(words(hand), "A A A A A K K K");
    // Against queens the three kings left are kept and the aces are split.
    cards = classic::split(v, hand, game::kKing, 2);
    ASSERT_TRUE(cards);
    EXPECT_EQ(words(*cards), "A A");
    EXPECT_EQ(words(hand), "A A A K K K");
}

TEST(SplitRush, TheAnswersBigJokersContinueTheRowAfterASplit) {
    // 9 9 small-joker from a seat about to go out: two jacks split off, then
    // a big joker for the small joker, laid third.
    Table t;
    t.play(Seat::C, "9 9 SJ").hand(Seat::C, "5 5").hand(Seat::B, "J J J J BJ").trick(Seat::C, Seat::B);
    deal_rest(t);
    t.computer_turn();
    EXPECT_EQ(laid(t, Seat::B), "J J BJ");
    EXPECT_EQ(words(t.s.plays[Seat::B]), "BJ J J");
    EXPECT_EQ(words(t.s.hands[Seat::B]), "J J");
    EXPECT_EQ(t.s.trick.standing, Seat::B);
    EXPECT_EQ(game::check_cards(t.s), "");
}

// ---- rushing ----

struct RushCase {
    const char* what;
    const char* cleared;  // cards already taken off the table this deal
    const char* hand;     // B's hand; B is to lead
    bool threes;          // the rule on threes
    const char* rush;     // the cards laid, in order; nullptr when B does not rush
    const char* held;     // B's hand after a rush
};

const RushCase kRushes[] = {
    {"one rank left and a big joker: every wild card goes, the rank stays", "", "BJ SJ 2 2 9 9", true, "BJ SJ 2 2",
     "9 9"},
    {"a lone small joker rushes once every big joker is played", "BJ BJ BJ BJ", "SJ 9 9", true, "SJ", "9 9"},
    {"a lone small joker waits while a big joker is out", "BJ BJ BJ", "SJ 9 9", true, nullptr, nullptr},
    {"2s rush when there are more than the jokers still out", "BJ BJ BJ BJ SJ SJ SJ", "2 2 9", true, "2 2", "9"},
    {"a 2 waits while as many jokers are still out", "BJ BJ BJ BJ SJ SJ SJ", "2 9", true, nullptr, nullptr},
    {"without a rush the whole hand stays while threes are kept back", "", "2 3 3", true, nullptr, nullptr},
    {"without a rush the whole hand goes when threes may be led", "", "2 3 3", false, "2 3 3", ""},
    {"three ranks need two jokers", "", "BJ K K 9 9 5", true, nullptr, nullptr},
    {"two big jokers lead the strongest rank with one", "", "BJ BJ K K 9 9 5", true, "BJ K K", "BJ 9 9 5"},
    {"a small joker leads the weakest rank", "", "BJ SJ K K 9 9 5", true, "SJ 5", "BJ K K 9 9"},
    {"the weakest rank skips threes under the rule", "", "BJ SJ K 9 3 3", true, "SJ 9", "BJ K 3 3"},
    {"the weakest rank may be threes without the rule", "", "BJ SJ K 9 3 3", false, "SJ 3 3", "BJ K 9"},
    {"two ranks and a small joker: the weakest, then every big joker and 2", "", "BJ SJ 2 K K 9", true, "SJ 9 BJ 2",
     "K K"},
    {"two ranks without small jokers: the strongest with every big joker and 2", "", "BJ BJ 2 2 A A 9 9", true,
     "BJ BJ A A 2 2", "9 9"},
    // One small joker, then "the weakest rank" (the small jokers themselves):
    // three asked for, two held; the rush is refused whole.
    {"wild cards whose weakest is a small joker", "", "BJ SJ SJ", true, nullptr, nullptr},
};

TEST(SplitRush, ARushIsLaidAsTheLeadOrTheOrdinaryLeadPlaysWithNothingLost) {
    for (const RushCase& c : kRushes) {
        SCOPED_TRACE(c.what);
        Table t;
        t.s.rules.threes = c.threes;
        t.cleared(c.cleared).hand(Seat::B, c.hand).trick(std::nullopt, Seat::B);
        deal_rest(t);
        const std::string before = words(t.s.hands[Seat::B]);
        const auto cards = classic::rush(SeatView(t.s, Seat::B));
        EXPECT_EQ(words(t.s.hands[Seat::B]), before);  // deciding changes nothing
        if (c.rush) {
            ASSERT_TRUE(cards);
            EXPECT_EQ(words(*cards), c.rush);
        } else {
            EXPECT_FALSE(cards);
        }

        t.computer_turn();
        if (c.rush) {
            EXPECT_EQ(laid(t, Seat::B), c.rush);
            EXPECT_EQ(words(t.s.hands[Seat::B]), c.held);
        } else {
            EXPECT_FALSE(t.s.plays[Seat::B].empty());
        }
        EXPECT_EQ(t.s.trick.standing, Seat::B);
        EXPECT_EQ(game::check_cards(t.s), "");
    }
}

}  // namespace
}  // namespace tav
