#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "table/w_main.h"
#include "tests/engine/support.h"

namespace tav {
namespace {

struct Turns : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;
    w_main w{settings, platform, 1};
    test::CardPicker picker;

    Turns() { settings.gc_show = 0; }

    void give(std::string_view seat, const std::string& cards) {
        picker.fill(*w.hand(seat), cards);
        w.hand(seat)->sort("sort");
        if (seat != "A") return;
        // The human's cards lie face up in its row, ready to be picked.
        for (const CardRow& r : w.dw_a.rows())
            w.dw_main.modify(r.id() + ".tag=\"my\" " + r.id() + ".y=\"1696\" " + r.id() + ".visible=\"1\"");
    }
    void out(std::string_view seat, int place) {
        *w.finish_mark(seat) = std::to_string(place);
        ++w.ii_order;
    }
    // Note lines written since line `from`.
    std::vector<std::string> notes_from(std::size_t from) const {
        return {w.note_log.begin() + static_cast<long>(std::min(from, w.note_log.size())), w.note_log.end()};
    }
    static bool has(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    // The first row of the human's hand with that code.
    std::string card_of(std::string_view code) const {
        for (const CardRow& r : w.dw_a.rows())
            if (r.code() == code) return r.id();
        return "";
    }
};

TEST_F(Turns, SeatSteppingSkipsSeatsThatAreOut) {
    out("C", 1);
    out("D", 2);
    EXPECT_EQ(w.wf_getnextcurrent("B"), "E");
    EXPECT_EQ(w.wf_getcurrent("C"), "E");
    EXPECT_EQ(w.wf_getcurrent("B"), "B");
    EXPECT_EQ(w.wf_getnextcurrent("F"), "A");
    out("A", 3);
    EXPECT_EQ(w.wf_getnextcurrent("F"), "B");
    out("B", 4);
    out("E", 5);
    EXPECT_EQ(w.wf_getnextcurrent("F"), "F");  // the last seat in play follows itself
    out("F", 6);
    EXPECT_EQ(w.wf_getcurrent("A"), "");
    EXPECT_EQ(w.wf_getnextcurrent("F"), "");
    for (const char* bad : {"", "G", "AB"}) {
        EXPECT_EQ(w.wf_getcurrent(bad), "") << bad;
        EXPECT_EQ(w.wf_getnextcurrent(bad), "") << bad;
    }
}

TEST_F(Turns, ClearingRunsRoundTheTableAndPausesOnlyForCardsShown) {
    picker.fill(w.dw_6, "9 9");
    picker.fill(w.dw_2, "K");
    settings.gc_show = 0.25;
    w.wf_putallok("E", "B");  // clears F, A and B
    EXPECT_TRUE(w.dw_6.empty());
    EXPECT_TRUE(w.dw_2.empty());
    EXPECT_EQ(test::codes(w.dw_ok), "9 9 K");
    EXPECT_EQ(platform.waits, 2);  // seat A had nothing on the table
    EXPECT_DOUBLE_EQ(platform.waited, 0.5);
    EXPECT_EQ(w.dw_main.find(w.dw_ok.at(1).id())->visible, false);

    picker.fill(w.dw_3, "Q");
    w.wf_putallok("C", "C");  // the same seat clears nothing
    w.wf_putallok("D", "B");  // nor does a range that does not reach C
    EXPECT_EQ(w.dw_3.row_count(), 1);
    w.wf_putallok("A", "C");
    EXPECT_TRUE(w.dw_3.empty());
    EXPECT_EQ(w.wf_putok("G"), -1);
}

TEST_F(Turns, TrickReturnsToItsPlayerWhenEveryoneElsePasses) {
    give("A", "7 7 7");
    give("B", "4 4 5 6");
    for (const char* s : {"C", "D", "E", "F"}) give(s, "3");
    w.wf_over("B");
    // B led its weakest rank; nobody could answer; it is the human's turn.
    EXPECT_EQ(test::codes(w.dw_2), "4 4");
    EXPECT_EQ(w.is_prior, "B");
    EXPECT_EQ(w.is_current, "A");
    EXPECT_EQ(w.ii_next, 4);
    EXPECT_TRUE(w.cb_pass.enabled);
    EXPECT_FALSE(w.cb_over.enabled);
    EXPECT_EQ(w.note_log.back(), "钟离云请接牌或过牌");

    const std::size_t mark = w.note_log.size();
    w.cb_pass_clicked();
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[0], "扣牌");
    EXPECT_EQ(notes[1], "柳烟1个5");
    EXPECT_EQ(test::codes(w.dw_ok), "4 4");
    EXPECT_EQ(test::codes(w.dw_2), "5");
    EXPECT_EQ(w.is_current, "A");
    EXPECT_TRUE(w.cb_pass.enabled);
}

TEST_F(Turns, AfterTheStandingPlayerWentOutTheNextSeatInPlayLeads) {
    give("A", "7 7 7");
    give("B", "4 4");
    for (const char* s : {"C", "D", "E", "F"}) give(s, "3");
    w.wf_over("B");
    EXPECT_EQ(w.is_b, "1");
    EXPECT_TRUE(has(w.note_log, "柳    烟＞头科"));
    EXPECT_EQ(w.is_current, "A");
    const std::size_t mark = w.note_log.size();
    w.cb_pass_clicked();
    // C passes a second time, every seat in play has passed: C leads.
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[0], "扣牌");
    EXPECT_EQ(notes[1], "石    坚＞二科");  // the place is written before the play is announced
    EXPECT_EQ(notes[2], "石坚1个3");
    EXPECT_EQ(w.is_c, "2");
}

