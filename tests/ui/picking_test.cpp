// The human picks cards on the real window: the shuffle button deals, mouse
// clicks on the table view raise and lower cards, the play button follows.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <map>
#include <vector>

#include "model/catalogue.h"
#include "rules/play.h"
#include "ui/main_window.h"
#include "ui/units.h"

namespace tav::ui {
namespace {

using game::Ask;
using game::Card;
using game::Rank;
using game::Seat;

constexpr int kRest = 1696, kRaised = 1654;

// Seed 31 with no threes bought: the human leads the first trick of the
// first deal with its hand as dealt.
constexpr std::uint64_t kSeed = 31;

struct WindowPicking : ::testing::Test {
    Settings settings;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        settings.play_pause = 0;
        settings.threes_rule = false;  // no threes bought: the human's hand stays as dealt
        window = std::make_unique<MainWindow>(settings, kSeed);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QTest::mouseClick(window->button("cb_send"), Qt::LeftButton);
        ASSERT_EQ(hand().size(), 36);
        EXPECT_FALSE(window->button("cb_send")->isEnabled());
        ASSERT_EQ(m().state().ask, Ask::lead) << "the seed gives the human the first lead";
        ASSERT_TRUE(m().picking().picks().empty());
        EXPECT_FALSE(play_button());
    }

