// Whole deals through the real window: the human shuffles, leads its weakest
// rank by clicking a card on the table and the play button, and passes or
// holds back otherwise, until the game is over.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <array>

#include "ui/main_window.h"
#include "ui/units.h"

namespace tav::ui {
namespace {

struct WindowPlay : ::testing::Test {
    Settings settings;
    std::unique_ptr<MainWindow> window;
    int leads = 0;  // the human's plays made through the window

    void SetUp() override {
        settings.gc_show = 0;
        window = std::make_unique<MainWindow>(settings, 2024);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    w_main& m() { return window->model(); }
    bool enabled(const char* name) { return window->button(name)->isEnabled(); }
    void press(const char* name) { QTest::mouseClick(window->button(name), Qt::LeftButton); }
    void click(const std::string& id, Qt::MouseButton button = Qt::LeftButton) {
        const SurfaceObject* o = m().dw_main.find(id);
        ASSERT_NE(o, nullptr);
        QTest::mouseClick(window->table(), button, {}, QPoint(px_x(o->x + 10), px_y(o->y + 10)));
    }
    bool pickable(const CardRow& r) {
        if (!settings.gb_b3 || r.code() != "3") return true;
        const auto& rows = m().dw_a.rows();
        return std::all_of(rows.begin(), rows.end(), [](const CardRow& c) { return c.code() == "3"; });
    }

    ::testing::AssertionResult cards_accounted() {
        std::array<int, kCardCount + 1> seen{};
        const CardList* piles[] = {&m().dw_a, &m().dw_b, &m().dw_c, &m().dw_d, &m().dw_e, &m().dw_f, &m().dw_1,
                                   &m().dw_2, &m().dw_3, &m().dw_4, &m().dw_5, &m().dw_6, &m().dw_ok};
        for (const CardList* p : piles)
            for (const CardRow& r : p->rows()) ++seen[static_cast<std::size_t>(r.num)];
        for (int n = 1; n <= kCardCount; ++n)
            if (seen[static_cast<std::size_t>(n)] != 1)
                return ::testing::AssertionFailure() << card_id(n) << " lies in " << seen[static_cast<std::size_t>(n)]
                                                     << " piles";
        return ::testing::AssertionSuccess();
    }

    // Returns the tribute the human owes, picking its weakest cards.
    void return_tribute() {
        const int owed = m().ii_la[static_cast<std::size_t>(m().ii_cur)];
        for (int r = m().dw_a.row_count(); r >= 1 && m().dw_out.row_count() < owed; --r)
            if (pickable(m().dw_a.at(r))) click(m().dw_a.at(r).id());
        press("cb_gog");
    }

    // The human's turn: lead the weakest rank, else pass or hold back.
    void take_turn() {
        if (m().is_prior.empty()) {
            for (int r = m().dw_a.row_count(); r >= 1; --r)
                if (pickable(m().dw_a.at(r))) {
                    click(m().dw_a.at(r).id());
                    break;
                }
            ASSERT_TRUE(enabled("cb_out")) << "a whole rank is a legal lead";
            press("cb_out");
            ++leads;
        } else if (enabled("cb_over")) {
            press("cb_over");
        } else {
            press("cb_pass");
        }
    }

    void play_deal() {
        const std::size_t first_note = m().note_log.size();
        ASSERT_TRUE(enabled("cb_send"));
        press("cb_send");
        for (int guard = 0; !m().ib_go && guard < 20; ++guard) return_tribute();
        // Play starts with the first leader once the hands are dealt.
        if (m().deal_running() && m().is_current.empty()) {
            m().wf_firstgo(m().is_firstgo);
            window->sync_buttons();
        }
        for (int actions = 0; m().deal_running(); ++actions) {
            ASSERT_LT(actions, 1000);
            ASSERT_TRUE(cards_accounted());
            ASSERT_EQ(m().is_current, "A");
            if (!m().is_prior.empty()) {
                ASSERT_TRUE(enabled("cb_pass") || enabled("cb_over"));
            }
            take_turn();
            if (HasFatalFailure()) return;
        }
        const auto& log = m().note_log;
        EXPECT_EQ(std::count(log.begin() + static_cast<long>(first_note), log.end(), "游戏结束"), 1);
        EXPECT_EQ(log.back(), "＞＞＞请先洗牌");
        EXPECT_TRUE(enabled("cb_send"));
        EXPECT_FALSE(enabled("cb_out") || enabled("cb_pass") || enabled("cb_over"));
        int sum = 0;
        for (std::size_t i = 1; i <= 6; ++i) sum += m().ii_grade[i];
        EXPECT_EQ(sum, 0);
    }
};

TEST_F(WindowPlay, WholeDealsFromShuffleToGameOver) {
    for (int deal = 0; deal < 3; ++deal) {
        SCOPED_TRACE("deal " + std::to_string(deal + 1));
        play_deal();
        if (HasFailure()) return;
    }
    EXPECT_GT(leads, 3);
}

}  // namespace
}  // namespace tav::ui
