#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "model/notes.h"
#include "rules/engine.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::Seat;
using test::Kind;

// Every seat holds a card until it is made to finish.
struct Finish : ::testing::Test {
    test::Table t;

    Finish() {
        for (Seat seat : game::kAllSeats) t.hand(seat, "9");
    }
    // `seat` plays its last card.
    // The steps it scheduled are returned, not run.
    game::DealSteps finish(Seat seat) {
        t.s.hands[seat].clear();
        t.s.trick.turn = seat;
        game::DealSteps f = t.flow();
        f.place_and_file_sweeps();
        return f;
    }
    int count(const std::string& line) const {
        const std::vector<std::string> n = t.notes();
        return static_cast<int>(std::count(n.begin(), n.end(), line));
    }
    int events(test::Kind kind) const {
        const std::vector<test::Row> rows = test::rows(t.ev);
        return static_cast<int>(std::count_if(rows.begin(), rows.end(),
                                              [kind](const test::Row& e) { return e.kind == kind; }));
    }
    // The number of the last event of that kind for the seat; -99 when none.
    int last(test::Kind kind, Seat seat) const {
        int n = -99;
        for (const test::Row& e : test::rows(t.ev))
            if (e.kind == kind && e.seat == seat) n = e.number;
        return n;
    }
    int score_sum() const {
        int sum = 0;
        for (Seat seat : game::kAllSeats) sum += t.s.scores[seat];
        return sum;
    }
    const game::Debt& slot(int i) const { return t.s.ledger[static_cast<std::size_t>(i)]; }
};

TEST_F(Finish, PlacesScoresAndPlaceTributes) {
    finish(Seat::C);
    EXPECT_EQ(t.s.places[Seat::C], 1);
    EXPECT_EQ(t.s.out_count, 1);
    EXPECT_EQ(t.notes().back(), "石    坚＞头科");
    EXPECT_EQ(last(Kind::score, Seat::C), 2);
    EXPECT_EQ(last(Kind::place, Seat::C), 1);
    EXPECT_EQ(slot(13).receiver, Seat::C);
    EXPECT_EQ(slot(13).count, 2);

    finish(Seat::A);
    EXPECT_EQ(t.notes().back(), "钟离云＞二科");
    EXPECT_EQ(slot(14).receiver, Seat::A);
    EXPECT_EQ(slot(14).count, 1);

    finish(Seat::A);  // already out: not placed again
    EXPECT_EQ(t.s.out_count, 2);
    EXPECT_EQ(t.s.places[Seat::A], 2);
    EXPECT_EQ(count("钟离云＞二科"), 1);
    EXPECT_EQ(events(Kind::place), 2);

    finish(Seat::B);
    finish(Seat::D);
    EXPECT_EQ(last(Kind::place, Seat::D), 4);
    EXPECT_EQ(t.notes().back(), "花月容＞四科");
    EXPECT_EQ(t.s.scores[Seat::B], 0);
    EXPECT_EQ(t.s.scores[Seat::D], 0);
    EXPECT_FALSE(slot(13).payer);
    EXPECT_FALSE(slot(14).payer);

    const game::DealSteps after_f = finish(Seat::F);
    EXPECT_EQ(t.notes().back(), "月    琴＞二落");
    EXPECT_EQ(slot(14).payer, Seat::F);
    EXPECT_EQ(last(Kind::score, Seat::F), -1);
    // E still plays alone: the turn stays and nothing is scheduled.
    EXPECT_EQ(t.s.trick.turn, Seat::F);
    EXPECT_EQ(after_f.next, game::DealSteps::Next::none);

    finish(Seat::E);
    EXPECT_EQ(t.notes().back(), "雷    虎＞大落");
    EXPECT_EQ(slot(13).payer, Seat::E);
    EXPECT_EQ(t.s.first_leader, Seat::E);
    EXPECT_EQ(t.s.out_count, 6);
    EXPECT_EQ(score_sum(), 0);
}

