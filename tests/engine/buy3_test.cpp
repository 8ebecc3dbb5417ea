#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ai/classic.h"
#include "model/invariants.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::Seat;
using test::Kind;

// Six hands just dealt, in seat order A..F; every card not named lies in the
// cleared pile.
struct Threes {
    test::Table t;

    explicit Threes(const std::array<const char*, 6>& hands) {
        for (Seat seat : game::kAllSeats) t.hand(seat, hands[game::array_index(seat)]);
        t.rest_cleared();
    }
    void buy() {
        t.flow().buy_threes();
        EXPECT_EQ(game::check_cards(t.s), "");
    }
    std::string held(Seat seat) const {
        game::Hand h = t.s.hands[seat];
        h.sort_by_rank();
        return test::words(h);
    }
    // The cards shown at the exchange spots, "A:2 D:3 ...".
    std::string shown() const {
        std::string out;
        for (const test::Row& e : test::rows(t.ev))
            if (e.kind == Kind::traded)
                out += (out.empty() ? "" : " ") + std::string(1, game::letter_of(e.seat)) + ":" +
                       test::Cards::word_of(e.card);
        return out;
    }
    // The event index of the first hand laid out for `seat`, -1 when none.
    long laid_out(Seat seat) const {
        const std::vector<test::Row> rows = test::rows(t.ev);
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].kind == Kind::laid_out && rows[i].seat == seat) return static_cast<long>(i);
        return -1;
    }
    long last_trade() const {
        long at = -1;
        const std::vector<test::Row> rows = test::rows(t.ev);
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].kind == Kind::traded) at = static_cast<long>(i);
        return at;
    }
};

TEST(BuyThrees, TheOppositeSeatSellsFirstEvenWhenTheNextHoldsMore) {
    Threes g({"BJ 2 A K", "3 3 3 3 9", "3 9", "3 3 9", "3 9", "3 9"});
    const game::Card two = g.t.s.hands[Seat::A][1];
    ASSERT_EQ(game::rank_of(two), game::kTwo);
    g.buy();
    EXPECT_EQ(g.t.notes(), (std::vector<std::string>{"钟离云买３", "花月容卖３"}));
    EXPECT_EQ(g.held(Seat::A), "BJ A K 3");  // paid with the 2, never the joker
    EXPECT_EQ(g.held(Seat::D), "2 9 3");
    EXPECT_EQ(g.held(Seat::B), "9 3 3 3 3");
    // The payment is shown face up at the buyer's spot, the three at the seller's.
    EXPECT_EQ(g.shown(), "A:2 D:3");
    const std::vector<test::Row> rows = test::rows(g.t.ev);
    const auto paid = std::find_if(rows.begin(), rows.end(), [](const test::Row& e) { return e.kind == Kind::traded; });
    ASSERT_NE(paid, rows.end());
    EXPECT_EQ(paid->card, two);
}

TEST(BuyThrees, AThreeBoughtOrSoldLaysTheHumansHandOutAgain) {
    {
        SCOPED_TRACE("bought");
        Threes g({"BJ 2 A K", "3 9", "3 9", "3 3 9", "3 9", "3 9"});
        g.buy();
        // The hand is laid out after the trade, with the three in it, so it
        // can be picked like any other card.
        ASSERT_GE(g.laid_out(Seat::A), 0);
        EXPECT_GT(g.laid_out(Seat::A), g.last_trade());
        EXPECT_EQ(test::words(g.t.s.hands[Seat::A]), "BJ A K 3");
        const test::Row e = test::rows(g.t.ev)[static_cast<std::size_t>(g.laid_out(Seat::A))];
        EXPECT_EQ(std::vector<game::Card>(g.t.s.hands[Seat::A].begin(), g.t.s.hands[Seat::A].end()), e.cards);
    }
    {
        SCOPED_TRACE("sold");
        Threes g({"3 3 9", "3 9", "3 9", "A K 5", "3 9", "3 9"});
        g.buy();
        EXPECT_EQ(g.t.notes(), (std::vector<std::string>{"花月容买３", "钟离云卖３"}));
        EXPECT_EQ(g.shown(), "D:A A:3");
        EXPECT_EQ(test::words(g.t.s.hands[Seat::A]), "A 9 3");
        EXPECT_GT(g.laid_out(Seat::A), g.last_trade());
    }
    {
        SCOPED_TRACE("the human trades nothing");
        Threes g({"3 9", "BJ SJ A K 5", "3 9", "3 9", "3 3 9", "3 9"});
        g.buy();
        EXPECT_EQ(g.laid_out(Seat::A), -1);
    }
}

