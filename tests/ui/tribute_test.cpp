// The tribute through the real window: deals follow one another, the human
// receives tribute, answers the boxes and returns cards by clicking them on
// the table and pressing the return button, and no card is ever lost or
// doubled on the way.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "ui/main_window.h"
#include "ui/units.h"

namespace tav::ui {
namespace {

// Answers every message box that opens: Yes to a question, OK to a notice,
// and remembers its text.
class BoxAnswerer {
public:
    BoxAnswerer() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            texts.push_back(box->text().toStdString());
            QAbstractButton* yes = box->button(QMessageBox::Yes);
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            if (yes)
                yes->click();
            else if (ok)
                ok->click();
            else
                box->reject();
        });
        timer_.start();
    }
    std::vector<std::string> texts;

private:
    QTimer timer_;
};

struct WindowTribute : ::testing::Test {
    Settings settings;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<BoxAnswerer> boxes;

    void SetUp() override {
        settings.gc_show = 0;
        window = std::make_unique<MainWindow>(settings, 20261208);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        boxes = std::make_unique<BoxAnswerer>();
    }

    w_main& m() { return window->model(); }
    QPushButton* button(const char* name) { return window->button(name); }
    void press(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    ::testing::AssertionResult cards_accounted() {
        std::array<int, kCardCount + 1> seen{};
        for (const CardList* p : {&m().dw_a, &m().dw_b, &m().dw_c, &m().dw_d, &m().dw_e, &m().dw_f, &m().dw_1,
                                  &m().dw_2, &m().dw_3, &m().dw_4, &m().dw_5, &m().dw_6, &m().dw_ok})
            for (const CardRow& r : p->rows()) ++seen[static_cast<std::size_t>(r.num)];
        for (int n = 1; n <= kCardCount; ++n)
            if (seen[static_cast<std::size_t>(n)] != 1)
                return ::testing::AssertionFailure()
                       << card_id(n) << " lies in " << seen[static_cast<std::size_t>(n)] << " piles";
        return ::testing::AssertionSuccess();
    }

    bool table_empty() {
        for (std::size_t i = 1; i <= 15; ++i)
            if (!m().is_la[i].empty() || !m().is_ke[i].empty()) return false;
        return true;
    }

    // Clicks the weakest card of the human's hand that is not picked yet and
    // may be picked (a card in the hand's row; no three while others remain).
    void pick_one() {
        const CardList& a = m().dw_a;
        const bool only_threes =
            std::all_of(a.rows().begin(), a.rows().end(), [](const CardRow& r) { return r.code() == "3"; });
        for (int r = a.row_count(); r >= 1; --r) {
            const CardRow& card = a.at(r);
            if (m().dw_out.contains(card.num) || m().dw_main.describe(card.id() + ".tag") != "my") continue;
            if (settings.gb_b3 && card.code() == "3" && !only_threes) continue;
            const SurfaceObject* o = m().dw_main.find(card.id());
            ASSERT_NE(o, nullptr);
            const int before = m().dw_out.row_count();
            QTest::mouseClick(window->table(), Qt::LeftButton, {}, QPoint(px_x(o->x + 10), px_y(o->y + 10)));
            ASSERT_EQ(m().dw_out.row_count(), before + 1) << "the click on " << card.id() << " picked nothing";
            return;
        }
        FAIL() << "no card left to pick";
    }

    // The human's return for the slot being settled, through the window.
    void return_owed() {
        ASSERT_FALSE(m().ib_go);
        ASSERT_TRUE(button("cb_gog")->isVisible());
        ASSERT_TRUE(button("cb_gog")->isEnabled());
        const int slot = m().ii_cur;
        const int owed = m().ii_la[static_cast<std::size_t>(slot)];
        while (m().dw_out.row_count() < owed) {
            pick_one();
            if (HasFatalFailure()) return;
        }
        press("cb_gog");
        ASSERT_TRUE(cards_accounted());
        ASSERT_TRUE(m().ib_go || m().ii_cur > slot) << "the return of slot " << slot << " was not taken";
    }

    // Plays the deal out, the computer taking the human's turns.
    void finish_deal() {
        if (m().deal_running() && m().is_current.empty()) {
            m().wf_firstgo(m().is_firstgo);
            window->sync_buttons();
        }
        for (int turns = 0; m().deal_running(); ++turns) {
            ASSERT_LT(turns, 2000);
            ASSERT_TRUE(cards_accounted());
            ASSERT_EQ(m().is_current, "A");
            ASSERT_TRUE(m().autoplay_human());
            window->sync_buttons();
        }
        ASSERT_TRUE(button("cb_send")->isEnabled());
    }

    std::size_t notes_seen = 0;
    bool noted_since(const std::string& text) {
        const auto& log = m().note_log;
        return std::any_of(log.begin() + static_cast<long>(notes_seen), log.end(),
                           [&text](const std::string& l) { return l.find(text) != std::string::npos; });
    }
};

TEST_F(WindowTribute, TheHumanReceivesAndReturnsTributeInTwoDealsInARow) {
    // The first deal owes nothing and starts at once.
    press("cb_send");
    ASSERT_TRUE(m().ib_go);
    ASSERT_TRUE(cards_accounted());
    finish_deal();
    if (HasFatalFailure()) return;

    // Whatever the places, the human receives from both sides now.
    for (std::size_t i = 1; i <= 15; ++i) {
        m().is_la[i].clear();
        m().is_ke[i].clear();
        m().ii_la[i] = 0;
    }
    m().is_la[13] = "D";
    m().is_ke[13] = "A";
    m().ii_la[13] = 2;
    m().is_la[14] = "C";
    m().is_ke[14] = "A";
    m().ii_la[14] = 1;

    notes_seen = m().note_log.size();
    press("cb_send");
    ASSERT_TRUE(cards_accounted());
    ASSERT_FALSE(m().ib_go);
    ASSERT_EQ(m().ii_cur, 13);
    EXPECT_TRUE(noted_since("花月容进落贡"));
    EXPECT_EQ(m().note_log.back(), "请钟离云还贡");
    EXPECT_FALSE(button("cb_send")->isEnabled());

    ASSERT_EQ(m().ii_la[13], 2) << "the seed deals D at least two jokers or 2s";
    // One card where two are owed: the box, and the slot stays open.
    pick_one();
    press("cb_gog");
    ASSERT_EQ(boxes->texts, std::vector<std::string>{"请选择2张牌还贡！"});
    EXPECT_FALSE(m().ib_go);
    EXPECT_EQ(m().ii_cur, 13);
    EXPECT_TRUE(button("cb_gog")->isVisible());
    ASSERT_TRUE(cards_accounted());
    return_owed();
    if (HasFatalFailure()) return;
    EXPECT_TRUE(noted_since("钟离云还落贡"));

    // The partner's tribute: the question is answered Yes in its box.
    ASSERT_EQ(m().ii_cur, 14);
    EXPECT_EQ(boxes->texts.back(), "要同帮的进贡吗？");
    EXPECT_TRUE(noted_since("石坚进落贡"));
    return_owed();
    if (HasFatalFailure()) return;

    EXPECT_TRUE(m().ib_go);
    EXPECT_FALSE(button("cb_gog")->isVisible());
    EXPECT_TRUE(table_empty());
    EXPECT_TRUE(noted_since("开始游戏＞＞＞"));
    finish_deal();
    if (HasFatalFailure()) return;

    // The second deal's own places are owed now; a smother debt to the
    // human is added so that it receives again.
    const std::string last = m().is_la[13], first = m().is_ke[13];
    ASSERT_FALSE(last.empty());
    ASSERT_FALSE(first.empty());
    m().is_la[1] = "B";
    m().is_ke[1] = "A";
    m().ii_la[1] = 1;

    notes_seen = m().note_log.size();
    boxes->texts.clear();
    press("cb_send");
    for (int guard = 0; !m().ib_go; ++guard) {
        ASSERT_LT(guard, 15);
        return_owed();
        if (HasFatalFailure()) return;
    }
    EXPECT_TRUE(noted_since("柳烟进扪贡"));
    EXPECT_TRUE(noted_since("钟离云还扪贡"));
    EXPECT_TRUE(noted_since(std::string(seat_name(last)) + "进落贡"));
    EXPECT_TRUE(noted_since(std::string(seat_name(first)) + "还落贡"));
    EXPECT_TRUE(table_empty());
    EXPECT_FALSE(button("cb_gog")->isVisible());
    EXPECT_TRUE(cards_accounted());
    finish_deal();
}

}  // namespace
}  // namespace tav::ui