TEST_F(Finish, TheHumanLeftAloneIsPlacedLastAndTheDealEndsOnce) {
    for (Seat s : {Seat::B, Seat::C, Seat::D, Seat::E}) finish(s);
    EXPECT_EQ(count(game::notes::kGameOver), 0);
    t.run_on(finish(Seat::F));
    t.run_on();  // nothing is left to run
    EXPECT_EQ(count("钟离云＞大落"), 1);
    EXPECT_EQ(count(game::notes::kGameOver), 1);
    EXPECT_EQ(count(game::notes::kRule), 1);
    EXPECT_EQ(events(Kind::deal_over), 1);
    EXPECT_EQ(t.s.scores[Seat::A], -2);
    EXPECT_EQ(score_sum(), 0);
    EXPECT_EQ(t.s.first_leader, Seat::A);
    EXPECT_EQ(slot(13).payer, Seat::A);
    // The table is ready for the next deal and nothing ran after its end.
    EXPECT_EQ(t.s.ask, game::Ask::shuffle);
    EXPECT_EQ(t.s.phase, game::Phase::between_deals);
    EXPECT_EQ(t.s.out_count, 0);
    EXPECT_TRUE(t.s.hands[Seat::A].empty());
    EXPECT_EQ(t.notes().back(), game::notes::kShuffleFirst);
}

TEST_F(Finish, TheLastPlayOfADealIsAnnouncedBeforeItEnds) {
    // C plays its last card as the fifth seat out; the human is left.
    for (Seat s : {Seat::B, Seat::D, Seat::E, Seat::F}) finish(s);
    t.s.hands[Seat::C].clear();
    t.hand(Seat::C, "K").play(Seat::B, "Q").trick(Seat::B, Seat::C);
    const std::size_t from = t.notes().size();
    game::DealSteps f = t.flow();
    f.schedule(game::DealSteps::Next::turn, std::nullopt);
    t.run_on(f);
    const std::vector<std::string> all = t.notes();
    const std::vector<std::string> notes(all.begin() + static_cast<long>(from), all.end());
    const std::vector<std::string> expected{"石    坚＞二落", "钟离云＞大落", "石坚1个K",
                                            "扣牌",           "游戏结束",     "——————————"};
    ASSERT_GE(notes.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), notes.begin())) << ::testing::PrintToString(notes);
    EXPECT_EQ(count(game::notes::kGameOver), 1);
    EXPECT_EQ(notes.back(), game::notes::kShuffleFirst);
    EXPECT_FALSE(t.s.trick.turn);
    EXPECT_TRUE(t.s.plays[Seat::C].empty());
    EXPECT_EQ(score_sum(), 0);
}

TEST_F(Finish, ASweptSideIsAnnouncedAndPaysOneCardEachToOppositeSeats) {
    finish(Seat::D);
    finish(Seat::F);
    EXPECT_EQ(count(game::notes::kWeAreSwept), 0);
    finish(Seat::B);
    EXPECT_EQ(count(game::notes::kWeAreSwept), 1);
    EXPECT_EQ(slot(13), (game::Debt{Seat::E, Seat::B, 1}));
    EXPECT_EQ(slot(14), (game::Debt{Seat::A, Seat::D, 1}));
    EXPECT_EQ(slot(15), (game::Debt{Seat::C, Seat::F, 1}));
    // Every further play of the swept side repeats the note.
    t.s.trick.turn = Seat::A;
    t.flow().place_and_file_sweeps();
    EXPECT_EQ(count(game::notes::kWeAreSwept), 2);
    // The swept seats' later places change no slot.
    finish(Seat::E);
    finish(Seat::C);
    EXPECT_EQ(slot(13), (game::Debt{Seat::E, Seat::B, 1}));
    EXPECT_EQ(slot(14), (game::Debt{Seat::A, Seat::D, 1}));
    EXPECT_EQ(slot(15), (game::Debt{Seat::C, Seat::F, 1}));
}

TEST_F(Finish, TheOtherSideSwept) {
    finish(Seat::A);
    finish(Seat::E);
    EXPECT_EQ(count(game::notes::kTheyAreSwept), 0);
    finish(Seat::C);
    EXPECT_EQ(count(game::notes::kTheyAreSwept), 1);
    EXPECT_EQ(count(game::notes::kWeAreSwept), 0);
    EXPECT_EQ(slot(13), (game::Debt{Seat::B, Seat::E, 1}));
    EXPECT_EQ(slot(14), (game::Debt{Seat::D, Seat::A, 1}));
    EXPECT_EQ(slot(15), (game::Debt{Seat::F, Seat::C, 1}));
}

TEST_F(Finish, ScoresCarryOverFromDealToDeal) {
    t.s.scores[Seat::B] = 2;
    t.flow().take_place(Seat::B, 6);
    EXPECT_EQ(t.s.scores[Seat::B], 0);
    EXPECT_EQ(last(Kind::score, Seat::B), 0);
}

}  // namespace
}  // namespace tav