TEST_F(Turns, HumanLeadsAndThePlayLiesWeakestLeft) {
    give("A", "5 5 9");
    for (const char* s : {"B", "C", "D", "E", "F"}) give(s, "3");
    w.wf_over("A");
    EXPECT_EQ(w.note_log.back(), "钟离云请发牌");
    EXPECT_FALSE(w.cb_pass.enabled);
    EXPECT_FALSE(w.cb_over.enabled);
    EXPECT_FALSE(w.cb_out.enabled);

    w.cb_out_clicked();  // nothing picked: refused
    EXPECT_EQ(w.dw_a.row_count(), 3);

    w.dw_main_clicked(card_of("5"));  // a lead picks the whole rank
    ASSERT_TRUE(w.cb_out.enabled);
    const std::string first = w.dw_out.at(1).id(), second = w.dw_out.at(2).id();
    const std::size_t mark = w.note_log.size();
    w.cb_out_clicked();
    EXPECT_EQ(test::codes(w.dw_a), "9");
    EXPECT_TRUE(w.dw_out.empty());
    EXPECT_FALSE(w.cb_out.enabled);
    for (const std::string& id : {first, second}) {
        const SurfaceObject* o = w.dw_main.find(id);
        EXPECT_EQ(o->y, 1045);
        EXPECT_EQ(o->tag, "");
        EXPECT_TRUE(o->x == 1168 || o->x == 1236) << o->x;
    }
    // Nobody answers; the trick comes back and the human leads again.
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[0], "钟离云2个5");
    EXPECT_EQ(notes[notes.size() - 2], "扣牌");
    EXPECT_EQ(notes.back(), "钟离云请发牌");
    EXPECT_EQ(test::codes(w.dw_ok), "5 5");
    EXPECT_EQ(w.is_prior, "");
    EXPECT_EQ(w.is_current, "A");
}

TEST_F(Turns, HumanChallengeGoesToTheOppositeSeatAlone) {
    give("A", "A A 9 9");
    for (const char* s : {"B", "C", "D", "E", "F"}) give(s, "3");
    w.wf_over("A");
    w.dw_main_clicked(card_of("A"));
    const std::size_t mark = w.note_log.size();
    w.cb_out_clicked();
    const auto notes = notes_from(mark);
    // D declines; the challenger opens points and leads again. B and C never act.
    ASSERT_GE(notes.size(), 4u);
    EXPECT_EQ(notes[0], "钟离云2个A，瑟柯牌");
    EXPECT_EQ(notes[1], "钟离云开点");
    EXPECT_EQ(notes[2], "扣牌");
    EXPECT_EQ(notes[3], "钟离云请发牌");
    EXPECT_EQ(w.is_ak, "1");
    EXPECT_EQ(w.ii_tavtype, 1);
}

