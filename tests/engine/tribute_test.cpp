#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "table/w_main.h"
#include "tests/engine/support.h"

namespace tav {
namespace {

::testing::AssertionResult every_card_once(const w_main& w) {
    std::array<int, kCardCount + 1> count{};
    for (const CardList* p : {&w.dw_a, &w.dw_b, &w.dw_c, &w.dw_d, &w.dw_e, &w.dw_f, &w.dw_1, &w.dw_2, &w.dw_3, &w.dw_4,
                              &w.dw_5, &w.dw_6, &w.dw_ok})
        for (const CardRow& r : p->rows()) ++count[static_cast<std::size_t>(r.num)];
    for (int n = 1; n <= kCardCount; ++n)
        if (count[static_cast<std::size_t>(n)] != 1)
            return ::testing::AssertionFailure() << card_id(n) << " lies in " << count[static_cast<std::size_t>(n)]
                                                 << " piles";
    return ::testing::AssertionSuccess();
}

bool table_empty(const w_main& w) {
    for (std::size_t i = 1; i <= 15; ++i)
        if (!w.is_la[i].empty() || !w.is_ke[i].empty() || w.ii_la[i] != 0) return false;
    return true;
}

bool noted(const w_main& w, const std::string& line) {
    return std::find(w.note_log.begin(), w.note_log.end(), line) != w.note_log.end();
}

// Hands are built card by card; every card not named lies in the cleared
// pile, so all 216 are accounted for. Play never starts in these tests: the
// human leads first.
struct Tribute : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;
    w_main w{settings, platform, 1};
    test::CardPicker picker;

    Tribute() {
        settings.gc_show = 0;
        settings.gb_b3 = false;
        w.is_firstgo = "A";
    }

