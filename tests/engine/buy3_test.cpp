#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <sstream>
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

    // The hands A..F, split at '/'.
    explicit Threes(const std::string& hands) {
        std::istringstream in(hands);
        std::string hand;
        for (Seat seat : game::kAllSeats) {
            std::getline(in, hand, '/');
            t.hand(seat, hand);
        }
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

// Hands dealt A..F and what the purchase makes of them: the lines written,
// the cards shown at the exchange spots (the payment at the buyer's, the
// three at the seller's), and the hands that changed ("seat:hand|..."); every
// other hand is as dealt. A human's hand that traded is laid out again after
// the last trade, as it is held, so the three it bought or the card it was
// paid can be picked like any other.
TEST(BuyThrees, WhoBuysFromWhomAndWhatIsPaid) {
    struct Row {
        const char* why;
        const char* hands;  // A..F, split at '/'
        const char* lines;  // split at '|'
        const char* shown;
        const char* changed;
    };
    const Row rows[] = {
        {"the opposite seat sells first even when the next holds more", "BJ 2 A K/3 3 3 3 9/3 9/3 3 9/3 9/3 9",
         "钟离云买３|花月容卖３", "A:2 D:3", "A:BJ A K 3|D:2 9 3"},  // paid with the 2, never the joker
        {"the human sells", "3 3 9/3 9/3 9/A K 5/3 9/3 9", "花月容买３|钟离云卖３", "D:A A:3", "A:A 9 3|D:K 5 3"},
        {"an ace is paid when it is the best card that is not a joker", "3 9/BJ SJ A K 5/3 9/3 9/3 3 9/3 9",
         "柳    烟买３|雷    虎卖３", "B:A E:3", "B:BJ SJ K 5 3|E:A 9 3"},
        {"two buyers share a seller of exactly two", "K/3 9/Q/3 3 9/3 9/3 9",
         "钟离云买３|花月容卖３|石    坚买３|花月容卖３", "A:K D:3 C:Q D:3", "A:3|C:3|D:K Q 9"},
        // Only F was dealt two: A and B empty it, C, D and E find no three.
        {"a sold-out seller takes no payment", "A/K/Q/J/10/3 3 9", "钟离云买３|月    琴卖３|柳    烟买３|月    琴卖３",
         "A:A F:3 B:K F:3", "A:3|B:3|F:A K 9"},
        {"nobody holds a three", "A/K/Q/J/10/9", "", "", ""},
        {"nobody holds two threes", "A/3 K/Q/3 J/3 10/3 9", "", "", ""},
        {"the only buyer holds nothing but jokers", "3 9/BJ SJ/3 9/3 9/3 3 9/3 9", "", "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Threes g(r.hands);
        std::array<std::string, 6> held;
        for (Seat seat : game::kAllSeats) held[game::array_index(seat)] = g.held(seat);
        const std::vector<game::Card> dealt_a(g.t.s.hands[Seat::A].begin(), g.t.s.hands[Seat::A].end());
        g.buy();
        std::istringstream changed(r.changed);
        for (std::string c; std::getline(changed, c, '|');)
            held[game::array_index(*game::seat_from_letter(c[0]))] = c.substr(2);
        for (Seat seat : game::kAllSeats)
            EXPECT_EQ(g.held(seat), held[game::array_index(seat)]) << game::letter_of(seat);
        std::string lines;
        for (const std::string& line : g.t.notes()) lines += (lines.empty() ? "" : "|") + line;
        EXPECT_EQ(lines, r.lines);
        EXPECT_EQ(g.shown(), r.shown);
        const game::Hand& a = g.t.s.hands[Seat::A];
        if (std::vector<game::Card>(a.begin(), a.end()) == dealt_a) {
            EXPECT_EQ(g.laid_out(Seat::A), -1);
            continue;
        }
        ASSERT_GE(g.laid_out(Seat::A), 0);
        EXPECT_GT(g.laid_out(Seat::A), g.last_trade());
        const test::Row e = test::rows(g.t.ev)[static_cast<std::size_t>(g.laid_out(Seat::A))];
        EXPECT_EQ(std::vector<game::Card>(a.begin(), a.end()), e.cards);
    }
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

TEST(BuyThrees, TheSettlementBuysOnlyUnderTheRule) {
    for (const bool threes : {false, true}) {
        SCOPED_TRACE(threes ? "threes on" : "threes off");
        Threes g("A/3 3/3/3/3/3");
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
