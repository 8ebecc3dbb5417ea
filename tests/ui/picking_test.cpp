// The human picks cards on the real window: the shuffle button deals, mouse
// clicks on the table view raise and lower cards, the play button follows.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <map>

#include "ui/main_window.h"
#include "ui/units.h"

namespace tav::ui {
namespace {

constexpr int kRest = 1696, kRaised = 1654;

struct WindowPicking : ::testing::Test {
    Settings settings;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        settings.gc_show = 0;
        settings.gb_b3 = false;  // no threes bought: the human's hand stays as dealt
        window = std::make_unique<MainWindow>(settings, 31);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QTest::mouseClick(window->button("cb_send"), Qt::LeftButton);
        ASSERT_EQ(m().dw_a.row_count(), 36);
        EXPECT_FALSE(window->button("cb_send")->isEnabled());
        // Whoever play began with, the human now leads with nothing picked.
        m().wf_backall(m().dw_out, "");
        m().is_prior.clear();
        m().ib_go = true;
        window->sync_buttons();
    }

    w_main& m() { return window->model(); }
    const SurfaceObject& picture(int row) { return *m().dw_main.find(m().dw_a.at(row).id()); }
    void click(int row, Qt::MouseButton button = Qt::LeftButton) {
        const SurfaceObject& o = picture(row);
        QTest::mouseClick(window->table(), button, {}, QPoint(px_x(o.x + 10), px_y(o.y + 10)));
    }
    // Rows of the hand with that code, in hand order.
    std::vector<int> rows_of(std::string_view code) {
        std::vector<int> out;
        for (int r = 1; r <= m().dw_a.row_count(); ++r)
            if (m().dw_a.at(r).code() == code) out.push_back(r);
        return out;
    }
    // The first natural rank the human holds at least `copies` of.
    std::string rank_with(int copies) {
        std::map<std::string, int> count;
        for (const CardRow& r : m().dw_a.rows())
            if (r.sort() > 3 && ++count[std::string(r.code())] == copies) return std::string(r.code());
        return "";
    }
    std::vector<int> raised_rows() {
        std::vector<int> out;
        for (int r = 1; r <= m().dw_a.row_count(); ++r)
            if (picture(r).y == kRaised) out.push_back(r);
        return out;
    }
    bool play_button() { return window->button("cb_out")->isEnabled(); }
};

TEST_F(WindowPicking, TheDealLaysTheHandOutAndAClickPicksAWholeRankWhenLeading) {
    for (int r = 1; r <= 36; ++r) {
        EXPECT_EQ(picture(r).x, 70 * r - 32);
        EXPECT_EQ(picture(r).y, kRest);
    }
    const std::string code = rank_with(2);
    ASSERT_FALSE(code.empty());
    const std::vector<int> rows = rows_of(code);
    click(rows.back());
    EXPECT_EQ(raised_rows(), rows);
    EXPECT_EQ(m().dw_out.row_count(), static_cast<int>(rows.size()));
    EXPECT_TRUE(play_button());
    EXPECT_EQ(play_button(), m().wf_checkout());

    // One more card of another natural rank: that card alone, and the play is illegal.
    int other = 0;
    for (int r = 1; r <= 36 && !other; ++r)
        if (m().dw_a.at(r).sort() > 3 && m().dw_a.at(r).code() != code) other = r;
    ASSERT_NE(other, 0);
    click(other);
    EXPECT_EQ(raised_rows().size(), rows.size() + 1);
    EXPECT_FALSE(play_button());
    EXPECT_FALSE(m().wf_checkout());
    click(other);  // toggled down again
    EXPECT_EQ(raised_rows(), rows);
    EXPECT_EQ(picture(other).y, kRest);
    EXPECT_TRUE(play_button());
}

TEST_F(WindowPicking, FollowingAPlayOfTwoPicksTwoFromTheClickedCard) {
    const std::string code = rank_with(3);
    ASSERT_FALSE(code.empty());
    // B's play of two stands: two of B's cards, strongest first.
    w_main& g = m();
    g.dw_2.copy_all_to(g.dw_ok);
    g.dw_2.reset();
    g.dw_b.rows_copy(g.dw_b.row_count() - 1, g.dw_b.row_count(), g.dw_2, 1);
    g.dw_b.delete_row(g.dw_b.row_count());
    g.dw_b.delete_row(g.dw_b.row_count());
    g.dw_2.sort("sort");
    g.is_prior = "B";

    const std::vector<int> rows = rows_of(code);
    click(rows[1]);  // the second of the rank: second and third
    EXPECT_EQ(raised_rows(), (std::vector<int>{rows[1], rows[2]}));
    EXPECT_EQ(g.dw_out.row_count(), 2);
    EXPECT_EQ(play_button(), g.wf_checkout());

    click(rows[2], Qt::RightButton);  // right click drops the rank
    EXPECT_TRUE(raised_rows().empty());
    EXPECT_TRUE(g.dw_out.empty());
    EXPECT_FALSE(play_button());

    click(rows.back());  // the last of the rank: the last two
    EXPECT_EQ(raised_rows(), (std::vector<int>{rows[rows.size() - 2], rows.back()}));
    EXPECT_EQ(play_button(), g.wf_checkout());
}

TEST_F(WindowPicking, RightClickDropsOnlyThePickedRank) {
    const std::string code = rank_with(2);
    ASSERT_FALSE(code.empty());
    const std::vector<int> rows = rows_of(code);
    click(rows.front());
    // One card of another rank picked by hand, one card left alone.
    int other = 0, idle = 0;
    for (int r = 1; r <= 36; ++r) {
        if (m().dw_a.at(r).code() == code) continue;
        if (!other)
            other = r;
        else if (!idle && m().dw_a.at(r).code() != m().dw_a.at(other).code())
            idle = r;
    }
    ASSERT_TRUE(other && idle);
    click(other);
    std::vector<int> picked = rows;
    picked.push_back(other);
    std::sort(picked.begin(), picked.end());
    ASSERT_EQ(raised_rows(), picked);

    click(idle, Qt::RightButton);  // not picked: nothing dropped
    EXPECT_EQ(raised_rows(), picked);
    click(rows.back(), Qt::RightButton);
    EXPECT_EQ(raised_rows(), std::vector<int>{other});
    EXPECT_EQ(m().dw_out.row_count(), 1);
    EXPECT_TRUE(play_button());
    EXPECT_EQ(play_button(), m().wf_checkout());
}

TEST_F(WindowPicking, ThreesWaitForTheRestOfTheHand) {
    settings.gb_b3 = true;
    const std::vector<int> threes = rows_of("3");
    ASSERT_FALSE(threes.empty()) << "the seeded deal gives the human a three";
    click(threes.front());
    EXPECT_TRUE(raised_rows().empty());
    EXPECT_TRUE(m().dw_out.empty());
    settings.gb_b3 = false;
    click(threes.front());
    EXPECT_EQ(raised_rows(), threes);
}

TEST_F(WindowPicking, ClicksBesideTheHandPickNothing) {
    // A face-down card of the right-hand seat, the note area, the table top.
    const SurfaceObject& back = *m().dw_main.find(m().dw_b.at(1).id());
    QTest::mouseClick(window->table(), Qt::LeftButton, {}, QPoint(px_x(back.x + 10), px_y(back.y + 10)));
    QTest::mouseClick(window->table(), Qt::LeftButton, {}, QPoint(px_x(3000), px_y(700)));
    QTest::mouseClick(window->table(), Qt::LeftButton, {}, QPoint(px_x(1000), px_y(1300)));
    QTest::mouseClick(window->table(), Qt::RightButton, {}, QPoint(px_x(1000), px_y(1300)));
    EXPECT_TRUE(raised_rows().empty());
    EXPECT_TRUE(m().dw_out.empty());
    EXPECT_FALSE(play_button());
}

}  // namespace
}  // namespace tav::ui
