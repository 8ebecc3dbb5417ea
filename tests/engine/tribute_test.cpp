// The tribute between deals: what a payer gives, the computer's return, the
// listing of the debts, and the settlements of deals in a row.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/invariants.h"
#include "model/notes.h"
#include "rules/engine.h"
#include "tests/engine/game_support.h"
#include "tests/engine/tribute_support.h"

namespace tav {
namespace {

using game::Ask;
using game::DebtKind;
using game::Move;
using game::Seat;
using test::Kind;
using test::Settlement;

// ---- taking the tribute ----

// One debt settled: what the payer gives, what is announced, and whether
// the human is then asked for a return (of as many cards as were paid) or
// play begins with the ledger emptied.
TEST(Tribute, WhatThePayerGivesAndWhatFollows) {
    struct Row {
        const char* what;
        const char* traded;  // a card the payer came by in an earlier tribute
        int slot;
        Seat payer;
        const char* pays_from;
        Seat receiver;
        const char* holds;
        int count;
        bool tributes;
        const char* noted;      // lines written, split at '|'
        const char* not_noted;  // a line not written
        const char* shown;      // by the payer; nullptr: not looked at
        const char* moved_in;   // to the receiver, marked; nullptr: not looked at
        const char* payer_holds;
        const char* receiver_holds;
        int owed_back;  // the human's return waited for; 0: play begins
    };
    const Row rows[] = {
        {"the strongest wild cards not received in a tribute", "BJ", 13, Seat::D, "SJ 2 2 K 5", Seat::B, "A 9 8 8 4", 2,
         true, "花月容进落贡一小户，一钱", "", "SJ#1 2#2", "SJ 2", "BJ 2 K 9 5 4", nullptr, 0},
        {"a payer short of wild cards gives what it has", "", 13, Seat::D, "2 K K 5", Seat::A, "K 6 4", 2, true,
         "花月容进落贡一钱", "", nullptr, "2", nullptr, nullptr, 1},
        {"a payer without wild cards gives nothing", "", 13, Seat::D, "K K 5", Seat::A, "K 6 4", 2, true,
         "花月容进落贡无牌", game::notes::kHumanReturns, nullptr, "", "K K 5", "K 6 4", 0},
        {"a partner's empty tribute is not offered", "", 13, Seat::C, "K 5", Seat::A, "K 6 4", 2, true,
         "石坚进落贡无牌", "", nullptr, "", nullptr, nullptr, 0},
        {"a computer's empty return is not made", "", 14, Seat::E, "Q 7", Seat::B, "9 8", 1, true, "雷虎进落贡无牌",
         "柳烟还落贡无牌", nullptr, "", nullptr, nullptr, 0},
        {"a big joker and a two are both announced", "", 7, Seat::F, "BJ 2 9 9", Seat::C, "A 7 5", 2, true,
         "月琴进点贡一大户，一钱|石坚还点贡一个5，一个7", "", nullptr, nullptr, nullptr, nullptr, 0},
        {"scores only: nothing changes hands", "", 13, Seat::D, "BJ BJ 9", Seat::A, "K 6 4", 2, false, "",
         "花月容进落贡两大户", nullptr, "", "BJ BJ 9", "K 6 4", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Settlement g;
        g.t.s.rules.tributes = r.tributes;
        if (*r.traded) g.give_traded(r.payer, r.traded);
        g.debt(r.slot, r.payer, r.pays_from, r.receiver, r.holds, r.count);
        g.settle();
        std::istringstream lines(r.noted);
        for (std::string line; std::getline(lines, line, '|');) EXPECT_TRUE(g.t.noted(line)) << line;
        EXPECT_FALSE(*r.not_noted && g.t.noted(r.not_noted)) << r.not_noted;
        // Each expectation given is checked; nullptr leaves it out.
        const std::pair<const char*, std::string> seen[] = {
            {r.shown, g.shown_by(r.payer)},
            {r.moved_in, g.moved_in(r.receiver)},
            {r.payer_holds, g.held(r.payer)},
            {r.receiver_holds, g.held(r.receiver)},
        };
        for (const auto& [want, got] : seen) {
            if (want) {
                EXPECT_EQ(got, want);
            }
        }
        EXPECT_EQ(g.asked(Ask::take_partner_tribute), 0);
        if (r.owed_back > 0) {
            EXPECT_EQ(g.t.s.ledger[static_cast<std::size_t>(r.slot)].count, r.owed_back);
            EXPECT_EQ(g.return_tribute({}).reason, "请选择" + std::to_string(r.owed_back) + "张牌还贡！");
            EXPECT_EQ(g.t.s.ask, Ask::return_tribute);
            continue;
        }
        EXPECT_EQ(g.t.s.ask, Ask::lead);
        EXPECT_TRUE(g.started());
        EXPECT_TRUE(g.ledger_empty());
    }
}

TEST(Tribute, AHandTooFullToTakeATributeCardLeavesTheCardWithThePayer) {
    // No game makes such a hand (the state's reader refuses it): a card the
    // receiver cannot hold stays where it was, and the action is refused.
    Settlement g;
    g.debt(13, Seat::D, "BJ 2 K", Seat::B, "A", 2);
    for (const char* word : {"K", "Q", "J", "10", "9", "8", "7", "6", "5", "4", "A"})
        while (g.t.s.hands[Seat::B].size() < 96) {
            const game::Card c = g.t.cards.take(word);
            if (c == 0) break;
            g.t.s.hands[Seat::B].push(c);
        }
    ASSERT_EQ(g.t.s.hands[Seat::B].size(), 96);
    g.t.rest_cleared();
    EXPECT_THROW(g.t.flow().settle_from(1), std::length_error);
    EXPECT_EQ(game::check_cards(g.t.s), "");
    EXPECT_EQ(g.held(Seat::D), "BJ 2 K");
}

TEST(Tribute, AnnouncementTexts) {
    using game::notes::handed, game::kBigJoker, game::kSmallJoker, game::kTwo, game::kNine, game::kFour;
    const DebtKind smother = DebtKind::smother, point = DebtKind::point, place = DebtKind::place;
    EXPECT_EQ(handed(Seat::D, place, false, 2, kBigJoker, kBigJoker), "花月容进落贡两大户");
    EXPECT_EQ(handed(Seat::C, place, false, 2, kBigJoker, kTwo), "石坚进落贡一大户，一钱");
    EXPECT_EQ(handed(Seat::A, place, true, 2, kFour, kFour - 2), "钟离云还落贡一个4，一个6");
    EXPECT_EQ(handed(Seat::B, smother, false, 1, kSmallJoker, 0), "柳烟进扪贡一小户");
    EXPECT_EQ(handed(Seat::E, point, true, 2, kNine, kNine), "雷虎还点贡两个9");
    EXPECT_EQ(handed(Seat::F, smother, true, 2, kTwo, kTwo), "月琴还扪贡两钱");
    EXPECT_EQ(handed(Seat::F, point, false, 0, 0, 0), "月琴进点贡无牌");
}

// ---- the computer's return ----

TEST(Tribute, TheComputersReturn) {
    struct Case {
        const char* why;
        const char* hand;  // B's, paid `owed` big jokers by D
        int owed;
        const char* shown;     // by B, in the order given
        const char* returned;  // now in D's hand, marked
    };
    const Case cases[] = {
        {"single cards of nines down to fours go first, weakest first", "A 9 8 8 6 5 5 4", 2, "4#1 6#2", "6 4"},
        {"without singles a pair that is used up goes whole", "A A 9 9 9 7 7 5 5", 2, "5#1 5#2", "5 5"},
        {"one card owed never leaves a single behind", "A 9 9 9 7 7 5 5", 1, "9#1", "9"},
        {"a pair that is used up goes before a group that keeps two", "9 9 9 9 5 5", 2, "5#1 5#2", "5 5"},
        {"a single, then a card of a group that keeps two", "9 9 9 6 5 5", 2, "6#1 9#2", "9 6"},
        {"otherwise the weakest cards go", "K 8 8 8 7 7 7", 2, "7#1 7#2", "7 7"},
        {"threes and cards above nines are never returned", "3 3 10 9 9", 1, "9#1", "9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Settlement g;
        g.debt(13, Seat::D, c.owed == 1 ? "BJ Q" : "BJ BJ Q", Seat::B, c.hand, c.owed);
        g.settle();
        EXPECT_EQ(g.shown_by(Seat::B), c.shown);
        EXPECT_EQ(g.moved_in(Seat::D), c.returned);
        EXPECT_EQ(g.moved_in(Seat::B), c.owed == 1 ? "BJ" : "BJ BJ");
        EXPECT_EQ(g.laid_out_since(0), (std::vector<Seat>{Seat::D, Seat::B}));  // both hands, payer first
        EXPECT_TRUE(g.ledger_empty());
        EXPECT_TRUE(g.started());
    }
}

TEST(Tribute, FewerCandidatesThanOwedGiveWhatThereIsAndTheCountFollows) {
    Settlement g;
    g.debt(13, Seat::D, "BJ BJ Q", Seat::B, "A A K 9", 2);
    // The human's slot after it stops the settlement, so the ledger can be read.
    g.debt(14, Seat::F, "2 5", Seat::A, "6", 1);
    g.settle();
    EXPECT_EQ(g.moved_in(Seat::D), "9");
    EXPECT_EQ(g.t.s.ledger[13].count, 1);
    EXPECT_EQ(g.t.s.settling, 14);
    EXPECT_TRUE(g.t.noted("柳烟还落贡一个9"));
}

// ---- the listing ----

TEST(Tribute, TheListingNamesEveryDebtAndFilesPointTributes) {
    test::Table t;
    t.s.rules.points = true;
    t.s.open_point[Seat::A] = t.s.open_point[Seat::C] = t.s.open_point[Seat::D] = true;
    t.s.ledger[1] = {Seat::B, Seat::C, 1};
    t.s.ledger[13] = {Seat::E, Seat::B, 2};
    t.s.ledger[14] = {Seat::F, Seat::A, 1};
    t.flow().file_point_tributes_and_list();
    // Seats without the open-point mark pay their opposite seat.
    EXPECT_EQ(t.s.ledger[7], (game::Debt{Seat::B, Seat::E, 1}));
    EXPECT_EQ(t.s.ledger[8], (game::Debt{Seat::E, Seat::B, 1}));
    EXPECT_EQ(t.s.ledger[9], (game::Debt{Seat::F, Seat::C, 1}));
    EXPECT_FALSE(t.s.ledger[10].filed());
    EXPECT_EQ(t.notes(),
              (std::vector<std::string>{"柳烟向石坚进扪贡1张", "柳烟向雷虎进点贡1张", "雷虎向柳烟进点贡1张",
                                        "月琴向石坚进点贡1张", "雷虎向柳烟进落贡2张", "月琴向钟离云进落贡1张"}));
}

// Two deals in a row, each ending with different places: every settlement
// pays the debts of the deal just played, and only those.
TEST(TributeDeals, EachSettlementPaysTheDealJustPlayed) {
    game::State s = game::new_game(game::Rules{});
    game::Events ev;
    std::mt19937_64 rng{77};
    std::size_t mark = 0;

    auto end_deal = [&](const std::string& places) {
        game::DealSteps f{s, ev};
        for (std::size_t i = 0; i < places.size(); ++i)
            f.take_place(*game::seat_from_letter(places[i]), static_cast<int>(i) + 1);
        f.file_point_tributes_and_list();
        f.reset_table();
    };
    auto shuffle = [&] {
        mark = ev.list.size();
        ASSERT_TRUE(tav::test::human_acts(s, {Move::shuffle, {}}, ev, rng).ok());
    };
    auto since = [&](const std::string& text) {
        const std::vector<test::Row> rows = test::rows(ev, mark);
        return std::any_of(rows.begin(), rows.end(), [&text](const test::Row& e) {
            return e.kind == Kind::note && e.text.find(text) != std::string::npos;
        });
    };
    auto playing = [&] { return s.phase == game::Phase::play && s.ask != Ask::return_tribute; };

    // The first deal: nothing owed, play starts at once.
    shuffle();
    EXPECT_TRUE(playing());
    EXPECT_TRUE(since(game::notes::kPlayBegins));
    EXPECT_EQ(game::check_cards(s), "");

    end_deal("CABDFE");  // E last pays C two, F pays A one
    EXPECT_EQ(s.ledger[13], (game::Debt{Seat::E, Seat::C, 2}));
    EXPECT_EQ(s.ledger[14], (game::Debt{Seat::F, Seat::A, 1}));
    shuffle();
    for (const char* line : {"雷虎进落贡", "石坚还落贡", "月琴进落贡"}) EXPECT_TRUE(since(line)) << line;
    ASSERT_EQ(s.ask, Ask::return_tribute);  // the human owes one card
    EXPECT_EQ(game::check_cards(s), "");
    ASSERT_TRUE(tav::test::human_acts(s, *host::computer_choice(s), ev, rng).ok());  // the human's return
    EXPECT_TRUE(playing());
    EXPECT_TRUE(since("钟离云还落贡"));
    EXPECT_TRUE(s.ledger == decltype(s.ledger){});
    EXPECT_EQ(game::check_cards(s), "");

    end_deal("BDCEAF");  // now F pays B, A pays D
    EXPECT_EQ(s.ledger[13], (game::Debt{Seat::F, Seat::B, 2}));
    EXPECT_EQ(s.ledger[14], (game::Debt{Seat::A, Seat::D, 1}));
    shuffle();
    for (const char* line : {"月琴进落贡", "柳烟还落贡", "钟离云进落贡", "花月容还落贡"})
        EXPECT_TRUE(since(line)) << line;
    EXPECT_FALSE(since("雷虎进落贡"));  // the first deal's debts are settled
    EXPECT_TRUE(playing());
    EXPECT_TRUE(s.ledger == decltype(s.ledger){});
    EXPECT_EQ(game::check_cards(s), "");
}

}  // namespace
}  // namespace tav
