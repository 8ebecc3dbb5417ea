// The tribute through the real window: deals follow one another, the human
// receives tribute, answers the boxes and returns cards by clicking them on
// the table and pressing the return button, and no card is ever lost or
// doubled on the way.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/catalogue.h"
#include "model/invariants.h"
#include "session/card_counter.h"
#include "store/serialise.h"
#include "ui/main_window.h"
#include "ui/units.h"
#include "view/layout.h"
#include "window_support.h"

namespace tav::ui {
namespace {

using game::Ask;
using game::Card;
using game::Debt;
using game::Seat;

// Seed 20264023 with smother tributes on, the computer playing the human's
// turns and the human returning its weakest cards: the human comes first in
// the first two deals. The second deal opens with 柳烟's smother tribute to
// the human (one card) and 石坚's place tribute (two cards, a partner's: the
// human is asked); the third with 月琴's smother tribute and 花月容's place
// tribute, both to the human.
constexpr std::uint64_t kSeed = 20264023;

struct WindowTribute : ::testing::Test {
    Settings settings;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<BoxAnswerer> boxes;

    void SetUp() override {
        settings.play_pause = 0;
        settings.smother_tributes = true;
        window = std::make_unique<MainWindow>(settings, kSeed);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        boxes = std::make_unique<BoxAnswerer>();
    }

