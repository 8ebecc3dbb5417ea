#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <set>
#include <vector>

#include "table/w_main.h"
#include "tests/engine/support.h"

namespace tav {
namespace {

// The table as it is first drawn after a fast deal: the deal is finished,
// the tribute and play have not begun yet.
struct FirstDrawing {
    bool taken = false;
    std::uint64_t notifications = 0;
    std::array<std::vector<int>, 7> hands;  // [1..6] = A..F, in pile order
    std::vector<SurfaceObject> cards;       // [n] = picture of card n
    std::vector<SurfaceObject> pack;        // [n] = pack picture p_t<n>
    std::array<bool, 7> place_labels_shown{};
    int sendout_rows = -1;
    std::string firstgo;
    int page4 = 0;
};

struct Deal : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;
    w_main w{settings, platform, 1};
    FirstDrawing first;

    Deal() { settings.gc_show = 0; }

    // `hands_only` keeps just the hands (for many deals).
    void watch_first_drawing(bool hands_only = false) {
        first = FirstDrawing{};
        w.dw_main.set_listener([this, hands_only] {
            if (first.taken) return;
            first.taken = true;
            first.notifications = w.dw_main.notifications();
            for (int s = 1; s <= 6; ++s)
                for (const CardRow& r : w.hand(seat_letter(s))->rows()) first.hands[s].push_back(r.num);
            if (hands_only) return;
            first.cards.resize(kCardCount + 1);
            first.pack.resize(kCardCount + 1);
            for (int n = 1; n <= kCardCount; ++n) {
                first.cards[n] = *w.dw_main.find(card_id(n));
                first.pack[n] = *w.dw_main.find("p_t" + std::to_string(n));
            }
            for (int s = 1; s <= 6; ++s)
                first.place_labels_shown[s] =
                    w.dw_main.describe("t_o" + std::string(1, static_cast<char>('a' + s - 1)) + ".visible") == "1";
            first.sendout_rows = w.dw_sendout.row_count();
            first.firstgo = w.is_firstgo;
            first.page4 = w.ii_4page;
        });
    }