TEST_F(Turns, HumanFacingAChallengeMayHoldBack) {
    give("A", "5 5 9");
    give("D", "2 K K K K");
    for (const char* s : {"B", "C", "E", "F"}) give(s, "3");
    w.wf_over("D");
    EXPECT_EQ(test::codes(w.dw_4), "K K K K");
    EXPECT_EQ(w.is_current, "A");
    EXPECT_EQ(w.is_state, "KV");
    EXPECT_TRUE(w.cb_over.enabled);
    EXPECT_FALSE(w.cb_pass.enabled);
    EXPECT_EQ(w.note_log.back(), "钟离云请接牌或扣牌");
    w.cb_pass_clicked();  // not offered: refused
    EXPECT_EQ(w.is_current, "A");

    const std::size_t mark = w.note_log.size();
    w.cb_over_clicked();
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 4u);
    EXPECT_EQ(notes[0], "花月容开点");
    EXPECT_EQ(notes[1], "扣牌");
    EXPECT_EQ(notes[2], "花月容＞头科");
    EXPECT_EQ(notes[3], "花月容1钱，瑟柯牌");
    // D's single 2 went out with its last card and is aimed at the human again.
    EXPECT_EQ(w.is_d, "1");
    EXPECT_EQ(w.is_current, "A");
    EXPECT_TRUE(w.cb_over.enabled);
    // A second hold-back against the same seat opens no points again.
    const std::size_t again = w.note_log.size();
    w.cb_over_clicked();
    EXPECT_FALSE(has(notes_from(again), "花月容开点"));
}

TEST_F(Turns, AChallengeReachingTheHumanFromAnotherSeatStillOffersHoldBack) {
    // A challenge aimed at one seat alone reaching the human from a seat other
    // than D would leave no button at all; the hold-back is offered.
    give("A", "5 5");
    give("B", "9");
    picker.fill(w.dw_2, "A A");
    w.is_prior = "B";
    w.is_current = "A";
    w.is_state = "KV";
    w.ii_tavtype = 1;
    w.wf_setautoout();
    EXPECT_TRUE(w.cb_over.enabled);
    EXPECT_FALSE(w.cb_pass.enabled);
    w.cb_over_clicked();
    EXPECT_EQ(w.is_bk, "1");
    EXPECT_EQ(test::codes(w.dw_2), "9");  // B took the trick and led again
}

TEST_F(Turns, HumanPassWithNobodyElseInPlayHandsTheLeadBack) {
    give("A", "5");
    for (const char* s : {"C", "D", "E", "F"}) out(s, w.ii_order + 1);
    out("B", 5);
    picker.fill(w.dw_2, "K");
    w.is_prior = "B";
    w.is_current = "A";
    w.enable(w.cb_pass, true);
    w.cb_pass_clicked();
    EXPECT_EQ(w.is_current, "A");
    EXPECT_EQ(w.is_prior, "");
    EXPECT_EQ(w.note_log.back(), "钟离云请发牌");
}

TEST_F(Turns, FirstLeaderFallsBackToTheBestFoursFromA) {
    // Two red fours give B and D one point each: nobody reached two.
    auto four = [this](std::string_view seat, std::string_view name) {
        for (int n = 1; n <= kCardCount; ++n)
            if (card_info(n).name == name && !w.dw_b.contains(n) && !w.dw_d.contains(n)) {
                w.hand(seat)->append(n);
                return;
            }
    };
    four("B", "红桃4");
    four("B", "红桃4");
    four("D", "黑桃4");
    four("D", "黑桃4");
    for (const char* s : {"A", "C", "E", "F"}) give(s, "9");
    w.wf_firstgo("");
    EXPECT_EQ(w.is_firstgo, "B");
    EXPECT_TRUE(has(w.note_log, "柳烟先发牌"));
    EXPECT_TRUE(has(w.note_log, "柳烟2个4"));
}

