#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "table/w_main.h"
#include "tests/engine/support.h"

namespace tav {
namespace {

// Hands are built card by card; every card not named lies in the cleared pile.
struct BuyThrees : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;
    w_main w{settings, platform, 1};
    test::CardPicker picker;
    std::size_t notes_before = 0;

    BuyThrees() { settings.gc_show = 0; }

    // Six hands in seat order A..F.
    void deal(const std::array<std::string, 6>& hands) {
        for (int i = 1; i <= 6; ++i) {
            CardList& h = *w.hand(seat_letter(i));
            picker.fill(h, hands[static_cast<std::size_t>(i - 1)]);
            h.sort("sort");
            w.wf_sortcard(seat_letter(i));
        }
        std::array<bool, kCardCount + 1> held{};
        for (int i = 1; i <= 6; ++i)
            for (const CardRow& r : w.hand(seat_letter(i))->rows()) held[static_cast<std::size_t>(r.num)] = true;
        for (int n = 1; n <= kCardCount; ++n)
            if (!held[static_cast<std::size_t>(n)]) w.dw_ok.append(n);
        notes_before = w.note_log.size();
    }
    std::vector<std::string> notes() const {
        return {w.note_log.begin() + static_cast<long>(notes_before), w.note_log.end()};
    }
    std::string held(std::string_view seat) {
        CardList copy;
        w.hand(seat)->copy_all_to(copy);
        copy.sort("sort");
        return test::codes(copy);
    }
    ::testing::AssertionResult every_card_once() const {
        std::array<int, kCardCount + 1> count{};
        for (const CardList* p : {&w.dw_a, &w.dw_b, &w.dw_c, &w.dw_d, &w.dw_e, &w.dw_f, &w.dw_ok})
            for (const CardRow& r : p->rows()) ++count[static_cast<std::size_t>(r.num)];
        for (int n = 1; n <= kCardCount; ++n)
            if (count[static_cast<std::size_t>(n)] != 1)
                return ::testing::AssertionFailure() << card_id(n) << " lies in " << count[static_cast<std::size_t>(n)];
        return ::testing::AssertionSuccess();
    }
};

TEST_F(BuyThrees, TheOppositeSeatSellsFirstEvenWhenTheNextHoldsMore) {
    deal({"BJ 2 A K", "3 3 3 3 9", "3 9", "3 3 9", "3 9", "3 9"});
    const int two = w.dw_a.at(2).num;
    w.buy3();
    EXPECT_EQ(notes(), (std::vector<std::string>{"钟离云买３", "花月容卖３"}));
    EXPECT_EQ(held("A"), "BJ A K 3");  // paid with the 2, never the joker
    EXPECT_EQ(held("D"), "2 9 3");
    EXPECT_EQ(held("B"), "9 3 3 3 3");
    // The payment lies face up at the buyer's spot, the three at the seller's.
    const std::string& paid = card_id(two);
    EXPECT_EQ(w.dw_main.describe(paid + ".x"), "1068");
    EXPECT_EQ(w.dw_main.describe(paid + ".y"), "1045");
    EXPECT_EQ(w.dw_main.describe(paid + ".filename"), std::string(card_info(two).bmp));
    EXPECT_EQ(w.dw_main.describe(paid + ".pointer"), "");
    EXPECT_TRUE(every_card_once());
}

TEST_F(BuyThrees, TheBoughtThreeJoinsTheHumansLaidOutHand) {
    deal({"BJ 2 A K", "3 9", "3 9", "3 3 9", "3 9", "3 9"});
    w.buy3();
    // Every card of the human's hand is in its row and can be picked.
    const CardList& a = w.dw_a;
    for (int n = 1; n <= a.row_count(); ++n) {
        EXPECT_EQ(w.dw_main.describe(a.at(n).id() + ".x"), std::to_string(70 * n - 32));
        EXPECT_EQ(w.dw_main.describe(a.at(n).id() + ".y"), "1696");
        EXPECT_EQ(w.dw_main.describe(a.at(n).id() + ".tag"), "my");
    }
    const std::string three = a.at(a.row_count()).id();
    ASSERT_EQ(a.at(a.row_count()).code(), "3");
    settings.gb_b3 = false;  // threes may be picked at once
    w.dw_main_clicked(three);
    EXPECT_EQ(w.dw_out.row_count(), 1);
}

TEST_F(BuyThrees, TheHumansSoldThreeIsPaidForWithACardItCanPick) {
    deal({"3 3 9", "3 9", "3 9", "A K 5", "3 9", "3 9"});
    w.buy3();
    EXPECT_EQ(notes(), (std::vector<std::string>{"花月容买３", "钟离云卖３"}));
    EXPECT_EQ(held("A"), "A 9 3");
    const int ace = w.dw_a.find_sort(4);
    EXPECT_EQ(w.dw_main.describe(w.dw_a.at(ace).id() + ".tag"), "my");
    EXPECT_EQ(w.dw_main.describe(w.dw_a.at(ace).id() + ".y"), "1696");
}

TEST_F(BuyThrees, AnAceIsPaidWhenItIsTheBestCardThatIsNotAJoker) {
    deal({"3 9", "BJ SJ A K 5", "3 9", "3 9", "3 3 9", "3 9"});
    w.buy3();
    EXPECT_EQ(notes(), (std::vector<std::string>{"柳    烟买３", "雷    虎卖３"}));
    EXPECT_EQ(held("B"), "BJ SJ K 5 3");
    EXPECT_EQ(held("E"), "A 9 3");
    EXPECT_TRUE(every_card_once());
}

TEST_F(BuyThrees, ABuyerHoldingOnlyJokersBuysNothing) {
    deal({"3 9", "BJ SJ", "3 9", "3 9", "3 3 9", "3 9"});
    w.buy3();
    EXPECT_TRUE(notes().empty());
    EXPECT_EQ(held("B"), "BJ SJ");
    EXPECT_EQ(held("E"), "9 3 3");
}

TEST_F(BuyThrees, TwoBuyersShareASellerOfExactlyTwo) {
    deal({"K", "3 9", "Q", "3 3 9", "3 9", "3 9"});
    w.buy3();
    EXPECT_EQ(notes(), (std::vector<std::string>{"钟离云买３", "花月容卖３", "石    坚买３", "花月容卖３"}));
    EXPECT_EQ(held("A"), "3");
    EXPECT_EQ(held("C"), "3");
    EXPECT_EQ(held("D"), "K Q 9");
    EXPECT_TRUE(every_card_once());
}

TEST_F(BuyThrees, ASoldOutSellerTakesNoPayment) {
    // Only F started with two: A and B empty it, C, D and E find no three.
    deal({"A", "K", "Q", "J", "10", "3 3 9"});
    w.buy3();
    EXPECT_EQ(notes(), (std::vector<std::string>{"钟离云买３", "月    琴卖３", "柳    烟买３", "月    琴卖３"}));
    EXPECT_EQ(held("C"), "Q");
    EXPECT_EQ(held("D"), "J");
    EXPECT_EQ(held("E"), "10");
    EXPECT_EQ(held("F"), "A K 9");
    EXPECT_TRUE(every_card_once());
}

TEST_F(BuyThrees, WithoutASellerNothingHappens) {
    deal({"A", "3 K", "Q", "3 J", "3 10", "3 9"});
    w.buy3();
    EXPECT_TRUE(notes().empty());
    EXPECT_EQ(held("A"), "A");
    EXPECT_EQ(held("B"), "K 3");
}

TEST_F(BuyThrees, APurchaseNeedsASellerWithAThree) {
    deal({"A", "K", "Q", "J", "10", "9"});
    EXPECT_FALSE(w.wf_buy3("A", "D"));
    EXPECT_FALSE(w.wf_buy3("A", "A"));
    EXPECT_FALSE(w.wf_buy3("A", "X"));
    EXPECT_TRUE(notes().empty());
    EXPECT_EQ(held("A"), "A");
    EXPECT_TRUE(every_card_once());
}

TEST_F(BuyThrees, TheTributeSettlementBuysOnlyUnderTheRule) {
    deal({"A", "3 3", "3", "3", "3", "3"});
    w.is_firstgo = "A";
    settings.gb_b3 = false;
    w.wf_gog(1);
    EXPECT_EQ(held("A"), "A");
    settings.gb_b3 = true;
    w.wf_gog(1);
    EXPECT_EQ(held("A"), "3");
}

}  // namespace
}  // namespace tav