    // Every card is in exactly one pile of the game, whatever play did after the deal.
    void expect_every_card_once() {
        std::vector<int> seen(kCardCount + 1, 0);
        for (const CardList* p : {&w.dw_a, &w.dw_b, &w.dw_c, &w.dw_d, &w.dw_e, &w.dw_f, &w.dw_1, &w.dw_2, &w.dw_3,
                                  &w.dw_4, &w.dw_5, &w.dw_6, &w.dw_ok})
            for (const CardRow& r : p->rows()) ++seen[static_cast<std::size_t>(r.num)];
        for (int n = 1; n <= kCardCount; ++n) EXPECT_EQ(seen[static_cast<std::size_t>(n)], 1) << "card " << n;
    }
};

// The order a seeded deal draws the cards in, worked out independently: draw
// a row of what is left, uniformly.
std::vector<int> deal_order(std::uint64_t seed) {
    std::mt19937_64 g(seed);
    std::vector<int> left;
    for (int n = 1; n <= kCardCount; ++n) left.push_back(n);
    std::vector<int> order{0};
    for (int i = 1; i <= kCardCount; ++i) {
        std::uniform_int_distribution<int> draw(1, kCardCount + 1 - i);
        const int r = draw(g);
        order.push_back(left[static_cast<std::size_t>(r - 1)]);
        left.erase(left.begin() + (r - 1));
    }
    return order;
}

// Seat (1..6 = A..F) of the i-th card dealt.
int seat_of(int i) { return std::array<int, 6>{4, 2, 3, 1, 6, 5}[static_cast<std::size_t>(i % 6)]; }

TEST_F(Deal, EveryCardReachesExactlyOneHandAndTheTableShowsTheDeal) {
    for (std::uint64_t seed : {1u, 2u, 77u}) {
        SCOPED_TRACE(seed);
        w.newgame();
        w.seed(seed);
        watch_first_drawing();
        w.sendout();
        ASSERT_TRUE(first.taken);
        std::set<int> all;
        for (int s = 1; s <= 6; ++s) {
            EXPECT_EQ(first.hands[s].size(), 36u) << seat_letter(s);
            all.insert(first.hands[s].begin(), first.hands[s].end());
        }
        EXPECT_EQ(all.size(), 216u);
        EXPECT_EQ(*all.begin(), 1);
        EXPECT_EQ(*all.rbegin(), 216);
        EXPECT_EQ(first.sendout_rows, 0);
        EXPECT_TRUE(w.dw_sendout.empty());
        for (int n = 1; n <= kCardCount; ++n) {
            EXPECT_FALSE(first.pack[n].visible) << n;
            EXPECT_TRUE(first.cards[n].visible) << n;
        }
        for (int s = 1; s <= 6; ++s) EXPECT_FALSE(first.place_labels_shown[s]);

        // The human's hand: strongest left, 70 apart, face up and clickable.
        const std::vector<int>& a = first.hands[1];
        for (std::size_t n = 1; n <= a.size(); ++n) {
            const SurfaceObject& o = first.cards[a[n - 1]];
            EXPECT_EQ(o.x, 70 * static_cast<int>(n) - 32);
            EXPECT_EQ(o.y, 1696);
            EXPECT_EQ(o.tag, "my");
            EXPECT_EQ(o.pointer, "HyperLink!");
            EXPECT_EQ(o.filename, card_info(a[n - 1]).bmp);
            if (n > 1) {
                EXPECT_LE(card_info(a[n - 2]).sort, card_info(a[n - 1]).sort);
            }
        }
        for (int s = 2; s <= 6; ++s)
            for (int n : first.hands[s]) {
                EXPECT_EQ(first.cards[n].filename, settings.gs_bgcard);
                EXPECT_EQ(first.cards[n].tag, "");
            }
        expect_every_card_once();
    }
}

TEST_F(Deal, CardsGoRoundTheSeatsInDealOrderToTheirPlaces) {
    const std::uint64_t seed = 4242;
    const std::vector<int> order = deal_order(seed);
    w.seed(seed);
    watch_first_drawing();
    w.sendout();
    ASSERT_TRUE(first.taken);

    // Card 1 goes to B, 3 to the human, 6 to the top seat; computer hands keep deal order.
    EXPECT_EQ(first.hands[2].front(), order[1]);
    EXPECT_EQ(first.hands[4].front(), order[6]);
    EXPECT_NE(std::find(first.hands[1].begin(), first.hands[1].end(), order[3]), first.hands[1].end());
    std::array<std::vector<int>, 7> expected;
    for (int i = 1; i <= kCardCount; ++i) expected[seat_of(i)].push_back(order[i]);
    for (int s = 2; s <= 6; ++s) EXPECT_EQ(first.hands[s], expected[s]) << seat_letter(s);
    std::vector<int> a = first.hands[1], want = expected[1];
    std::sort(a.begin(), a.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(a, want);

    // Final places of the face-down hands (whole part of the sixths).
    auto at = [&](int i) { return first.cards[order[i]]; };
    EXPECT_EQ(at(1).x, 2521);
    EXPECT_EQ(at(1).y, 1283);
    EXPECT_EQ(at(211).y, 1003);
    EXPECT_EQ(at(2).y, 580);
    EXPECT_EQ(at(212).y, 300);
    EXPECT_EQ(at(4).x, 30);
    EXPECT_EQ(at(4).y, 1005);
    EXPECT_EQ(at(214).y, 1285);
    EXPECT_EQ(at(5).y, 306);
    EXPECT_EQ(at(215).y, 586);
    EXPECT_EQ(at(6).x, 818);
    EXPECT_EQ(at(6).y, 30);
    EXPECT_EQ(at(216).x, 1798);

    // The first leader is the first seat whose growing hand shows fours
    // scoring 2 (a pair of a suit's four 1, three or four copies 2).
    std::string leader;
    std::array<std::array<int, 4>, 7> fours{};
    const std::array<std::string_view, 4> suits{"红桃4", "黑桃4", "方块4", "梅花4"};
    for (int i = 1; i <= kCardCount && leader.empty(); ++i) {
        const int s = seat_of(i);
        for (std::size_t k = 0; k < 4; ++k)
            if (card_info(order[i]).name == suits[k]) ++fours[s][k];
        int score = 0;
        for (int c : fours[s]) score += c >= 3 ? 2 : c == 2 ? 1 : 0;
        if (score >= 2) leader = seat_letter(s);
    }
    EXPECT_EQ(first.firstgo, leader);
    EXPECT_EQ(first.page4, leader.empty() ? 2 : 3);
}

TEST_F(Deal, FastDealDrawsOnlyTheFinishedTable) {
    settings.gs_sends = "0";
    const std::uint64_t before = w.dw_main.notifications();
    watch_first_drawing();
    w.sendout();
    ASSERT_TRUE(first.taken);
    EXPECT_EQ(first.notifications, before + 1);
    EXPECT_EQ(first.sendout_rows, 0);  // drawn only once the deal was done
    EXPECT_TRUE(w.dw_main.redraw());
}

TEST_F(Deal, SlowDealShowsEachCardAtItsStagingPlaceThenAtItsSeat) {
    settings.gs_sends = "1";
    struct Move {
        int dealt;
        SurfaceObject card;
    };
    std::vector<Move> moves;
    // The card in flight is the front-most picture and in no hand yet.
    w.dw_main.set_listener([&] {
        if (moves.size() >= static_cast<std::size_t>(2 * kCardCount)) return;
        const SurfaceObject* front = nullptr;
        w.dw_main.for_each([&](const SurfaceObject& o) { front = &o; });
        const int num = front ? card_number(front->name) : 0;
        if (!num || !front->visible) return;
        for (int s = 1; s <= 6; ++s)
            if (w.hand(seat_letter(s))->contains(num)) return;
        moves.push_back({kCardCount - w.dw_sendout.row_count(), *front});
    });
    w.seed(9);
    const std::vector<int> order = deal_order(9);
    w.sendout();
    // The moves of card i: the staging place, then the seat.
    auto moves_of = [&](int i) {
        std::vector<SurfaceObject> out;
        for (const Move& m : moves)
            if (m.dealt == i && m.card.name == card_id(order[i])) out.push_back(m.card);
        return out;
    };
    const std::vector<SurfaceObject> human = moves_of(3);
    ASSERT_EQ(human.size(), 2u);
    EXPECT_EQ(human[0].x, 35);
    EXPECT_EQ(human[0].y, 1500);
    EXPECT_EQ(human[0].filename, card_info(order[3]).bmp);
    EXPECT_EQ(human[0].tag, "my");
    EXPECT_EQ(human[0].pointer, "");
    EXPECT_EQ(human[1].y, 1696);
    EXPECT_EQ(human[1].pointer, "HyperLink!");
    const std::vector<SurfaceObject> top = moves_of(6);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].x, 818);
    EXPECT_EQ(top[0].y, 420);
    EXPECT_EQ(top[0].filename, settings.gs_bgcard);
    EXPECT_EQ(top[1].y, 30);
    const std::vector<SurfaceObject> right = moves_of(1);
    ASSERT_EQ(right.size(), 2u);
    EXPECT_EQ(right[0].x, 2400);
    EXPECT_EQ(right[0].y, 300);
    EXPECT_EQ(right[1].x, 2521);
    for (int i = 1; i <= kCardCount; ++i) EXPECT_EQ(moves_of(i).size(), 2u) << "card " << i;
}