TEST_F(Turns, FirstGoAnnouncesTheLeader) {
    give("A", "5 5");
    for (const char* s : {"B", "C", "D", "E", "F"}) give(s, "3");
    w.wf_firstgo("A");
    ASSERT_GE(w.note_log.size(), 2u);
    EXPECT_EQ(w.note_log[w.note_log.size() - 2], "钟离云先发牌");
    EXPECT_EQ(w.note_log.back(), "钟离云请发牌");
}

// ---- whole deals through the model's own verbs ----

struct WholeDeals : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;

    WholeDeals() { settings.gc_show = 0; }
};

// Every card is in exactly one hand, play pile or the cleared pile, and the
// human's picks are cards of its hand.
::testing::AssertionResult cards_accounted(w_main& w) {
    std::array<int, kCardCount + 1> seen{};
    const CardList* piles[] = {&w.dw_a, &w.dw_b, &w.dw_c, &w.dw_d, &w.dw_e, &w.dw_f, &w.dw_1,
                               &w.dw_2, &w.dw_3, &w.dw_4, &w.dw_5, &w.dw_6, &w.dw_ok};
    for (const CardList* p : piles)
        for (const CardRow& r : p->rows()) ++seen[static_cast<std::size_t>(r.num)];
    for (int n = 1; n <= kCardCount; ++n)
        if (seen[static_cast<std::size_t>(n)] != 1)
            return ::testing::AssertionFailure() << card_id(n) << " is in " << seen[static_cast<std::size_t>(n)]
                                                 << " piles";
    for (const CardRow& r : w.dw_out.rows())
        if (!w.dw_a.contains(r.num)) return ::testing::AssertionFailure() << r.id() << " picked but not held";
    return ::testing::AssertionSuccess();
}

bool pickable(const w_main& w, const CardRow& r) {
    if (!w.settings.gb_b3 || r.code() != "3") return true;
    return std::all_of(w.dw_a.rows().begin(), w.dw_a.rows().end(), [](const CardRow& c) { return c.code() == "3"; });
}

// The human's turn as a plain player takes it: lead the weakest rank; follow
// with the first rank that the play button accepts (now and then not at all);
// otherwise pass or hold back.
void human_turn(w_main& w, std::mt19937& rng) {
    if (w.is_prior.empty()) {
        for (int r = w.dw_a.row_count(); r >= 1; --r)
            if (pickable(w, w.dw_a.at(r))) {
                w.dw_main_clicked(w.dw_a.at(r).id());
                break;
            }
        ASSERT_TRUE(w.cb_out.enabled) << "a whole rank is always a legal lead";
        w.cb_out_clicked();
        return;
    }
    if (rng() % 4 != 0) {
        std::string_view tried;
        for (int r = w.dw_a.row_count(); r >= 1; --r) {
            const CardRow card = w.dw_a.at(r);
            if (card.code() == tried || !pickable(w, card)) continue;
            tried = card.code();
            w.dw_main_clicked(card.id());
            if (w.cb_out.enabled) {
                w.cb_out_clicked();
                return;
            }
            w.dw_main_rbuttondown(card.id());
            ASSERT_TRUE(w.dw_out.empty());
        }
    }
    if (w.cb_over.enabled)
        w.cb_over_clicked();
    else
        w.cb_pass_clicked();
}

// Picks the cards the human owes back in a tribute and returns them.
void human_return(w_main& w) {
    const int owed = w.ii_la[static_cast<std::size_t>(w.ii_cur)];
    for (int r = w.dw_a.row_count(); r >= 1 && w.dw_out.row_count() < owed; --r)
        if (pickable(w, w.dw_a.at(r))) w.dw_main_clicked(w.dw_a.at(r).id());
    w.cb_gog_clicked();
}

struct DealResult {
    int actions = 0;
    int game_over_lines = 0;
    std::array<int, 7> score_change{};
};