    void give(std::string_view seat, const std::string& cards) {
        picker.fill(*w.hand(seat), cards);
        w.hand(seat)->sort("sort");
        w.wf_sortcard(seat);
    }
    // A card that has already changed hands in a tribute.
    void give_moved(std::string_view seat, const std::string& card) {
        w.hand(seat)->append(picker.take(card), true);
        w.hand(seat)->sort("sort");
    }
    void rest_cleared() {
        std::array<bool, kCardCount + 1> held{};
        for (const CardList* p : {&w.dw_a, &w.dw_b, &w.dw_c, &w.dw_d, &w.dw_e, &w.dw_f})
            for (const CardRow& r : p->rows()) held[static_cast<std::size_t>(r.num)] = true;
        for (int n = 1; n <= kCardCount; ++n)
            if (!held[static_cast<std::size_t>(n)]) w.dw_ok.append(n);
    }
    void slot(int i, const std::string& payer, const std::string& receiver, int count) {
        const auto s = static_cast<std::size_t>(i);
        w.is_la[s] = payer;
        w.is_ke[s] = receiver;
        w.ii_la[s] = count;
    }
    void settle() {
        rest_cleared();
        ASSERT_TRUE(every_card_once(w));
        w.ii_cur = 1;
        w.wf_gog(w.ii_cur);
        ASSERT_TRUE(every_card_once(w));
    }
    // Cards of `seat` marked as having changed hands, strongest first.
    std::string moved_in(std::string_view seat) {
        CardList marked;
        for (const CardRow& r : w.hand(seat)->rows())
            if (r.isgo) marked.append(r);
        marked.sort("sort");
        return test::codes(marked);
    }
    // A hand, strongest first (a computer hand takes its cards in at the end).
    std::string held(std::string_view seat) {
        CardList copy;
        w.hand(seat)->copy_all_to(copy);
        copy.sort("sort");
        return test::codes(copy);
    }
    bool started() { return noted(w, "开始游戏＞＞＞"); }
    // Picks a card of the human's hand by its code, through the table.
    void pick(const std::string& code) {
        for (const CardRow& r : w.dw_a.rows())
            if (r.code() == code && !w.dw_out.contains(r.num)) {
                w.dw_main_clicked(r.id());
                return;
            }
        ADD_FAILURE() << "no " << code << " to pick";
    }
};

// ---- taking the tribute ----

TEST_F(Tribute, ThePayersStrongestUnmovedJokersAndTwosAreTaken) {
    give_moved("D", "BJ");  // came by an earlier tribute: never taken again
    give("D", "SJ 2 2 K 5");
    give("B", "A 9 8 8 4");
    slot(13, "D", "B", 2);
    settle();
    EXPECT_TRUE(noted(w, "花月容进落贡一小户，一钱"));
    EXPECT_EQ(moved_in("B"), "SJ 2");
    EXPECT_EQ(held("D"), "BJ 2 K 9 5 4");
    EXPECT_TRUE(started());
}

TEST_F(Tribute, APayerWithFewerWildCardsGivesWhatItHasAndTheCountFollows) {
    give("D", "2 K K 5");
    give("A", "K 6 4");
    slot(13, "D", "A", 2);
    settle();
    EXPECT_EQ(w.ii_la[13], 1);
    EXPECT_TRUE(noted(w, "花月容进落贡一钱"));
    EXPECT_EQ(moved_in("A"), "2");
    w.cb_gog_clicked();
    EXPECT_EQ(platform.messages, std::vector<std::string>{"提示信息|请选择1张牌还贡！"});
}

TEST_F(Tribute, APayerWithoutWildCardsGivesNothingAndTheHumanMayGoOnAtOnce) {
    give("D", "K K 5");
    give("A", "K 6 4");
    slot(13, "D", "A", 2);
    settle();
    EXPECT_EQ(w.ii_la[13], 0);
    EXPECT_TRUE(noted(w, "花月容进落贡无牌"));
    // The human is never left without an enabled action.
    EXPECT_TRUE(w.cb_gog.visible);
    EXPECT_TRUE(w.cb_gog.enabled);
    EXPECT_FALSE(w.ib_go);
    w.cb_gog_clicked();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(w.ib_go);
    EXPECT_TRUE(started());
    EXPECT_EQ(held("A"), "K 6 4");
    EXPECT_EQ(held("D"), "K K 5");
}

TEST_F(Tribute, AnnouncementTexts) {
    w.wf_whogog("D", {1, 1}, {"Joker1", "Joker1"}, 5);
    w.wf_whogog("C", {1, 3}, {"Joker1", "2"}, 5);
    w.wf_whogog("A", {14, 12}, {"4", "6"}, 6);
    w.wf_whogog("B", {2, 0}, {"Joker2", ""}, 1);
    w.wf_whogog("E", {9, 9}, {"9", "9"}, 4);
    w.wf_whogog("F", {3, 3}, {"2", "2"}, 2);
    w.wf_whogog("F", {0, 0}, {"", ""}, 3);
    const std::vector<std::string> expected{"花月容进落贡两大户", "石坚进落贡一大户，一钱", "钟离云还落贡一个4，一个6",
                                            "柳烟进扪贡一小户",   "雷虎还点贡两个9",       "月琴还扪贡两钱",
                                            "月琴进点贡无牌"};
    ASSERT_GE(w.note_log.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(w.note_log.end() - static_cast<long>(expected.size()), w.note_log.end()),
              expected);
}

TEST_F(Tribute, APayerWithABigJokerAndATwoAnnouncesBoth) {
    give("F", "BJ 2 9 9");
    give("C", "A 7 5");
    slot(7, "F", "C", 2);
    settle();
    EXPECT_TRUE(noted(w, "月琴进点贡一大户，一钱"));
    EXPECT_TRUE(noted(w, "石坚还点贡一个5，一个7"));
}

// ---- the automatic return ----

struct AutoReturn : Tribute {
    // D pays B `n` big jokers; what B gives back.
    std::string returned(const std::string& hand, int n) {
        give("D", n == 1 ? "BJ Q" : "BJ BJ Q");
        give("B", hand);
        slot(13, "D", "B", n);
        settle();
        return moved_in("D");
    }
};

TEST_F(AutoReturn, SingleCardsOfNinesDownToFoursGoFirstWeakestFirst) {
    EXPECT_EQ(returned("A 9 8 8 6 5 5 4", 2), "6 4");
    EXPECT_TRUE(noted(w, "柳烟还落贡一个4，一个6"));
    EXPECT_EQ(moved_in("B"), "BJ BJ");
    EXPECT_TRUE(table_empty(w));
}

TEST_F(AutoReturn, WithoutSinglesAPairThatIsUsedUpGoesWhole) {
    EXPECT_EQ(returned("A A 9 9 9 7 7 5 5", 2), "5 5");
    EXPECT_TRUE(noted(w, "柳烟还落贡两个5"));
}

TEST_F(AutoReturn, OneCardOwedNeverLeavesASingleBehind) {
    EXPECT_EQ(returned("A 9 9 9 7 7 5 5", 1), "9");
    EXPECT_TRUE(noted(w, "柳烟还落贡一个9"));
}

TEST_F(AutoReturn, ASingleThenACardFromAGroupThatKeepsTwo) {
    EXPECT_EQ(returned("9 9 9 6 5 5", 2), "9 6");
    EXPECT_TRUE(noted(w, "柳烟还落贡一个6，一个9"));
}

TEST_F(AutoReturn, OtherwiseTheWeakestCardsGo) {
    EXPECT_EQ(returned("K 8 8 8 7 7 7", 2), "7 7");
}

TEST_F(AutoReturn, ThreesAndCardsAboveNinesAreNeverReturned) {
    EXPECT_EQ(returned("3 3 10 9 9", 1), "9");
}

TEST_F(AutoReturn, FewerCandidatesThanOwedGiveWhatThereIsAndTheCountFollows) {
    // The human's slot after it holds the settlement, so the table can be read.
    give("F", "2 5");
    give("A", "6");
    slot(14, "F", "A", 1);
    EXPECT_EQ(returned("A A K 9", 2), "9");
    EXPECT_EQ(w.ii_la[13], 1);
    EXPECT_EQ(w.ii_cur, 14);
    EXPECT_TRUE(noted(w, "柳烟还落贡一个9"));
}

// ---- the human's side ----

TEST_F(Tribute, TributeFromTheOwnSideMayBeRefused) {
    give("C", "BJ SJ 7");
    give("A", "9 8 4");
    slot(13, "C", "A", 2);
    platform.answers = {false};
    settle();
    EXPECT_EQ(platform.questions, std::vector<std::string>{"提示信息|要同帮的进贡吗？"});
    EXPECT_TRUE(noted(w, "石坚进落贡一大户，一小户"));
    EXPECT_TRUE(noted(w, "请钟离云放弃贡"));
    EXPECT_EQ(held("C"), "BJ SJ 7");
    EXPECT_EQ(held("A"), "9 8 4");
    EXPECT_EQ(moved_in("C"), "");
    EXPECT_FALSE(w.cb_gog.visible);
    EXPECT_TRUE(w.ib_go);
    EXPECT_TRUE(started());
    EXPECT_TRUE(table_empty(w));
}

TEST_F(Tribute, TributeFromTheOwnSideAcceptedWaitsForTheReturn) {
    give("E", "BJ SJ 7");
    give("A", "9 8 4");
    slot(13, "E", "A", 2);
    platform.answers = {true};
    settle();
    EXPECT_EQ(platform.questions.size(), 1u);
    EXPECT_EQ(moved_in("A"), "BJ SJ");
    EXPECT_TRUE(w.cb_gog.visible);
    EXPECT_TRUE(w.cb_gog.enabled);
    EXPECT_FALSE(w.ib_go);
    EXPECT_EQ(w.note_log.back(), "请钟离云还贡");
    EXPECT_EQ(w.ii_cur, 13);
    EXPECT_FALSE(started());
}

TEST_F(Tribute, TheOtherSideIsNotAsked) {
    give("A", "2 9 8 4");
    give("C", "5 5 5");
    give("D", "BJ 7");
    slot(13, "A", "C", 1);  // the human pays its own side: no question
    slot(14, "D", "A", 1);
    settle();
    EXPECT_TRUE(platform.questions.empty());
    EXPECT_TRUE(noted(w, "钟离云进落贡一钱"));
    EXPECT_TRUE(noted(w, "石坚还落贡一个5"));
    EXPECT_EQ(w.ii_cur, 14);
}

TEST_F(Tribute, TheHumansReturnIsCountedThenTaken) {
    give("D", "BJ BJ 9");
    give("A", "K 6 4 4");
    slot(13, "D", "A", 2);
    settle();
    // The tribute lies face up at the payer's spot.
    std::vector<std::string> xs;
    for (const CardRow& r : w.dw_a.rows()) {
        if (r.code() != "Joker1") continue;
        xs.push_back(w.dw_main.describe(r.id() + ".x"));
        EXPECT_EQ(w.dw_main.describe(r.id() + ".y"), "570");
        EXPECT_EQ(w.dw_main.describe(r.id() + ".filename"), std::string(r.bmp()));
    }
    EXPECT_EQ(xs, (std::vector<std::string>{"1068", "1136"}));
    pick("6");
    w.cb_gog_clicked();
    EXPECT_EQ(platform.messages, std::vector<std::string>{"提示信息|请选择2张牌还贡！"});
    EXPECT_FALSE(w.ib_go);
    EXPECT_TRUE(w.cb_gog.visible);
    EXPECT_EQ(w.ii_cur, 13);
    EXPECT_EQ(held("A"), "BJ BJ K 6 4 4");
    EXPECT_EQ(w.dw_out.row_count(), 1);

    pick("4");
    ASSERT_EQ(w.dw_out.row_count(), 2);
    const std::string four = w.dw_out.at(1).id(), six = w.dw_out.at(2).id();
    w.cb_gog_clicked();
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(noted(w, "钟离云还落贡一个4，一个6"));
    EXPECT_EQ(held("A"), "BJ BJ K 4");
    EXPECT_EQ(held("D"), "9 6 4");
    EXPECT_EQ(moved_in("D"), "");  // the human's return is not marked
    // Both hands are laid out again: the return lies face down in D's row.
    EXPECT_EQ(w.dw_main.describe(four + ".y"), "30");
    EXPECT_EQ(w.dw_main.describe(six + ".filename"), settings.gs_bgcard);
    EXPECT_TRUE(w.dw_out.empty());
    EXPECT_FALSE(w.cb_gog.visible);
    EXPECT_FALSE(w.cb_gog.enabled);
    EXPECT_TRUE(w.ib_go);
    EXPECT_TRUE(started());
    EXPECT_TRUE(table_empty(w));
    EXPECT_TRUE(every_card_once(w));
}

TEST_F(Tribute, AReturnOfCardsNotInTheHumansHandIsRefused) {
    give("D", "BJ 9");
    give("A", "K 6");
    slot(13, "D", "A", 1);
    settle();
    w.dw_out.append(w.dw_d.at(1));  // not the human's card
    w.cb_gog_clicked();
    EXPECT_FALSE(w.ib_go);
    EXPECT_EQ(held("D"), "9");
    EXPECT_TRUE(every_card_once(w));
}

// ---- the table ----

TEST_F(Tribute, TheListingNamesEveryDebtAndFilesPointTributes) {
    settings.gb_d = true;
    w.is_ak = "1";
    w.is_ck = "1";
    w.is_dk = "1";
    slot(1, "B", "C", 1);
    slot(13, "E", "B", 2);
    slot(14, "F", "A", 1);
    w.wf_showg();
    // Seats without the open-point mark pay their opposite seat.
    EXPECT_EQ(w.is_la[7], "B");
    EXPECT_EQ(w.is_ke[7], "E");
    EXPECT_EQ(w.is_la[8], "E");
    EXPECT_EQ(w.is_la[9], "F");
    EXPECT_EQ(w.is_ke[9], "C");
    EXPECT_EQ(w.is_la[10], "");
    const std::vector<std::string> expected{"柳烟向石坚进扪贡1张", "柳烟向雷虎进点贡1张", "雷虎向柳烟进点贡1张",
                                            "月琴向石坚进点贡1张", "雷虎向柳烟进落贡2张", "月琴向钟离云进落贡1张"};
    EXPECT_EQ(std::vector<std::string>(w.note_log.end() - static_cast<long>(expected.size()), w.note_log.end()),
              expected);
}

TEST_F(Tribute, ScoresOnlySkipTheSettlementAndEmptyTheTable) {
    settings.gi_winstyle = 0;
    give("D", "BJ BJ 9");
    give("A", "K 6 4");
    slot(13, "D", "A", 2);
    settle();
    EXPECT_EQ(held("A"), "K 6 4");
    EXPECT_EQ(held("D"), "BJ BJ 9");
    EXPECT_FALSE(noted(w, "花月容进落贡两大户"));
    EXPECT_TRUE(w.ib_go);
    EXPECT_TRUE(started());
    EXPECT_TRUE(table_empty(w));
}

// Two deals in a row, each ending with different places: every settlement
// pays the debts of the deal just played, and only those.
TEST(TributeDeals, EachSettlementPaysTheDealJustPlayed) {
    Settings settings;
    settings.gc_show = 0;
    ScriptedPlatform platform;
    w_main w{settings, platform, 77};

    auto end_deal = [&w](const std::string& places) {
        for (std::size_t i = 0; i < places.size(); ++i)
            w.wf_showresult(std::string(1, places[i]), static_cast<int>(i) + 1);
        w.wf_showg();
        w.newgame();
    };
    auto human_returns = [&w] {
        const int owed = w.ii_la[static_cast<std::size_t>(w.ii_cur)];
        for (int r = w.dw_a.row_count(); r >= 1 && w.dw_out.row_count() < owed; --r)
            if (w.dw_a.at(r).code() != "3") w.dw_main_clicked(w.dw_a.at(r).id());
        w.cb_gog_clicked();
    };
    auto since = [&w](std::size_t from, const std::string& text) {
        return std::any_of(w.note_log.begin() + static_cast<long>(from), w.note_log.end(),
                           [&text](const std::string& l) { return l.find(text) != std::string::npos; });
    };

    // The first deal: nothing owed, play starts at once.
    w.cb_send_clicked();
    EXPECT_TRUE(w.ib_go);
    EXPECT_TRUE(noted(w, "开始游戏＞＞＞"));
    EXPECT_TRUE(every_card_once(w));

    end_deal("CABDFE");  // E last pays C two, F pays A one
    EXPECT_TRUE(noted(w, "雷虎向石坚进落贡2张"));
    EXPECT_TRUE(noted(w, "月琴向钟离云进落贡1张"));
    std::size_t mark = w.note_log.size();
    w.cb_send_clicked();
    EXPECT_TRUE(since(mark, "雷虎进落贡"));
    EXPECT_TRUE(since(mark, "石坚还落贡"));
    EXPECT_TRUE(since(mark, "月琴进落贡"));
    ASSERT_FALSE(w.ib_go);  // the human owes one card
    EXPECT_TRUE(every_card_once(w));
    human_returns();
    EXPECT_TRUE(w.ib_go);
    EXPECT_TRUE(since(mark, "钟离云还落贡"));
    EXPECT_TRUE(table_empty(w));
    EXPECT_TRUE(every_card_once(w));

    end_deal("BDCEAF");  // now F pays B, A pays D
    EXPECT_EQ(w.is_la[13], "F");
    EXPECT_EQ(w.is_ke[13], "B");
    EXPECT_EQ(w.is_la[14], "A");
    EXPECT_EQ(w.is_ke[14], "D");
    mark = w.note_log.size();
    w.cb_send_clicked();
    EXPECT_TRUE(since(mark, "月琴进落贡"));
    EXPECT_TRUE(since(mark, "柳烟还落贡"));
    EXPECT_TRUE(since(mark, "钟离云进落贡"));
    EXPECT_TRUE(since(mark, "花月容还落贡"));
    EXPECT_FALSE(since(mark, "雷虎进落贡"));  // the first deal's debts are settled
    EXPECT_TRUE(w.ib_go);
    EXPECT_TRUE(table_empty(w));
    EXPECT_TRUE(every_card_once(w));
}

}  // namespace
}  // namespace tav