// Every card reaches every seat about equally often. With a fixed seed this
// never fails by chance; a shuffle that favours rows or seats fails at once.
TEST_F(Deal, ShuffleIsFair) {
    constexpr int kDeals = 3000;
    std::vector<std::array<int, 7>> where(kCardCount + 1);
    w.seed(20240601);
    std::vector<int> previous;
    int repeats = 0;
    for (int d = 0; d < kDeals; ++d) {
        w.newgame();
        watch_first_drawing(true);
        w.sendout();
        ASSERT_TRUE(first.taken);
        std::vector<int> now;
        for (int s = 1; s <= 6; ++s)
            for (int n : first.hands[s]) {
                ++where[static_cast<std::size_t>(n)][static_cast<std::size_t>(s)];
                now.push_back(n);
            }
        if (now == previous) ++repeats;
        previous = now;
    }
    EXPECT_EQ(repeats, 0);
    // Chi-square over 216 cards x 6 seats: 1080 degrees of freedom, mean 1080,
    // standard deviation about 46.5; the bound is more than eight of them away.
    const double expected = kDeals / 6.0;
    double chi = 0;
    for (int n = 1; n <= kCardCount; ++n)
        for (int s = 1; s <= 6; ++s) {
            const double d = where[static_cast<std::size_t>(n)][static_cast<std::size_t>(s)] - expected;
            chi += d * d / expected;
        }
    EXPECT_LT(chi, 1480.0);
    EXPECT_GT(chi, 700.0);  // too even would mean the cards were not drawn at random
}