// Deals and plays one deal; `computer_human` lets the computer take seat A's turns.
DealResult play_deal(w_main& w, std::mt19937& rng, bool computer_human) {
    DealResult result;
    const auto before = w.ii_grade;
    const std::size_t first_note = w.note_log.size();
    w.cb_send_clicked();
    for (int guard = 0; !w.ib_go && guard < 20; ++guard) human_return(w);
    if (w.deal_running() && w.is_current.empty()) w.wf_firstgo(w.is_firstgo);
    while (w.deal_running()) {
        EXPECT_TRUE(cards_accounted(w));
        // Between chains it is always the human's turn, with something to do.
        EXPECT_EQ(w.is_current, "A");
        if (w.is_prior.empty())
            EXPECT_TRUE(std::any_of(w.dw_a.rows().begin(), w.dw_a.rows().end(),
                                    [&w](const CardRow& r) { return pickable(w, r); }));
        else
            EXPECT_TRUE(w.cb_pass.enabled || w.cb_over.enabled);
        if (::testing::Test::HasFailure() || ++result.actions > 2000) break;
        if (computer_human)
            w.autoplay_human();
        else
            human_turn(w, rng);
    }
    for (std::size_t i = first_note; i < w.note_log.size(); ++i)
        if (w.note_log[i] == "游戏结束") ++result.game_over_lines;
    for (std::size_t i = 1; i <= 6; ++i) result.score_change[i] = w.ii_grade[i] - before[i];
    // Nothing runs after the end: the last line is the new deal's prompt.
    EXPECT_EQ(w.note_log.back(), "＞＞＞请先洗牌");
    EXPECT_TRUE(w.cb_send.enabled);
    EXPECT_EQ(w.is_current, "");
    return result;
}

void check_deal(const w_main& w, const DealResult& r, std::size_t first_note) {
    EXPECT_EQ(r.game_over_lines, 1);
    int sum = 0;
    for (std::size_t i = 1; i <= 6; ++i) sum += r.score_change[i];
    EXPECT_EQ(sum, 0);
    // Places 1..6 were each given once, to six different seats.
    std::vector<std::string> placed;
    for (std::string_view label : {"头科", "二科", "三科", "四科", "二落", "大落"}) {
        int count = 0;
        for (std::size_t i = first_note; i < w.note_log.size(); ++i) {
            const std::string& line = w.note_log[i];
            const std::string tail = "＞" + std::string(label);
            if (line.size() > tail.size() && line.compare(line.size() - tail.size(), tail.size(), tail) == 0) {
                ++count;
                placed.push_back(line.substr(0, line.size() - tail.size()));
            }
        }
        EXPECT_EQ(count, 1) << label;
    }
    std::sort(placed.begin(), placed.end());
    EXPECT_EQ(std::unique(placed.begin(), placed.end()), placed.end());
}

TEST_F(WholeDeals, HumanPlaysThroughTheButtonsAndEveryDealEndsOnce) {
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        w_main w(settings, platform, seed);
        std::mt19937 rng(static_cast<unsigned>(seed));
        for (int deal = 0; deal < 3; ++deal) {
            const std::size_t first_note = w.note_log.size();
            const DealResult r = play_deal(w, rng, false);
            check_deal(w, r, first_note);
            // The last place leads the next deal.
            EXPECT_FALSE(w.is_firstgo.empty());
            if (HasFailure()) return;
        }
    }
}

TEST_F(WholeDeals, ComputerTakingTheHumansSeatEndsEveryDealOnce) {
    settings.gb_b3 = false;
    settings.gb_m = true;
    for (std::uint64_t seed = 100; seed < 130; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        w_main w(settings, platform, seed);
        std::mt19937 rng(static_cast<unsigned>(seed));
        for (int deal = 0; deal < 2; ++deal) {
            const std::size_t first_note = w.note_log.size();
            const DealResult r = play_deal(w, rng, true);
            check_deal(w, r, first_note);
            if (HasFailure()) return;
        }
    }
}

}  // namespace
}  // namespace tav
