#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "table/w_main.h"
#include "tests/engine/support.h"

namespace tav {
namespace {

constexpr int kRest = 1696, kRaised = 1654;

struct Picking : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;
    w_main w{settings, platform, 1};
    test::CardPicker picker;

    // Gives the human a hand, face up and laid out strongest first.
    void hand(const std::string& words) {
        w.dw_a.reset();
        picker.fill(w.dw_a, words);
        for (const CardRow& r : w.dw_a.rows())
            w.dw_main.modify(r.id() + ".visible=\"1\" " + r.id() + ".filename=\"" + std::string(r.bmp()) + "\"");
        w.wf_sortcard("A");
    }
    // Puts cards in a computer hand, face down in its place.
    void computer(const std::string& seat, const std::string& words) {
        CardList& h = *w.hand(seat);
        picker.fill(h, words);
        for (const CardRow& r : h.rows()) w.dw_main.modify(r.id() + ".visible=\"1\"");
        w.wf_sortcard(seat);
    }
    // A play standing on the table for `seat`, stored strongest first.
    void standing(const std::string& seat, const std::string& words) {
        CardList& p = *w.play_pile(seat);
        p.reset();
        picker.fill(p, words);
        p.sort("sort");
        int j = 0;
        for (const CardRow& r : p.rows())
            w.dw_main.modify(r.id() + ".visible=\"1\" " + r.id() + ".x=\"" + std::to_string(1100 + 68 * ++j) + "\" " +
                             r.id() + ".y=\"1045\" " + r.id() + ".filename=\"" + std::string(r.bmp()) + "\"");
        w.is_prior = seat;
    }
    std::string card(int row) { return w.dw_a.at(row).id(); }
    int y(const std::string& id) { return w.dw_main.find(id)->y; }
    // Rows of the hand standing raised, in hand order ("2 3").
    std::string raised() {
        std::string out;
        for (int r = 1; r <= w.dw_a.row_count(); ++r)
            if (y(card(r)) == kRaised) out += (out.empty() ? "" : " ") + std::to_string(r);
        return out;
    }
    void drop_all() { w.wf_backall(w.dw_out, ""); }
};

TEST_F(Picking, ThreesWaitUntilTheyAreAllThatIsLeft) {
    hand("K K Q Q 9 8 7 6 3 3");
    w.enable(w.cb_out, true);
    w.dw_main_clicked(card(9));
    EXPECT_TRUE(w.dw_out.empty());
    EXPECT_EQ(raised(), "");
    EXPECT_TRUE(w.cb_out.enabled);  // nothing at all happened, not even the buttons

    settings.gb_b3 = false;
    w.dw_main_clicked(card(9));
    EXPECT_EQ(raised(), "9 10");

    settings.gb_b3 = true;
    picker = {};
    w.dw_out.reset();
    hand("3 3");
    w.dw_main_clicked(card(2));
    EXPECT_EQ(raised(), "1 2");
    EXPECT_TRUE(w.cb_out.enabled);
}

TEST_F(Picking, LeadingPicksTheWholeRankLatestFirst) {
    hand("K K K Q Q 5");
    w.dw_main_clicked(card(2));
    EXPECT_EQ(raised(), "1 2 3");
    ASSERT_EQ(w.dw_out.row_count(), 3);
    EXPECT_EQ(w.dw_out.at(1).id(), card(3));
    EXPECT_EQ(w.dw_out.at(3).id(), card(1));
    EXPECT_EQ(y(card(4)), kRest);
    EXPECT_TRUE(w.cb_out.enabled);
}

TEST_F(Picking, FollowingPicksAsManyAsTheStandingPlayFromTheClickedCard) {
    hand("K Q Q Q Q 5");
    standing("B", "J J");
    w.dw_main_clicked(card(3));  // the second queen: second and third
    EXPECT_EQ(raised(), "3 4");
    EXPECT_TRUE(w.cb_out.enabled);
    drop_all();
    EXPECT_EQ(raised(), "");
    EXPECT_FALSE(w.cb_out.enabled);
    w.dw_main_clicked(card(5));  // the fourth: third and fourth
    EXPECT_EQ(raised(), "4 5");
    drop_all();
    w.dw_main_clicked(card(2));
    EXPECT_EQ(raised(), "2 3");
    drop_all();

    standing("B", "K K K");  // three from the third queen would run past the last: the last three
    w.dw_main_clicked(card(4));
    EXPECT_EQ(raised(), "3 4 5");
    EXPECT_FALSE(w.cb_out.enabled);  // queens do not beat kings
    drop_all();

    standing("B", "K K K K");  // no more queens than the play: all of them
    w.dw_main_clicked(card(4));
    EXPECT_EQ(raised(), "2 3 4 5");
    EXPECT_FALSE(w.cb_out.enabled);
}

TEST_F(Picking, TooFewCardsOfARankArePickedButCannotBePlayed) {
    hand("K J J 4");
    standing("C", "5 5 5 5 5");
    w.dw_main_clicked(card(2));
    EXPECT_EQ(raised(), "2 3");
    EXPECT_EQ(w.dw_out.row_count(), 2);
    EXPECT_FALSE(w.cb_out.enabled);
}

TEST_F(Picking, AfterTheQuickPickEachClickTogglesOneCard) {
    hand("K K K Q Q 5");
    w.dw_main_clicked(card(1));
    w.dw_main_clicked(card(2));  // a picked king goes down
    EXPECT_EQ(raised(), "1 3");
    EXPECT_EQ(w.dw_out.row_count(), 2);
    EXPECT_FALSE(w.dw_out.contains(card_number(card(2))));
    EXPECT_TRUE(w.cb_out.enabled);
    w.dw_main_clicked(card(2));  // and up again, first in the pick
    EXPECT_EQ(raised(), "1 2 3");
    EXPECT_EQ(w.dw_out.at(1).id(), card(2));
    w.dw_main_clicked(card(4));  // one queen only
    EXPECT_EQ(raised(), "1 2 3 4");
    EXPECT_EQ(w.dw_out.row_count(), 4);
    EXPECT_FALSE(w.cb_out.enabled);  // two natural ranks
    w.dw_main_clicked(card(4));
    EXPECT_TRUE(w.cb_out.enabled);
}

TEST_F(Picking, RightClickDropsEveryPickedCardOfThatRank) {
    hand("K K Q 5 5 5");
    w.dw_main_clicked(card(5));  // all fives
    w.dw_main_clicked(card(1));  // and one king
    EXPECT_EQ(raised(), "1 4 5 6");
    EXPECT_FALSE(w.cb_out.enabled);
    w.dw_main_rbuttondown(card(3));  // an unpicked queen: nothing dropped
    EXPECT_EQ(raised(), "1 4 5 6");
    w.dw_main_rbuttondown(card(4));
    EXPECT_EQ(raised(), "1");
    EXPECT_EQ(test::codes(w.dw_out), "K");
    EXPECT_TRUE(w.cb_out.enabled);
    w.dw_main_rbuttondown(card(2));  // the other king was never picked
    EXPECT_EQ(raised(), "1");
    w.dw_main_rbuttondown(card(1));
    EXPECT_EQ(raised(), "");
    EXPECT_TRUE(w.dw_out.empty());
    EXPECT_FALSE(w.cb_out.enabled);
}

TEST_F(Picking, OnlyTheHumansOwnCardsAnswerTheMouse) {
    hand("K K Q");
    computer("B", "A A");
    standing("D", "J");
    w.is_prior.clear();
    w.dw_main_clicked(card(1));
    ASSERT_EQ(raised(), "1 2");

    // A face-down card or a card on the table picks nothing but the buttons are looked at again.
    w.enable(w.cb_out, false);
    w.dw_main_clicked(w.dw_b.at(1).id());
    EXPECT_TRUE(w.cb_out.enabled);
    w.enable(w.cb_out, false);
    w.dw_main_clicked(w.dw_4.at(1).id());
    EXPECT_TRUE(w.cb_out.enabled);
    w.dw_main_rbuttondown(w.dw_b.at(1).id());
    EXPECT_EQ(raised(), "1 2");

    // A card tagged as the human's that is not in the hand is never picked.
    w.dw_main.modify(w.dw_4.at(1).id() + ".tag=\"my\"");
    w.dw_main_clicked(w.dw_4.at(1).id());
    w.dw_main_rbuttondown(w.dw_4.at(1).id());
    EXPECT_EQ(w.dw_out.row_count(), 2);
    EXPECT_EQ(y(w.dw_4.at(1).id()), 1045);

    // Texts, the table top, nothing, unknown names: nothing at all happens.
    w.enable(w.cb_out, false);
    for (const char* name : {"t_note", "t_a", "r_1", "rec_1", "", "p_999", "p_t3"}) {
        w.dw_main_clicked(name);
        w.dw_main_rbuttondown(name);
    }
    EXPECT_EQ(raised(), "1 2");
    EXPECT_EQ(w.dw_out.row_count(), 2);
    EXPECT_TRUE(w.cb_out.enabled);  // the pack picture p_t3 is a picture: buttons looked at
    w.enable(w.cb_out, false);
    for (const char* name : {"t_note", "r_1", "", "p_999"}) w.dw_main_clicked(name);
    EXPECT_FALSE(w.cb_out.enabled);
}

TEST_F(Picking, ChoosingTheTributeReturnPicksCardByCardForTheReturnButton) {
    hand("K K Q");
    w.ib_go = false;
    w.enable(w.cb_gog, false);
    w.dw_main_clicked(card(1));
    EXPECT_EQ(raised(), "1");
    EXPECT_TRUE(w.cb_gog.enabled);
    EXPECT_FALSE(w.cb_out.enabled);
    w.enable(w.cb_gog, false);
    w.dw_main_clicked(card(1));
    EXPECT_EQ(raised(), "");
    EXPECT_TRUE(w.cb_gog.enabled);  // its own handler counts the cards
    EXPECT_FALSE(w.cb_out.enabled);
}

TEST_F(Picking, BackallDropsAllOrOneRank) {
    hand("K K 9 9 9");
    settings.gb_b3 = false;
    w.dw_main_clicked(card(1));
    w.dw_main_clicked(card(3));
    w.dw_main_clicked(card(4));
    ASSERT_EQ(raised(), "1 2 3 4");
    w.wf_backall(w.dw_out, "9");
    EXPECT_EQ(raised(), "1 2");
    EXPECT_EQ(test::codes(w.dw_out), "K K");
    EXPECT_FALSE(w.cb_out.enabled);
    w.wf_backall(w.dw_out, "");
    EXPECT_EQ(raised(), "");
    EXPECT_TRUE(w.dw_out.empty());
}

TEST_F(Picking, ClicksAtAPointFindTheFrontCard) {
    hand("A K Q J 10");
    w.click_at(70 * 3 - 32 + 10, kRest + 10);  // the strip of the third card
    EXPECT_EQ(raised(), "3");
    w.click_at(70 * 3 - 32 + 10, kRaised + 5);  // the raised card's top edge: down again
    EXPECT_EQ(raised(), "");
    w.click_at(70 * 2 - 32 + 69, kRest + 10);  // the last unit of the second card's strip
    EXPECT_EQ(raised(), "2");
    w.click_at(70 * 5 - 32 + 300, kRest + 300);  // far right of the last card
    EXPECT_EQ(raised(), "2 5");
    w.right_click_at(70 * 5 - 32 + 300, kRest + 300);
    EXPECT_EQ(raised(), "2");
    w.click_at(1000, 1100);  // the table top
    w.click_at(-5, -5);
    w.right_click_at(1000, 1100);
    EXPECT_EQ(raised(), "2");
}

// Whatever the human clicks, a pick is a set of cards of the own hand, each
// picked once and standing exactly 42 units up.
TEST_F(Picking, NoClickSequenceBreaksThePick) {
    std::mt19937 g(7);
    std::vector<int> deck;
    for (int n = 1; n <= kCardCount; ++n) deck.push_back(n);
    std::shuffle(deck.begin(), deck.end(), g);
    w.dw_a.reset();
    for (int i = 0; i < 30; ++i) w.dw_a.append(deck[static_cast<std::size_t>(i)]);
    for (const CardRow& r : w.dw_a.rows())
        w.dw_main.modify(r.id() + ".visible=\"1\" " + r.id() + ".filename=\"" + std::string(r.bmp()) + "\"");
    w.wf_sortcard("A");
    for (int i = 30; i < 40; ++i) w.dw_b.append(deck[static_cast<std::size_t>(i)]);
    w.wf_sortcard("B");
    for (int i = 40; i < 43; ++i) w.dw_3.append(deck[static_cast<std::size_t>(i)]);
    w.dw_3.sort("sort");

    std::vector<std::string> targets{"", "t_note", "r_1", "p_t1"};
    for (int i = 0; i < 43; ++i) targets.push_back(card_id(deck[static_cast<std::size_t>(i)]));
    for (int step = 0; step < 4000; ++step) {
        const std::string& t = targets[g() % targets.size()];
        switch (g() % 10) {
            case 0: w.dw_main_rbuttondown(t); break;
            case 1: w.is_prior = (g() % 2) ? "C" : ""; break;
            case 2: w.ib_go = !w.ib_go; break;
            case 3: settings.gb_b3 = !settings.gb_b3; break;
            case 4:
                if (g() % 8 == 0) w.wf_backall(w.dw_out, "");
                break;
            default: w.dw_main_clicked(t); break;
        }
        std::set<int> picked;
        for (const CardRow& r : w.dw_out.rows()) {
            ASSERT_TRUE(w.dw_a.contains(r.num)) << "step " << step;
            ASSERT_TRUE(picked.insert(r.num).second) << "picked twice at step " << step;
        }
        for (const CardRow& r : w.dw_a.rows())
            ASSERT_EQ(y(r.id()), picked.count(r.num) ? kRaised : kRest) << "step " << step;
        if (step % 500 == 0) {
            // The click path and the quick pick must have had a chance.
            w.ib_go = true;
            w.is_prior.clear();
        }
    }
    EXPECT_EQ(w.dw_b.row_count(), 10);
    EXPECT_EQ(w.dw_3.row_count(), 3);
}

// ---- laying out hands and drawing backs ----

TEST_F(Picking, HandsAreLaidOutInTheirPlaces) {
    hand("5 K BJ 5 3");
    EXPECT_EQ(test::codes(w.dw_a), "BJ K 5 5 3");
    for (int n = 1; n <= 5; ++n) {
        const SurfaceObject* o = w.dw_main.find(card(n));
        EXPECT_EQ(o->x, 70 * n - 32);
        EXPECT_EQ(o->y, kRest);
        EXPECT_EQ(o->tag, "my");
        EXPECT_EQ(o->pointer, "HyperLink!");
        EXPECT_EQ(o->filename, w.dw_a.at(n).bmp());
    }
    // Each later card lies over the one before.
    EXPECT_EQ(w.dw_main.object_at(70 * 2 - 32 + 5, kRest + 5)->name, card(2));

    struct Want {
        const char* seat;
        int x1, y1, dx, dy;
    };
    for (const Want& want : {Want{"B", 2521, 1277, 0, -8}, Want{"C", 2521, 575, 0, -8}, Want{"D", 818, 30, 28, 0},
                             Want{"E", 30, 308, 0, 8}, Want{"F", 30, 1008, 0, 8}}) {
        SCOPED_TRACE(want.seat);
        CardList& h = *w.hand(want.seat);
        picker.fill(h, "Q 4 2");
        w.dw_main.modify(h.at(1).id() + ".filename=\"cards\\hQ.bmp\"");
        w.wf_sortcard(want.seat);
        ASSERT_EQ(test::codes(h), "Q 4 2");  // computer hands keep their order
        for (int n = 1; n <= 3; ++n) {
            const SurfaceObject* o = w.dw_main.find(h.at(n).id());
            EXPECT_EQ(o->x, want.x1 + want.dx * (n - 1));
            EXPECT_EQ(o->y, want.y1 + want.dy * (n - 1));
            EXPECT_EQ(o->filename, settings.gs_bgcard);
            EXPECT_EQ(o->tag, "");
        }
    }
}

TEST_F(Picking, OnlyThirtySixRowsAreLaidOutAndBadSeatsAreRefused) {
    for (int n = 1; n <= 38; ++n) w.dw_b.append(n);
    w.wf_sortcard("B");
    EXPECT_EQ(w.dw_main.find(w.dw_b.at(36).id())->y, 1285 - 8 * 36);
    EXPECT_NE(w.dw_main.find(w.dw_b.at(37).id())->x, 2521);
    EXPECT_NE(w.dw_main.find(w.dw_b.at(38).id())->x, 2521);

    const std::uint64_t drawn = w.dw_main.notifications();
    for (const char* bad : {"G", "", "AB", "1"}) w.wf_sortcard(bad);
    EXPECT_EQ(w.dw_main.notifications(), drawn);
    w.wf_sortcard("b");
    EXPECT_EQ(w.dw_main.notifications(), drawn + 1);  // one drawing for the whole hand
}

TEST_F(Picking, NewBackReachesThePackAndTheComputerHandsOnly) {
    hand("K Q");
    computer("B", "A");
    computer("F", "5 6");
    standing("D", "J");
    const std::string hidden = card_id(216);
    settings.gs_bgcard = "cards\\bgcard2.bmp";
    const std::uint64_t drawn = w.dw_main.notifications();
    w.wf_bgcard();
    EXPECT_EQ(w.dw_main.notifications(), drawn + 1);
    for (int n = 1; n <= kCardCount; ++n)
        EXPECT_EQ(w.dw_main.describe("p_t" + std::to_string(n) + ".filename"), "cards\\bgcard2.bmp");
    for (const CardList* h : {&w.dw_b, &w.dw_f})
        for (const CardRow& r : h->rows()) EXPECT_EQ(w.dw_main.find(r.id())->filename, "cards\\bgcard2.bmp");
    for (const CardRow& r : w.dw_a.rows()) EXPECT_EQ(w.dw_main.find(r.id())->filename, r.bmp());
    EXPECT_EQ(w.dw_main.find(w.dw_4.at(1).id())->filename, w.dw_4.at(1).bmp());
    EXPECT_EQ(w.dw_main.find(hidden)->filename, "cards\\bgcard4.bmp");
}

}  // namespace
}  // namespace tav
