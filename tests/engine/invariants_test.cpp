#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "table/invariants.h"
#include "table/w_main.h"
#include "tests/engine/support.h"

namespace tav {
namespace {

// A table laid out by hand: card n in the hand of seat (n - 1) mod 6, so every
// hand holds 36 and nothing lies on the table. The checks then see one broken
// thing at a time.
struct Checks : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;
    w_main w{settings, platform, 1};

    Checks() {
        settings.gc_show = 0;
        for (int n = 1; n <= kCardCount; ++n) w.hand(seat_letter((n - 1) % 6 + 1))->append(n);
    }
    // Moves `count` cards of rank `code` to a seat's play, from its own hand
    // first and then from the others (the checks care where cards are, not
    // who was dealt them).
    void play(std::string_view seat, std::string_view code, int count) {
        for (int s = seat_index(seat), tried = 0; tried < 6 && count > 0; s = s % 6 + 1, ++tried) {
            CardList& h = *w.hand(seat_letter(s));
            for (int r = h.row_count(); r >= 1 && count > 0; --r)
                if (h.at(r).code() == code) {
                    w.play_pile(seat)->append(h.at(r).num);
                    h.delete_row(r);
                    --count;
                }
        }
        ASSERT_EQ(count, 0) << "no card " << code << " is left in a hand";
    }
    static bool says(const std::string& fault, const std::string& part) {
        return fault.find(part) != std::string::npos;
    }
};

TEST_F(Checks, AWholeTableIsClean) {
    EXPECT_EQ(check_cards(w), "");
    EXPECT_EQ(check_plays(w), "");
    EXPECT_EQ(check_dealt(w), "");
}

TEST_F(Checks, NoAutomaticReturnWhenNoneIsOwed) {
    EXPECT_FALSE(w.autoreturn_human());
    EXPECT_EQ(check_cards(w), "");
}

TEST_F(Checks, CardsLostOrDuplicatedAreFound) {
    const int card = w.dw_b.at(3).num;
    w.dw_c.append(card);  // a copy in a second hand
    const std::string twice = check_cards(w);
    EXPECT_TRUE(says(twice, card_id(card) + " is in dw_b and in dw_c")) << twice;

    w.dw_c.delete_row(w.dw_c.row_count());
    w.dw_b.delete_row(3);  // and now gone altogether
    const std::string lost = check_cards(w);
    EXPECT_TRUE(says(lost, card_id(card) + " is in no pile")) << lost;

    w.dw_b.append(card);
    EXPECT_EQ(check_cards(w), "");
    // A card both in a hand and in the cleared pile, or in two plays.
    w.dw_ok.append(w.dw_d.at(1).num);
    EXPECT_TRUE(says(check_cards(w), "in dw_d and in dw_ok"));
}

TEST_F(Checks, RowsSetAsideByAFilterStillCount) {
    ASSERT_EQ(w.dw_e.set_filter("sort <= 3"), 1);
    ASSERT_LT(w.dw_e.row_count(), 36);
    EXPECT_EQ(check_cards(w), "");
    EXPECT_EQ(check_dealt(w), "");
    // A copy hidden among the rows set aside is still a copy.
    w.dw_f.append(w.dw_e.filtered_rows().front().num);
    EXPECT_TRUE(says(check_cards(w), "in dw_e and in dw_f"));
}

TEST_F(Checks, AnEmptyRowIsNoCard) {
    w.dw_a.insert_row(1);
    EXPECT_TRUE(says(check_cards(w), "dw_a holds a row without a card"));
}

TEST_F(Checks, PickedCardsAreCopiesOfTheHumansHandEachOnce) {
    w.dw_out.append(w.dw_a.at(1).num);
    w.dw_out.append(w.dw_a.at(2).num);
    EXPECT_EQ(check_cards(w), "");
    w.dw_out.append(w.dw_a.at(1).num);
    EXPECT_TRUE(says(check_cards(w), "dw_out holds " + w.dw_a.at(1).id() + " twice"));
    w.dw_out.reset();
    w.dw_out.append(w.dw_b.at(1).num);
    EXPECT_TRUE(says(check_cards(w), "which is not in dw_a"));
}

TEST_F(Checks, APlayHoldsOneNaturalRankPlusWildCards) {
    play("C", "K", 2);
    play("C", "2", 1);
    play("C", "Joker1", 1);
    EXPECT_EQ(check_plays(w), "");
    play("D", "Joker2", 1);
    play("D", "2", 2);  // wild cards alone are a play too
    EXPECT_EQ(check_plays(w), "");
    play("C", "9", 1);
    EXPECT_TRUE(says(check_plays(w), "seat C's play mixes K and 9")) << check_plays(w);
    EXPECT_EQ(check_cards(w), "");  // no card was lost in the making
}

TEST_F(Checks, TheDealGivesThirtySixEachAndLeavesTheTableEmpty) {
    w.dw_b.rows_copy(1, 1, w.dw_sendout, 1);
    w.dw_b.delete_row(1);
    EXPECT_TRUE(says(check_dealt(w), "dw_sendout still holds 1 cards"));
    w.dw_sendout.copy_all_to(w.dw_c);
    w.dw_sendout.reset();
    EXPECT_TRUE(says(check_dealt(w), "seat B was dealt 35 cards, not 36"));
    EXPECT_EQ(check_cards(w), "");
}

TEST_F(Checks, EveryPlaceIsGivenOnce) {
    const std::vector<std::string> places{"3", "1", "6", "2", "5", "4"};
    for (int s = 1; s <= 6; ++s) *w.finish_mark(seat_letter(s)) = places[static_cast<std::size_t>(s - 1)];
    EXPECT_EQ(check_places(w), "");
    w.is_e = "1";
    EXPECT_TRUE(says(check_places(w), "place 1 was given to seat B and to seat E"));
    w.is_e = "";
    EXPECT_TRUE(says(check_places(w), "seat E has no place"));
}

TEST_F(Checks, AFollowMatchesTheStandingPlay) {
    InvariantChecker c(w);
    ASSERT_EQ(c.after("deal", ""), "");
    play("B", "Q", 2);
    w.is_prior = "B";
    ASSERT_EQ(c.after("lead", "B"), "");
    ASSERT_EQ(c.after("pass", "C"), "");
    play("D", "K", 2);
    w.is_prior = "D";
    EXPECT_EQ(c.after("follow", "D"), "");
    play("E", "A", 3);
    w.is_prior = "E";
    EXPECT_TRUE(says(c.after("follow", "E"), "seat E followed 2 cards with 3"));
}

TEST_F(Checks, APlayMustLeaveCardsAndBecomeTheStandingPlay) {
    InvariantChecker c(w);
    ASSERT_EQ(c.after("deal", ""), "");
    EXPECT_TRUE(says(c.after("lead", "B"), "seat B played no card"));
    play("C", "5", 1);
    EXPECT_TRUE(says(c.after("lead", "C"), "is_prior is \"\""));
    w.is_prior = "C";
    EXPECT_EQ(c.after("lead", "C"), "");
    EXPECT_TRUE(says(c.after("follow", "D"), "seat D played no card"));
    EXPECT_TRUE(says(c.after("follow", "C"), "no standing play of another seat"));
    EXPECT_TRUE(says(c.after("jump", "D"), "unknown action jump"));
}

TEST_F(Checks, ASeatThatIsOutIsNeverAskedToAct) {
    InvariantChecker c(w);
    ASSERT_EQ(c.after("deal", ""), "");
    w.dw_c.copy_all_to(w.dw_ok);  // seat C has played out its hand
    w.dw_c.reset();
    w.is_c = "1";
    ASSERT_EQ(c.after("pass", "D"), "");
    EXPECT_TRUE(says(c.after("pass", "C"), "seat C is out but was asked to act (pass)"));
    EXPECT_TRUE(says(c.after("pass", ""), "pass by no seat"));
}

TEST_F(Checks, TributesAndPurchasesKeepTheTotal) {
    InvariantChecker c(w);
    ASSERT_EQ(c.after("deal", ""), "");
    // A tribute of two: the hands change size, the total stays.
    for (int i = 0; i < 2; ++i) {
        w.dw_d.append(w.dw_a.at(1).num);
        w.dw_a.delete_row(1);
    }
    EXPECT_EQ(c.after("tribute", "A"), "");
    // A purchase is one card for one.
    w.dw_b.append(w.dw_c.at(1).num);
    w.dw_c.delete_row(1);
    w.dw_c.append(w.dw_b.at(1).num);
    w.dw_b.delete_row(1);
    EXPECT_EQ(c.after("buy3", "B"), "");
    w.dw_b.append(w.dw_c.at(1).num);
    w.dw_c.delete_row(1);
    EXPECT_TRUE(says(c.after("buy3", "B"), "changed the size of seat B's hand"));
    // A card laid on the table during the tribute leaves the hands short.
    w.dw_5.append(w.dw_e.at(1).num);
    w.dw_e.delete_row(1);
    EXPECT_TRUE(says(c.after("return", "E"), "seat E has a play on the table"));
}

TEST_F(Checks, TheDealEndsWithAllPlacesAndABalancedScore) {
    InvariantChecker c(w);
    ASSERT_EQ(c.after("deal", ""), "");
    const std::array<int, 7> change{0, 2, 1, 0, 0, -1, -2};
    for (int s = 1; s <= 6; ++s) {
        *w.finish_mark(seat_letter(s)) = std::to_string(s);
        w.ii_grade[static_cast<std::size_t>(s)] += change[static_cast<std::size_t>(s)];
    }
    EXPECT_EQ(c.after("deal end", ""), "");
    EXPECT_FALSE(c.in_deal());
    EXPECT_TRUE(says(c.after("lead", "A"), "outside a deal"));

    ASSERT_EQ(c.after("deal", ""), "");
    w.ii_grade[3] += 2;  // a place counted without its loss elsewhere
    EXPECT_TRUE(says(c.after("deal end", ""), "sum to 2"));
}

TEST_F(Checks, ADealThatRunsOnIsStopped) {
    InvariantChecker c(w);
    ASSERT_EQ(c.after("deal", ""), "");
    std::string fault;
    for (int i = 0; i < InvariantChecker::kMaxActions && fault.empty(); ++i) fault = c.after("pass", "B");
    EXPECT_TRUE(says(fault, "still running after")) << fault;
}

// The simulator's stand-in for the human's return: the automatic return a
// computer seat makes, and then the settlement goes on as after the button.
TEST(HumanAutoReturn, TheHumanReturnsLikeAComputerSeat) {
    Settings settings;
    settings.gc_show = 0;
    settings.gb_b3 = false;
    ScriptedPlatform platform;
    w_main w(settings, platform, 1);
    test::CardPicker picker;
    picker.fill(w.dw_d, "BJ BJ 9");
    picker.fill(w.dw_a, "K 6 4 4");
    for (int n = 1; n <= kCardCount; ++n)
        if (!w.dw_a.contains(n) && !w.dw_d.contains(n)) w.dw_ok.append(n);
    w.is_firstgo = "A";
    w.is_la[13] = "D";
    w.is_ke[13] = "A";
    w.ii_la[13] = 2;
    std::vector<std::string> told;
    w.on_action = [&](const char* action, std::string_view seat) {
        told.push_back(std::string(action) + " " + std::string(seat));
    };
    w.ii_cur = 1;
    w.wf_gog(1);
    ASSERT_FALSE(w.ib_go);
    ASSERT_TRUE(w.autoreturn_human());
    EXPECT_EQ(told, (std::vector<std::string>{"tribute D", "return A"}));
    w.dw_a.sort("sort");
    w.dw_d.sort("sort");
    EXPECT_EQ(test::codes(w.dw_a), "BJ BJ K 4");  // the lone 6 first, then the weakest
    EXPECT_EQ(test::codes(w.dw_d), "9 6 4");
    EXPECT_EQ(w.note_log[w.note_log.size() - 4], "钟离云还落贡一个6，一个4");
    EXPECT_TRUE(w.ib_go);
    EXPECT_FALSE(w.cb_gog.visible);
    EXPECT_EQ(w.note_log.back(), "钟离云请发牌");  // play has begun, the human leads
    EXPECT_EQ(check_cards(w), "");
    EXPECT_FALSE(w.autoreturn_human());
}

// The note area is rebuilt on every play without copying and re-splitting its
// lines; it must keep exactly what splitting and joining the lines kept.
std::string plain_note(const std::string& before, std::string_view line, int type) {
    const bool append = type == 1 && !before.empty() && before != "!" && before != "?";
    std::string text = append ? before + "\n" + std::string(line) : std::string(line);
    std::string counted = text;
    if (counted.empty() || counted.back() != '\n') counted += '\n';
    std::vector<std::string> lines;
    for (std::size_t from = 0, cut; from < counted.size(); from = cut + 1) {
        cut = counted.find('\n', from);
        lines.push_back(counted.substr(from, cut - from));
    }
    if (lines.size() <= 16) return text;
    std::string kept;
    const std::size_t first = lines.size() - 16;
    for (std::size_t i = first; i < lines.size(); ++i) kept += (i == first ? "" : "\n") + lines[i];
    return kept;
}

TEST(NoteArea, KeepsWhatTheLineByLineRebuildKept) {
    Settings settings;
    ScriptedPlatform platform;
    w_main w(settings, platform, 1);
    std::mt19937 rng(5);
    const std::vector<std::string> pieces{"柳烟2个K", "", "\n", "a'b", "~", "x\n\ny", "\n\n", "钟离云请发牌",
                                          "!", "?"};
    for (int i = 0; i < 3000; ++i) {
        std::string line;
        for (int k = static_cast<int>(rng() % 3); k >= 0; --k) line += pieces[rng() % pieces.size()];
        const int type = rng() % 5 == 0 ? 0 : 1;
        if (rng() % 50 == 0) w.dw_main.modify(rng() % 2 ? "t_note.text='!'" : "t_note.text=''");
        const std::string expected = plain_note(w.note_text(), line, type);
        w.wf_shownote(line, type);
        if (type == 1 && line.empty()) continue;  // nothing is written
        ASSERT_EQ(w.note_text(), expected) << "after line " << i;
    }
}

// Whole games: every seat played by the computer, seat A included, with every
// check after every action. Each rule set gets its own game of many deals so
// tributes and purchases carry from deal to deal.
struct RuleSet {
    const char* name;
    bool b3, m, d;
    int winstyle;
};

struct Games : ::testing::TestWithParam<RuleSet> {};

TEST_P(Games, EveryActionOfManyDealsKeepsTheInvariants) {
    const RuleSet& rules = GetParam();
    Settings settings;
    settings.gc_show = 0;
    settings.gb_b3 = rules.b3;
    settings.gb_m = rules.m;
    settings.gb_d = rules.d;
    settings.gi_winstyle = rules.winstyle;
    ScriptedPlatform platform;
    w_main w(settings, platform, 11);
    InvariantChecker checker(w);
    std::string fault;
    std::map<std::string, int> seen;  // actions by kind; "return A" for the human's
    int deal = 0;
    w.on_action = [&](const char* action, std::string_view seat) {
        ++seen[std::string(action) + (std::string(action) == "return" && seat == "A" ? " A" : "")];
        if (!fault.empty()) return;
        const std::string broken = checker.after(action, seat);
        if (!broken.empty())
            fault = "deal " + std::to_string(deal) + ", " + action + " by " + std::string(seat) + ": " + broken;
    };
    constexpr int kDeals = 75;
    for (deal = 1; deal <= kDeals && fault.empty(); ++deal) {
        w.cb_send_clicked();
        for (int guard = 0; guard < InvariantChecker::kMaxActions; ++guard) {
            if (!w.ib_go) {
                const int slot = w.ii_cur;
                ASSERT_TRUE(w.autoreturn_human());
                ASSERT_TRUE(w.ib_go || w.ii_cur > slot);  // the settlement went on
                continue;
            }
            if (!w.deal_running()) break;
            ASSERT_TRUE(w.autoplay_human()) << "deal " << deal << " is stuck at seat " << w.is_current;
        }
        ASSERT_FALSE(w.deal_running()) << "deal " << deal;
    }
    EXPECT_EQ(fault, "");
    EXPECT_EQ(seen["deal"], kDeals);
    EXPECT_EQ(seen["deal end"], kDeals);
    EXPECT_GT(seen["follow"], seen["deal"] * 5);
    if (rules.winstyle == 1) {
        EXPECT_GT(seen["tribute"], kDeals);  // two place tributes a deal at least, from the second on
        EXPECT_GT(seen["return A"], 0);
    } else {
        EXPECT_EQ(seen["tribute"], 0);
    }
    if (settings.gb_b3) EXPECT_GT(seen["buy3"], 0);
    else EXPECT_EQ(seen["buy3"], 0);
}

// The human's own buttons report their actions too: seat A leads its weakest
// rank through the table and the play button, answers a standing play with the
// weakest rank the play button accepts or else passes or holds back, and
// returns tribute by picking its weakest cards.
TEST(HumanButtons, EveryButtonActionKeepsTheInvariants) {
    Settings settings;
    settings.gc_show = 0;
    settings.gb_m = settings.gb_d = true;
    ScriptedPlatform platform;
    w_main w(settings, platform, 3);
    InvariantChecker checker(w);
    std::string fault;
    std::map<std::string, int> seen;
    w.on_action = [&](const char* action, std::string_view seat) {
        if (seat == "A") ++seen[action];
        const std::string broken = checker.after(action, seat);
        if (fault.empty() && !broken.empty()) fault = std::string(action) + " by " + std::string(seat) + ": " + broken;
    };
    // The weakest card of the human's hand that may be picked (a three only when nothing else is left).
    auto weakest = [&](int skip) -> std::string {
        for (int r = w.dw_a.row_count(); r >= 1; --r) {
            const CardRow& c = w.dw_a.at(r);
            if (c.code() == "3" && w.dw_a.count_sort(15) < w.dw_a.row_count()) continue;
            if (w.dw_main.find(c.id())->tag != "my") continue;  // a tribute just taken lies apart
            if (skip-- == 0) return c.id();
        }
        return "";
    };
    // Picks each rank in turn, weakest first (a click picks as many as the
    // standing play holds), and plays the first the play button takes.
    auto follow = [&] {
        std::set<std::string> tried;
        for (int r = w.dw_a.row_count(); r >= 1; --r) {
            const CardRow card = w.dw_a.at(r);
            if (!tried.insert(std::string(card.code())).second) continue;
            w.dw_main_clicked(card.id());
            if (w.cb_out.enabled) {
                w.cb_out_clicked();
                return true;
            }
            w.dw_main_rbuttondown(card.id());  // drops the picked cards of that rank
        }
        return false;
    };
    for (int deal = 1; deal <= 30 && fault.empty(); ++deal) {
        w.cb_send_clicked();
        for (int guard = 0; guard < InvariantChecker::kMaxActions; ++guard) {
            if (!w.ib_go) {
                const int n = w.ii_la[static_cast<std::size_t>(w.ii_cur)];
                for (int i = 0; i < n; ++i) w.dw_main_clicked(weakest(i));
                w.cb_gog_clicked();
                ASSERT_TRUE(w.ib_go) << "the return of " << n << " cards was refused";
                continue;
            }
            if (!w.deal_running()) break;
            ASSERT_EQ(w.is_current, "A");
            if (w.is_prior.empty()) {
                w.dw_main_clicked(weakest(0));  // the whole rank is picked at once
                ASSERT_TRUE(w.cb_out.enabled);
                w.cb_out_clicked();
            } else if (follow()) {
                continue;
            } else if (w.cb_pass.enabled) {
                w.cb_pass_clicked();
            } else {
                ASSERT_TRUE(w.cb_over.enabled);
                w.cb_over_clicked();
            }
        }
        ASSERT_FALSE(w.deal_running());
    }
    EXPECT_EQ(fault, "");
    EXPECT_GT(seen["lead"], 0);
    EXPECT_GT(seen["follow"], 0);
    EXPECT_GT(seen["pass"], 0);
    EXPECT_GT(seen["return"], 0);
}

INSTANTIATE_TEST_SUITE_P(Rules, Games,
                         ::testing::Values(RuleSet{"Threes", true, false, false, 1},
                                           RuleSet{"AllTributes", true, true, true, 1},
                                           RuleSet{"NoThrees", false, true, true, 1},
                                           RuleSet{"ScoresOnly", true, false, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tav