TEST_F(Deal, TwoDealsInARowDiffer) {
    watch_first_drawing();
    w.sendout();
    const auto one = first.hands;
    w.newgame();
    watch_first_drawing();
    w.sendout();
    EXPECT_NE(one, first.hands);
}

TEST_F(Deal, LaterDealKeepsTheRecordedFirstLeader) {
    w.sendout();
    w.newgame();
    w.is_firstgo = "E";
    watch_first_drawing();
    w.sendout();
    ASSERT_TRUE(first.taken);
    EXPECT_EQ(first.firstgo, "E");
    EXPECT_EQ(first.page4, 2);  // nobody was scored
}

TEST_F(Deal, ShuffleButtonNotesDealsAndClosesItself) {
    std::vector<std::string> notes;
    bool dealt_when_noted = true;
    w.on_note = [&](const std::string& line) {
        notes.push_back(line);
        if (line == "瑟柯洗牌开始") dealt_when_noted = !w.dw_a.empty();
    };
    w.cb_send_clicked();
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes.front(), "瑟柯洗牌开始");
    EXPECT_FALSE(dealt_when_noted);
    EXPECT_FALSE(w.cb_send.enabled);
    expect_every_card_once();

    // A disabled button does nothing; a deal over cards still out is refused.
    const std::size_t lines = w.note_log.size();
    const std::string hand_a = test::codes(w.dw_a);
    w.cb_send_clicked();
    EXPECT_EQ(w.note_log.size(), lines);
    const std::uint64_t drawn = w.dw_main.notifications();
    w.sendout();
    EXPECT_EQ(test::codes(w.dw_a), hand_a);
    EXPECT_EQ(w.dw_main.notifications(), drawn);
    expect_every_card_once();
}

// ---- the first leader from the fours ----

// Gives the seat `copies` of the four of a suit ("红桃4" ...).
void give_fours(CardList& hand, std::string_view name, int copies) {
    for (int n = 1; n <= kCardCount && copies > 0; ++n)
        if (card_info(n).name == name && !hand.contains(n)) {
            hand.append(n);
            --copies;
        }
}

TEST_F(Deal, FoursChooseTheFirstLeader) {
    // Two pairs score 2 and qualify; the bar then rises to 3.
    give_fours(w.dw_c, "红桃4", 2);
    give_fours(w.dw_c, "梅花4", 2);
    test::CardPicker().fill(w.dw_c, "K 5 BJ");
    EXPECT_EQ(w.wf_getfirstgo("C"), "C");
    EXPECT_EQ(w.ii_4page, 3);
    w.is_firstgo = "C";
    give_fours(w.dw_e, "黑桃4", 2);
    give_fours(w.dw_e, "方块4", 2);
    EXPECT_EQ(w.wf_getfirstgo("E"), "C");

    // One of each suit scores nothing.
    w.ii_4page = 2;
    w.is_firstgo.clear();
    for (std::string_view suit : {"红桃4", "黑桃4", "方块4", "梅花4"}) give_fours(w.dw_b, suit, 1);
    EXPECT_EQ(w.wf_getfirstgo("B"), "");
    EXPECT_EQ(w.ii_4page, 2);

    // Three copies of one suit score 2; four still score 2.
    give_fours(w.dw_d, "方块4", 3);
    EXPECT_EQ(w.wf_getfirstgo("d"), "D");
    EXPECT_EQ(w.ii_4page, 3);
    w.ii_4page = 2;
    give_fours(w.dw_d, "方块4", 1);
    EXPECT_EQ(w.wf_getfirstgo("D"), "D");
    EXPECT_EQ(w.ii_4page, 3);
    give_fours(w.dw_d, "红桃4", 2);  // 2 + 1 = 3 reaches the risen bar
    EXPECT_EQ(w.wf_getfirstgo("D"), "D");
    EXPECT_EQ(w.ii_4page, 4);

    // A seat letter outside A..F scores nobody and changes nothing.
    w.is_firstgo = "F";
    EXPECT_EQ(w.wf_getfirstgo("G"), "F");
    EXPECT_EQ(w.wf_getfirstgo(""), "F");
    EXPECT_EQ(w.ii_4page, 4);
}

}  // namespace
}  // namespace tav