    Session& m() { return window->session(); }
    const game::Hand& hand() { return m().state().hands[Seat::A]; }
    const SurfaceObject& picture(Card c) { return *m().surface().find(card_id(c)); }
    void click(Card c, Qt::MouseButton button = Qt::LeftButton) {
        const SurfaceObject& o = picture(c);
        QTest::mouseClick(window->table(), button, {}, QPoint(px_x(o.x + 10), px_y(o.y + 10)));
    }
    // The human's cards of a rank, in hand order.
    std::vector<Card> cards_of(Rank r) {
        std::vector<Card> out;
        for (Card c : hand())
            if (game::rank_of(c) == r) out.push_back(c);
        return out;
    }
    // The first natural rank the human holds at least `copies` of, 0 for none.
    Rank rank_with(int copies) {
        std::map<Rank, int> count;
        for (Card c : hand())
            if (!game::is_wild(game::rank_of(c)) && ++count[game::rank_of(c)] == copies) return game::rank_of(c);
        return 0;
    }
    // A card of a natural rank other than those given.
    Card other_card(std::initializer_list<Rank> not_these) {
        for (Card c : hand()) {
            const Rank r = game::rank_of(c);
            if (!game::is_wild(r) && std::find(not_these.begin(), not_these.end(), r) == not_these.end()) return c;
        }
        return 0;
    }
    // The human's cards standing raised, in hand order.
    std::vector<Card> raised() {
        std::vector<Card> out;
        for (Card c : hand())
            if (picture(c).y == kRaised) out.push_back(c);
        return out;
    }
    std::size_t picked() { return m().picking().picks().size(); }
    bool play_button() { return window->button("cb_out")->isEnabled(); }
    // What the rules say of the picked cards against the play standing.
    bool legal() {
        const auto& t = m().state().trick;
        return game::can_play(m().picking().picks(), t.standing ? &m().state().plays[*t.standing] : nullptr);
    }
};

TEST_F(WindowPicking, TheDealLaysTheHandOutAndAClickPicksAWholeRankWhenLeading) {
    for (int r = 0; r < 36; ++r) {
        EXPECT_EQ(picture(hand()[r]).x, 70 * (r + 1) - 32) << r;
        EXPECT_EQ(picture(hand()[r]).y, kRest) << r;
    }
    const Rank rank = rank_with(2);
    ASSERT_NE(rank, 0);
    const std::vector<Card> all = cards_of(rank);
    click(all.back());
    EXPECT_EQ(raised(), all);
    EXPECT_EQ(picked(), all.size());
    EXPECT_TRUE(play_button());
    EXPECT_EQ(play_button(), legal());

    // One more card of another natural rank: that card alone, and the play is illegal.
    const Card other = other_card({rank});
    ASSERT_NE(other, 0);
    click(other);
    EXPECT_EQ(raised().size(), all.size() + 1);
    EXPECT_FALSE(play_button());
    EXPECT_FALSE(legal());
    click(other);  // toggled down again
    EXPECT_EQ(raised(), all);
    EXPECT_EQ(picture(other).y, kRest);
    EXPECT_TRUE(play_button());
}

TEST_F(WindowPicking, FollowingAPlayOfTwoPicksTwoFromTheClickedCard) {
    // The computer takes the human's turns until a play of two stands against
    // the human while it holds three or more of a natural rank.
    Rank rank = 0;
    for (int turns = 0; m().state().deal_running(); ++turns) {
        ASSERT_LT(turns, 2000);
        const auto& t = m().state().trick;
        if (m().state().ask == Ask::follow && t.standing && m().state().plays[*t.standing].size() == 2 &&
            (rank = rank_with(3)) != 0)
            break;
        ASSERT_TRUE(m().autoplay_human());
    }
    ASSERT_NE(rank, 0) << "the seeded deal never asked the human to follow a play of two";
    ASSERT_TRUE(m().picking().picks().empty());

    const std::vector<Card> all = cards_of(rank);
    click(all[1]);  // the second of the rank: second and third
    EXPECT_EQ(raised(), (std::vector<Card>{all[1], all[2]}));
    EXPECT_EQ(picked(), 2u);
    EXPECT_EQ(play_button(), legal());

    click(all[2], Qt::RightButton);  // right click drops the rank
    EXPECT_TRUE(raised().empty());
    EXPECT_TRUE(m().picking().picks().empty());
    EXPECT_FALSE(play_button());

    click(all.back());  // the last of the rank: the last two
    EXPECT_EQ(raised(), (std::vector<Card>{all[all.size() - 2], all.back()}));
    EXPECT_EQ(play_button(), legal());
}

TEST_F(WindowPicking, RightClickDropsOnlyThePickedRank) {
    const Rank rank = rank_with(2);
    ASSERT_NE(rank, 0);
    const std::vector<Card> all = cards_of(rank);
    click(all.front());
    // One card of another rank picked by hand, one card left alone.
    const Card other = other_card({rank});
    ASSERT_NE(other, 0);
    const Card idle = other_card({rank, game::rank_of(other)});
    ASSERT_NE(idle, 0);
    click(other);
    std::vector<Card> both = all;
    both.push_back(other);
    const auto order = [this](Card a, Card b) { return hand().find(a) < hand().find(b); };
    std::sort(both.begin(), both.end(), order);
    ASSERT_EQ(raised(), both);

    click(idle, Qt::RightButton);  // not picked: nothing dropped
    EXPECT_EQ(raised(), both);
    click(all.back(), Qt::RightButton);
    EXPECT_EQ(raised(), std::vector<Card>{other});
    EXPECT_EQ(picked(), 1u);
    EXPECT_TRUE(play_button());
    EXPECT_EQ(play_button(), legal());
}

TEST_F(WindowPicking, ThreesWaitForTheRestOfTheHand) {
    settings.threes_rule = true;
    const std::vector<Card> threes = cards_of(game::kThree);
    ASSERT_FALSE(threes.empty()) << "the seeded deal gives the human a three";
    click(threes.front());
    EXPECT_TRUE(raised().empty());
    EXPECT_TRUE(m().picking().picks().empty());
    settings.threes_rule = false;
    click(threes.front());
    EXPECT_EQ(raised(), threes);
}

TEST_F(WindowPicking, ClicksBesideTheHandPickNothing) {
    // A face-down card of the right-hand seat, the note area, the table top.
    const SurfaceObject& back = picture(m().state().hands[Seat::B][0]);
    QTest::mouseClick(window->table(), Qt::LeftButton, {}, QPoint(px_x(back.x + 10), px_y(back.y + 10)));
    QTest::mouseClick(window->table(), Qt::LeftButton, {}, QPoint(px_x(3000), px_y(700)));
    QTest::mouseClick(window->table(), Qt::LeftButton, {}, QPoint(px_x(1000), px_y(1300)));
    QTest::mouseClick(window->table(), Qt::RightButton, {}, QPoint(px_x(1000), px_y(1300)));
    EXPECT_TRUE(raised().empty());
    EXPECT_TRUE(m().picking().picks().empty());
    EXPECT_FALSE(play_button());
}

}  // namespace
}  // namespace tav::ui