TEST(BuyThrees, AnAceIsPaidWhenItIsTheBestCardThatIsNotAJoker) {
    Threes g({"3 9", "BJ SJ A K 5", "3 9", "3 9", "3 3 9", "3 9"});
    g.buy();
    EXPECT_EQ(g.t.notes(), (std::vector<std::string>{"柳    烟买３", "雷    虎卖３"}));
    EXPECT_EQ(g.held(Seat::B), "BJ SJ K 5 3");
    EXPECT_EQ(g.held(Seat::E), "A 9 3");
}

TEST(BuyThrees, ThePaymentForAThree) {
    struct Case {
        const char* hand;
        const char* paid;  // "" for none
    };
    const Case cases[] = {{"BJ 2 A K", "2"}, {"BJ SJ A K 5", "A"}, {"SJ 9 9 4", "9"}, {"BJ SJ", ""}, {"", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hand);
        test::Cards cards;
        game::Hand hand;
        for (game::Card x : cards.take_all(c.hand)) hand.push(x);
        hand.sort_by_rank();
        const std::optional<game::Card> paid = game::payment_for_three(hand);
        EXPECT_EQ(paid ? test::Cards::word_of(*paid) : "", c.paid);
    }
}

TEST(BuyThrees, TwoBuyersShareASellerOfExactlyTwo) {
    Threes g({"K", "3 9", "Q", "3 3 9", "3 9", "3 9"});
    g.buy();
    EXPECT_EQ(g.t.notes(), (std::vector<std::string>{"钟离云买３", "花月容卖３", "石    坚买３", "花月容卖３"}));
    EXPECT_EQ(g.held(Seat::A), "3");
    EXPECT_EQ(g.held(Seat::C), "3");
    EXPECT_EQ(g.held(Seat::D), "K Q 9");
}

TEST(BuyThrees, ASoldOutSellerTakesNoPayment) {
    // Only F was dealt two: A and B empty it, C, D and E find no three.
    Threes g({"A", "K", "Q", "J", "10", "3 3 9"});
    g.buy();
    EXPECT_EQ(g.t.notes(), (std::vector<std::string>{"钟离云买３", "月    琴卖３", "柳    烟买３", "月    琴卖３"}));
    EXPECT_EQ(g.held(Seat::C), "Q");
    EXPECT_EQ(g.held(Seat::D), "J");
    EXPECT_EQ(g.held(Seat::E), "10");
    EXPECT_EQ(g.held(Seat::F), "A K 9");
}

TEST(BuyThrees, NothingChangesHandsWithoutASellerOrAPayment) {
    struct Case {
        const char* why;
        std::array<const char*, 6> hands;
    };
    const Case cases[] = {
        {"nobody holds a three", {"A", "K", "Q", "J", "10", "9"}},
        {"nobody holds two threes", {"A", "3 K", "Q", "3 J", "3 10", "3 9"}},
        {"the only buyer holds nothing but jokers", {"3 9", "BJ SJ", "3 9", "3 9", "3 3 9", "3 9"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Threes g(c.hands);
        const game::PerSeat<game::Hand> before = g.t.s.hands;
        g.buy();
        EXPECT_TRUE(g.t.notes().empty());
        EXPECT_EQ(g.shown(), "");
        EXPECT_TRUE(g.t.s.hands == before);
    }
}

TEST(BuyThrees, TheSettlementBuysOnlyUnderTheRule) {
    for (const bool threes : {false, true}) {
        SCOPED_TRACE(threes ? "threes on" : "threes off");
        Threes g({"A", "3 3", "3", "3", "3", "3"});
        g.t.s.rules.threes = threes;
        g.t.s.first_leader = Seat::A;
        g.t.s.phase = game::Phase::tribute;
        g.t.flow().settle_from(1);
        EXPECT_EQ(g.held(Seat::A), threes ? "3" : "A");
        EXPECT_EQ(g.held(Seat::B), threes ? "A 3" : "3 3");
    }
}

}  // namespace
}  // namespace tav