    Session& m() { return window->session(); }
    const game::State& state() { return m().state(); }
    const game::Hand& hand() { return state().hands[Seat::A]; }
    QPushButton* button(const char* name) { return window->button(name); }
    void press(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    bool picked(Card c) {
        return std::find(m().picking().picks().begin(), m().picking().picks().end(), c) != m().picking().picks().end();
    }

    ::testing::AssertionResult cards_accounted() {
        if (std::string broken = game::check_cards(state()); !broken.empty())
            return ::testing::AssertionFailure() << broken;
        for (Card c : m().picking().picks())
            if (!hand().contains(c)) return ::testing::AssertionFailure() << card_id(c) << " is picked but not held";
        return ::testing::AssertionSuccess();
    }

    bool ledger_empty() {
        return std::none_of(state().ledger.begin(), state().ledger.end(), [](const Debt& d) { return d.filed(); });
    }

    // Clicks the weakest card of the human's hand that is not picked yet and
    // may be picked (a card in the hand's row; no three while others remain).
    void pick_one() {
        const bool only_threes =
            std::all_of(hand().begin(), hand().end(), [](Card c) { return game::rank_of(c) == game::kThree; });
        for (int r = hand().size() - 1; r >= 0; --r) {
            const Card card = hand()[r];
            if (picked(card) || !m().view().in_human_row(card)) continue;
            if (settings.threes_rule && game::rank_of(card) == game::kThree && !only_threes) continue;
            const SurfaceObject* o = m().surface().find(card_id(card));
            ASSERT_NE(o, nullptr);
            const std::size_t before = m().picking().picks().size();
            QTest::mouseClick(window->table(), Qt::LeftButton, {}, QPoint(px_x(o->x + 10), px_y(o->y + 10)));
            ASSERT_EQ(m().picking().picks().size(), before + 1)
                << "the click on " << card_id(card) << " picked nothing";
            return;
        }
        FAIL() << "no card left to pick";
    }

    // The human's return for the slot being settled, through the window;
    // the partner question it may bring is answered by the boxes.
    void return_owed(bool wait_for_answer = true) {
        ASSERT_EQ(state().ask, Ask::return_tribute);
        ASSERT_TRUE(button("cb_gog")->isVisible());
        ASSERT_TRUE(button("cb_gog")->isEnabled());
        const int slot = state().settling;
        const int owed = state().ledger[static_cast<std::size_t>(slot)].count;
        while (static_cast<int>(m().picking().picks().size()) < owed) {
            pick_one();
            if (HasFatalFailure()) return;
        }
        press("cb_gog");
        for (int i = 0; wait_for_answer && m().asking() && i < 400; ++i) QTest::qWait(5);
        ASSERT_FALSE(wait_for_answer && m().asking()) << "the partner question was not answered";
        ASSERT_TRUE(cards_accounted());
        ASSERT_TRUE(state().ask != Ask::return_tribute || state().settling > slot)
            << "the return of slot " << slot << " was not taken";
    }

    // Plays the deal out, the computer taking the human's turns.
    void finish_deal() {
        for (int turns = 0; state().deal_running(); ++turns) {
            ASSERT_LT(turns, 2000);
            ASSERT_TRUE(cards_accounted());
            ASSERT_TRUE(m().autoplay_human());
        }
        ASSERT_TRUE(button("cb_send")->isEnabled());
    }

    std::size_t notes_seen = 0;
    bool noted_since(const std::string& text) {
        const auto& log = m().view().note_log();
        return std::any_of(log.begin() + static_cast<long>(notes_seen), log.end(),
                           [&text](const std::string& l) { return l.find(text) != std::string::npos; });
    }
    void expect_debt(int slot, Seat payer, int count) {
        const Debt& d = state().ledger[static_cast<std::size_t>(slot)];
        EXPECT_EQ(d, (Debt{payer, Seat::A, count})) << "slot " << slot;
    }

    // The first deal owes nothing and starts at once; played out, it leaves
    // the human the second deal's tributes.
    void first_deal() {
        press("cb_send");
        ASSERT_TRUE(state().deal_running());
        ASSERT_TRUE(cards_accounted());
        finish_deal();
        if (HasFatalFailure()) return;
        expect_debt(1, Seat::B, 1);
        expect_debt(13, Seat::C, 2);
        ASSERT_FALSE(HasFailure()) << "the seed no longer gives the tributes this test is about";
        notes_seen = m().view().note_log().size();
    }
};

TEST_F(WindowTribute, TheHumanReceivesAndReturnsTributeInTwoDealsInARow) {
    first_deal();
    if (HasFatalFailure()) return;

    press("cb_send");
    ASSERT_TRUE(cards_accounted());
    ASSERT_EQ(state().ask, Ask::return_tribute);
    ASSERT_EQ(state().settling, 1);
    EXPECT_TRUE(noted_since("柳烟进扪贡"));
    EXPECT_EQ(m().view().note_log().back(), "请钟离云还贡");
    EXPECT_FALSE(button("cb_send")->isEnabled());
    return_owed();
    if (HasFatalFailure()) return;
    EXPECT_TRUE(noted_since("钟离云还扪贡"));

    // The partner's tribute: the question is answered Yes in its box.
    ASSERT_EQ(state().settling, 13);
    ASSERT_EQ(boxes->texts, std::vector<std::string>{"要同帮的进贡吗？"});
    EXPECT_TRUE(noted_since("石坚进落贡"));
    ASSERT_EQ(state().ledger[13].count, 2);
    // One card where two are owed: the box, and the slot stays open.
    pick_one();
    press("cb_gog");
    ASSERT_EQ(boxes->texts.back(), "请选择2张牌还贡！");
    EXPECT_EQ(state().ask, Ask::return_tribute);
    EXPECT_EQ(state().settling, 13);
    EXPECT_TRUE(button("cb_gog")->isVisible());
    ASSERT_TRUE(cards_accounted());
    return_owed();
    if (HasFatalFailure()) return;
    EXPECT_TRUE(noted_since("钟离云还落贡"));

    EXPECT_TRUE(state().deal_running());
    EXPECT_FALSE(button("cb_gog")->isVisible());
    EXPECT_TRUE(ledger_empty());
    EXPECT_TRUE(noted_since("开始游戏＞＞＞"));
    finish_deal();
    if (HasFatalFailure()) return;

    // The second deal's own tributes: the human receives twice again.
    const auto owed = state().ledger;
    ASSERT_EQ(std::count_if(owed.begin(), owed.end(), [](const Debt& d) { return d.receiver == Seat::A; }), 2);
    notes_seen = m().view().note_log().size();
    boxes->texts.clear();
    press("cb_send");
    for (int guard = 0; state().ask == Ask::return_tribute; ++guard) {
        ASSERT_LT(guard, 15);
        return_owed();
        if (HasFatalFailure()) return;
    }
    for (int slot = 1; slot <= game::kLedgerSlots; ++slot) {
        const Debt& d = owed[static_cast<std::size_t>(slot)];
        if (!d.payer || !d.receiver) continue;
        const std::string kind = slot <= 6 ? "扪" : slot <= 12 ? "点" : "落";
        EXPECT_TRUE(noted_since(std::string(game::name_of(*d.payer)) + "进" + kind + "贡")) << "slot " << slot;
        EXPECT_TRUE(noted_since(std::string(game::name_of(*d.receiver)) + "还" + kind + "贡")) << "slot " << slot;
    }
    EXPECT_TRUE(boxes->texts.empty());
    EXPECT_TRUE(ledger_empty());
    EXPECT_FALSE(button("cb_gog")->isVisible());
    EXPECT_TRUE(cards_accounted());
    finish_deal();
}

TEST_F(WindowTribute, NoToAPartnersTributeLeavesItsCardsWithThePartner) {
    first_deal();
    if (HasFatalFailure()) return;
    // What 石坚 shows as its tribute, its hand as laid out again after the
    // human's No, and how those cards lie on the table when play begins.
    std::vector<Card> shown, relaid;
    std::vector<SurfaceObject> at_start;
    bool refused = false;
    m().callbacks.before_event = [&](const game::Event& event) {
        for (const test::Row& e : test::rows(event)) {
            if (e.kind == test::Kind::handed && e.seat == Seat::C) shown.push_back(e.card);
            if (e.kind == test::Kind::note && e.text == "请钟离云放弃贡") refused = true;
            if (refused && relaid.empty() && e.kind == test::Kind::laid_out && e.seat == Seat::C) relaid = e.cards;
            if (e.kind == test::Kind::note && e.text == "开始游戏＞＞＞")
                for (Card c : shown) at_start.push_back(*m().surface().find(card_id(c)));
        }
    };
    press("cb_send");
    ASSERT_EQ(state().settling, 1);
    boxes->yes = false;
    return_owed();  // 柳烟's smother tribute; then 石坚's tribute and the question
    m().callbacks.before_event = nullptr;
    if (HasFatalFailure()) return;

    ASSERT_EQ(boxes->texts, std::vector<std::string>{"要同帮的进贡吗？"});
    EXPECT_TRUE(noted_since("石坚进落贡"));
    EXPECT_TRUE(refused);
    EXPECT_FALSE(noted_since("钟离云还落贡"));
    EXPECT_NE(state().ask, Ask::return_tribute) << "no return is owed for a tribute let go";
    EXPECT_TRUE(state().deal_running());
    EXPECT_FALSE(button("cb_gog")->isVisible());
    EXPECT_TRUE(ledger_empty());
    ASSERT_EQ(shown.size(), 2u);
    ASSERT_EQ(at_start.size(), 2u);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_FALSE(hand().contains(shown[i])) << card_id(shown[i]);
        EXPECT_NE(std::find(relaid.begin(), relaid.end(), shown[i]), relaid.end()) << card_id(shown[i]);
        // Face down again in 石坚's row.
        EXPECT_EQ(at_start[i].filename, settings.card_back) << card_id(shown[i]);
        EXPECT_EQ(at_start[i].x, layout::hand_slot(Seat::C, 1).x) << card_id(shown[i]);
    }
    EXPECT_TRUE(cards_accounted());
}

// The window closed while the partner question is open, or while a play is
// in sight for its pause: the game stays as the last action made it, shown
// whole, and neither a late answer nor a late timer runs anything.
TEST_F(WindowTribute, ClosingWhileTheQuestionIsOpenOrInAPauseKeepsTheGameAndRunsNothingLate) {
    for (const bool question : {true, false}) {
        SCOPED_TRACE(question ? "the question open" : "in a pause");
        if (!window) SetUp();
        first_deal();
        if (HasFatalFailure()) return;
        QPointer<QMessageBox> box;
        if (question) {
            boxes.reset();  // nobody answers
            press("cb_send");
            return_owed(false);
            if (HasFatalFailure()) return;
            ASSERT_TRUE(m().asking());
            box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            EXPECT_EQ(box->text(), QString("要同帮的进贡吗？"));
            EXPECT_EQ(box->windowModality(), Qt::WindowModal) << "the question stops only this window";
        } else {
            settings.play_pause = 0.2;
            press("cb_send");
            for (int turns = 0; !m().busy(); ++turns) {
                ASSERT_LT(turns, 2000) << "no pause came";
                if (state().ask == Ask::return_tribute) return_owed();
                if (HasFatalFailure()) return;
                if (!m().busy() && state().deal_running()) {
                    ASSERT_TRUE(m().autoplay_human());
                }
            }
        }
        const std::string before = game::write_state(state());
        window->close();
        EXPECT_FALSE(m().busy() || m().asking());
        EXPECT_EQ(game::write_state(state()), before) << "the game changed on closing";
        EXPECT_EQ(state().ask == Ask::take_partner_tribute, question) << "a kept game asks again";
        EXPECT_TRUE(m().surface().redraw());
        EXPECT_EQ(m().helps().counter(), unseen_by_human(state())) << "the showing was not taken to its end";
        const std::vector<std::string> notes = m().view().note_log();
        if (box) box->button(QMessageBox::Yes)->click();
        QTest::qWait(300);  // past any pause
        EXPECT_EQ(game::write_state(state()), before) << "a late answer or timer went in";
        EXPECT_EQ(m().view().note_log(), notes);
        window.reset();  // the box and the timers go with the window
        QCoreApplication::processEvents();
        EXPECT_FALSE(box);
    }
}

}  // namespace
}  // namespace tav::ui
