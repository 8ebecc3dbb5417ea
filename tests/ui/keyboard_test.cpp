// The game played from the keyboard on the real window: ← → move the focus
// mark over the human's row, Space picks the marked card as a click would,
// Enter plays, Esc drops the picks, S P H R shuffle, pass, hold back and
// return a tribute. Whole deals are played without the mouse; keys for what
// is not on offer, Space on a three held back by the threes rule and keys
// while a dialog is open or the computer seats play change nothing.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/catalogue.h"
#include "model/invariants.h"
#include "ui/about_dialog.h"
#include "ui/cool_button.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "ui/setup_dialog.h"
#include "ui/units.h"
#include "window_support.h"

namespace tav::ui {
namespace {

using game::Ask;
using game::Card;
using game::Seat;

// What a key may change, to see that one changed nothing.
struct Snapshot {
    Ask ask;
    game::Phase phase;
    std::vector<Card> hand, picks;
    std::size_t notes;
    int focus;
    bool focus_shown;
    std::vector<int> card_y;
    bool operator==(const Snapshot&) const = default;
};

struct KeyboardPlay : ::testing::Test {
    Settings settings = quick_settings();
    std::unique_ptr<MainWindow> window;
    BoxAnswerer boxes;
    int plays = 0, follows = 0, passes = 0, holds = 0, returns = 0;

    void open(std::uint64_t seed) {
        window = std::make_unique<MainWindow>(settings, seed);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    Session& m() { return window->session(); }
    const game::Hand& hand() { return m().state().hands[Seat::A]; }
    bool enabled(const char* name) { return window->button(name)->isEnabled(); }
    void key(Qt::Key k) { QTest::keyClick(window.get(), k); }
    bool picked(Card c) {
        return std::find(m().picking().picks().begin(), m().picking().picks().end(), c) != m().picking().picks().end();
    }
    bool pickable(Card c) {
        if (!settings.threes_rule || game::rank_of(c) != game::kThree) return true;
        return std::all_of(hand().begin(), hand().end(), [](Card x) { return game::rank_of(x) == game::kThree; });
    }
    int y_of(Card c) { return m().surface().find(card_id(c))->y; }

    Snapshot snapshot() {
        Snapshot s{m().state().ask,
                   m().state().phase,
                   {hand().begin(), hand().end()},
                   m().picking().picks(),
                   m().view().note_log().size(),
                   m().picking().focus(),
                   m().picking().focus_shown(),
                   {}};
        for (Card c : s.hand) s.card_y.push_back(y_of(c));
        return s;
    }

    // Every key of the game in turn; those after which something changed.
    std::vector<std::string> keys_that_change_something() {
        std::vector<std::string> out;
        for (Qt::Key k : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Space, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter,
                          Qt::Key_S, Qt::Key_P, Qt::Key_H, Qt::Key_R}) {
            const Snapshot before = snapshot();
            key(k);
            if (!(snapshot() == before)) out.push_back(QKeySequence(k).toString().toStdString());
        }
        return out;
    }

    // Brings the focus mark onto card `index` of the row with the arrow keys.
    void focus_on(int index) {
        if (!m().picking().focus_shown()) key(Qt::Key_Right);  // shows it where it stands
        ASSERT_TRUE(m().picking().focus_shown());
        for (int guard = 0; m().picking().focus() != index; ++guard) {
            ASSERT_LT(guard, 100);
            key(m().picking().focus() < index ? Qt::Key_Right : Qt::Key_Left);
        }
        ASSERT_EQ(m().picking().focused_card(), m().picking().human_row()[static_cast<std::size_t>(index)]);
    }

    ::testing::AssertionResult cards_accounted() {
        for (const std::string& broken : {game::check_cards(m().state()), game::check_plays(m().state())})
            if (!broken.empty()) return ::testing::AssertionFailure() << broken;
        for (Card c : m().picking().picks())
            if (!hand().contains(c)) return ::testing::AssertionFailure() << card_id(c) << " is picked but not held";
        return ::testing::AssertionSuccess();
    }

    // The human's turn from the keyboard: the weakest rank that can be played
    // (Space, Enter), else pass (P) or hold back (H).
    void take_turn() {
        const Ask ask = m().state().ask;
        const std::vector<Card> row = m().picking().human_row();
        for (int i = static_cast<int>(row.size()) - 1; i >= 0; --i) {
            if (!pickable(row[static_cast<std::size_t>(i)])) continue;
            focus_on(i);
            if (HasFatalFailure()) return;
            key(Qt::Key_Space);
            ASSERT_FALSE(m().picking().picks().empty()) << "Space picks the marked card";
            if (enabled("cb_out")) {
                const std::size_t held = hand().size(), picks = m().picking().picks().size();
                key(Qt::Key_Return);
                ASSERT_EQ(hand().size(), held - picks) << "Enter plays the picked cards";
                ++(ask == Ask::lead ? plays : follows);
                return;
            }
            ASSERT_NE(ask, Ask::lead) << "a whole rank is a legal lead";
            key(Qt::Key_Escape);
            ASSERT_TRUE(m().picking().picks().empty()) << "Esc drops every pick";
        }
        ASSERT_NE(ask, Ask::lead);
        const std::size_t notes = m().view().note_log().size();
        if (ask == Ask::follow_or_hold) {
            key(Qt::Key_H);
            ++holds;
        } else {
            key(Qt::Key_P);
            ++passes;
        }
        ASSERT_GT(m().view().note_log().size(), notes) << "the key acts";
    }

    // Picks the weakest cards owed with the arrows and Space, then R.
    void return_tribute() {
        const int owed = m().state().ledger[static_cast<std::size_t>(m().state().settling)].count;
        const std::vector<Card> row = m().picking().human_row();
        for (int i = static_cast<int>(row.size()) - 1; i >= 0 && static_cast<int>(m().picking().picks().size()) < owed;
             --i)
            if (pickable(row[static_cast<std::size_t>(i)])) {
                focus_on(i);
                if (HasFatalFailure()) return;
                key(Qt::Key_Space);
                ASSERT_TRUE(picked(row[static_cast<std::size_t>(i)])) << "one card at a time for a return";
            }
        ASSERT_EQ(static_cast<int>(m().picking().picks().size()), owed);
        const std::size_t held = hand().size();
        key(Qt::Key_R);
        ASSERT_TRUE(m().picking().picks().empty()) << "R returns the picked cards";
        ASSERT_EQ(hand().size(), held - static_cast<std::size_t>(owed));
        ++returns;
    }

    void play_deal() {
        const std::size_t first_note = m().view().note_log().size();
        ASSERT_TRUE(enabled("cb_send"));
        key(Qt::Key_S);
        ASSERT_FALSE(enabled("cb_send")) << "S shuffles";
        for (int guard = 0; m().state().ask == Ask::return_tribute; ++guard) {
            ASSERT_LT(guard, 20);
            return_tribute();
            if (HasFatalFailure()) return;
        }
        for (int actions = 0; m().state().deal_running(); ++actions) {
            ASSERT_LT(actions, 1000);
            ASSERT_TRUE(cards_accounted());
            const Ask ask = m().state().ask;
            ASSERT_TRUE(ask == Ask::lead || ask == Ask::follow || ask == Ask::follow_or_hold)
                << "the deal runs but waits for nothing from the human";
            take_turn();
            if (HasFatalFailure()) return;
        }
        ASSERT_TRUE(cards_accounted());
        const auto& log = m().view().note_log();
        EXPECT_EQ(std::count(log.begin() + static_cast<long>(first_note), log.end(), "游戏结束"), 1);
        EXPECT_EQ(log.back(), "＞＞＞请先洗牌");
        EXPECT_TRUE(hand().empty());
        EXPECT_FALSE(m().picking().focus_shown()) << "no mark over an empty row";
        int sum = 0;
        for (Seat seat : game::kAllSeats) sum += m().state().scores[seat];
        EXPECT_EQ(sum, 0);
    }
};

TEST_F(KeyboardPlay, WholeDealsWithoutTheMouse) {
    open(2024);
    // Deals until the human has returned a tribute from the keyboard.
    for (int deal = 1; deal <= 12 && (deal <= 2 || returns == 0); ++deal) {
        SCOPED_TRACE("deal " + std::to_string(deal));
        play_deal();
        if (HasFailure()) return;
    }
    EXPECT_GT(plays, 3);
    EXPECT_GT(follows, 3);
    EXPECT_GT(passes + holds, 3);
    EXPECT_GT(returns, 0) << "no return came to the human";
    for (const std::string& text : boxes.texts)
        EXPECT_EQ(text, "要同帮的进贡吗？") << "only the partner question opens a box";
}

TEST_F(KeyboardPlay, TheMarkComesWithTheArrowsAndGoesWithAClick) {
    open(2);
    key(Qt::Key_Right);
    EXPECT_FALSE(m().picking().focus_shown()) << "no row before the deal";
    key(Qt::Key_S);
    ASSERT_EQ(m().state().ask, Ask::lead);
    const QImage before = window->table()->grab().toImage();
    EXPECT_FALSE(m().picking().focus_shown());
    EXPECT_EQ(m().picking().focus(), 0);

    key(Qt::Key_Left);  // the first press only shows the mark, on the leftmost card
    EXPECT_TRUE(m().picking().focus_shown());
    EXPECT_EQ(m().picking().focus(), 0);
    EXPECT_EQ(m().picking().focused_card(), hand()[0]);
    EXPECT_NE(window->table()->grab().toImage(), before) << "the mark is drawn";
    key(Qt::Key_Left);
    EXPECT_EQ(m().picking().focus(), 0) << "the leftmost card is the end";
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    EXPECT_EQ(m().picking().focused_card(), hand()[2]);
    const int last = static_cast<int>(m().picking().human_row().size()) - 1;
    for (int i = 0; i < 40; ++i) key(Qt::Key_Right);
    EXPECT_EQ(m().picking().focus(), last) << "nor does it run past the rightmost card";

    // A click on the cloth takes the mark away and changes nothing else.
    QTest::mouseClick(window->table(), Qt::LeftButton, {}, QPoint(px_x(1800), px_y(300)));
    EXPECT_FALSE(m().picking().focus_shown());
    EXPECT_EQ(window->table()->grab().toImage(), before);
    key(Qt::Key_Space);
    EXPECT_TRUE(m().picking().picks().empty()) << "Space needs a mark in sight";
    key(Qt::Key_Right);  // back where it was
    EXPECT_EQ(m().picking().focus(), last);

    // The marked card is picked exactly as a click picks it, the quick pick
    // taking its whole rank for a lead; Space again drops it alone.
    focus_on(3);
    const Card c = m().picking().focused_card();
    key(Qt::Key_Space);
    EXPECT_TRUE(picked(c));
    EXPECT_EQ(static_cast<int>(m().picking().picks().size()), hand().count(game::rank_of(c)));
    EXPECT_TRUE(enabled("cb_out"));
    key(Qt::Key_Space);
    EXPECT_FALSE(picked(c));
    key(Qt::Key_Escape);
    EXPECT_TRUE(m().picking().picks().empty());
    EXPECT_FALSE(enabled("cb_out"));
    for (Card x : hand()) EXPECT_EQ(y_of(x), 1696) << card_id(x) << " stands down";

    // A button with the keyboard focus does not take Space or Enter.
    window->button("cb_quit")->setFocus();
    key(Qt::Key_Space);
    EXPECT_TRUE(picked(c));
    const std::size_t held = hand().size();
    key(Qt::Key_Return);
    EXPECT_LT(hand().size(), held);
    EXPECT_TRUE(window->isVisible());
    // The played cards left the row; the focus keeps its place in it.
    EXPECT_EQ(m().picking().focus(), 3);
    EXPECT_TRUE(m().picking().focus_shown());
}

TEST_F(KeyboardPlay, KeysForWhatIsNotOnOfferDoNothing) {
    open(2024);
    // Before the shuffle only S acts.
    Snapshot s = snapshot();
    for (Qt::Key k : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_P, Qt::Key_H, Qt::Key_R, Qt::Key_Space, Qt::Key_Escape,
                      Qt::Key_Left, Qt::Key_Right}) {
        key(k);
        EXPECT_EQ(snapshot(), s) << QKeySequence(k).toString().toStdString();
    }
    // Alt+S stays the menu's, as it always was: no shuffle.
    QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    EXPECT_EQ(m().state().ask, Ask::shuffle);
    EXPECT_TRUE(m().state().hands[Seat::A].empty());

    key(Qt::Key_S);
    ASSERT_TRUE(m().state().deal_running());
    ASSERT_EQ(m().state().ask, Ask::follow) << "the seed's first turn follows a single 4";
    // Following: no shuffle, no hold back, no return, nothing to play yet.
    key(Qt::Key_Right);
    s = snapshot();
    for (Qt::Key k : {Qt::Key_S, Qt::Key_H, Qt::Key_R, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        key(k);
        EXPECT_EQ(snapshot(), s) << QKeySequence(k).toString().toStdString();
    }
    // A pick that cannot beat the standing play leaves Enter without effect.
    const std::vector<Card> row = m().picking().human_row();
    focus_on(static_cast<int>(row.size()) - 1);
    for (int i = static_cast<int>(row.size()) - 1; i >= 0 && !HasFatalFailure(); --i) {
        const Card c = row[static_cast<std::size_t>(i)];
        if (game::rank_of(c) != game::kFour) continue;
        focus_on(i);
        key(Qt::Key_Space);
        ASSERT_TRUE(picked(c));
        ASSERT_FALSE(enabled("cb_out")) << "a 4 does not beat a 4";
        s = snapshot();
        key(Qt::Key_Return);
        EXPECT_EQ(snapshot(), s);
        key(Qt::Key_Escape);
        break;
    }
    EXPECT_TRUE(m().picking().picks().empty());
    // P acts: the pass goes through.
    key(Qt::Key_P);
    EXPECT_GT(m().view().note_log().size(), s.notes);
}

TEST_F(KeyboardPlay, SpaceOnAThreeWhileOtherCardsRemainDoesNothing) {
    ASSERT_TRUE(settings.threes_rule);
    open(2);
    key(Qt::Key_S);
    ASSERT_EQ(m().state().ask, Ask::lead);
    const std::vector<Card> row = m().picking().human_row();
    const auto three = std::find_if(row.begin(), row.end(), [](Card c) { return game::rank_of(c) == game::kThree; });
    ASSERT_NE(three, row.end()) << "the seed gives the human a three";
    ASSERT_GT(hand().size() - static_cast<std::size_t>(hand().count(game::kThree)), 0U);
    focus_on(static_cast<int>(three - row.begin()));
    const Snapshot s = snapshot();
    key(Qt::Key_Space);
    EXPECT_EQ(snapshot(), s);
    EXPECT_FALSE(enabled("cb_out"));
    // The card beside it is picked as usual.
    focus_on(static_cast<int>(three - row.begin()) - 1);
    key(Qt::Key_Space);
    EXPECT_FALSE(m().picking().picks().empty());
}

TEST_F(KeyboardPlay, KeysWhileADialogIsOpenDoNothing) {
    open(2);
    // Every key, to the window behind the dialog and to the dialog itself
    // (where Esc and Enter would close it, so they are left out).
    auto all_keys = [this](QDialog* d) {
        for (Qt::Key k : {Qt::Key_S, Qt::Key_Right, Qt::Key_Left, Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape,
                          Qt::Key_P, Qt::Key_H, Qt::Key_R}) {
            key(k);
            if (k != Qt::Key_Return && k != Qt::Key_Escape) QTest::keyClick(d, k);
        }
    };
    // The rules dialog before the first shuffle: S does not deal behind it.
    Snapshot before = snapshot();
    Snapshot during = before;
    when_open<SetupDialog>([&](SetupDialog* d) {
        all_keys(d);
        during = snapshot();
        d->reject();
    });
    window->open_setup();
    EXPECT_EQ(during, before);
    EXPECT_TRUE(m().state().hands[Seat::A].empty());

    // The about box during the human's lead, with the mark in sight and a
    // card picked: the mark stays put, nothing is picked, dropped or played.
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    key(Qt::Key_S);
    ASSERT_EQ(m().state().ask, Ask::lead);
    focus_on(1);
    key(Qt::Key_Space);
    ASSERT_FALSE(m().picking().picks().empty());
    before = snapshot();
    when_open<AboutDialog>([&](AboutDialog* d) {
        all_keys(d);
        during = snapshot();
        d->reject();
    });
    window->open_about();
    EXPECT_EQ(during, before);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(KeyboardPlay, KeysWhileTheComputerSeatsPlayDoNothing) {
    open(2);
    key(Qt::Key_S);
    ASSERT_EQ(m().state().ask, Ask::lead);
    focus_on(0);
    // While the play goes round, every key is tried at each event shown.
    int tried = 0;
    std::vector<std::string> changed;
    m().callbacks.before_event = [&](const game::Event&) {
        if (!m().busy()) return;
        ++tried;
        for (const std::string& k : keys_that_change_something()) changed.push_back(k);
    };
    const std::size_t notes = m().view().note_log().size();
    key(Qt::Key_Space);
    key(Qt::Key_Return);  // the lead, and the computer seats' answers
    m().callbacks.before_event = nullptr;
    EXPECT_GT(m().view().note_log().size(), notes);
    EXPECT_GT(tried, 0);
    EXPECT_TRUE(changed.empty()) << (changed.empty() ? "" : changed.front());
}

TEST_F(KeyboardPlay, KeysDuringThePauseBeforeAPlayLeavesDoNothing) {
    settings.play_pause = 0.05;
    open(2);
    key(Qt::Key_S);
    ASSERT_EQ(m().state().ask, Ask::lead);
    focus_on(0);
    int tried = 0;
    std::vector<std::string> changed;
    QTimer keys;
    QObject::connect(&keys, &QTimer::timeout, [&] {
        if (!m().busy()) return;
        ++tried;
        for (const std::string& k : keys_that_change_something()) changed.push_back(k);
    });
    keys.start(5);
    // The computer takes the human's turns until a pause has come.
    for (int turns = 0; tried == 0 && m().state().deal_running(); ++turns) {
        ASSERT_LT(turns, 2000);
        if (m().busy() || m().asking())
            QTest::qWait(1);  // the keys are tried while the queue waits on its timer
        else
            ASSERT_TRUE(m().autoplay_human());
    }
    keys.stop();
    EXPECT_GT(tried, 0) << "no pause came";
    EXPECT_TRUE(changed.empty()) << (changed.empty() ? "" : changed.front());
}

TEST_F(KeyboardPlay, TheTooltipsNameTheKeys) {
    open(1);
    const struct {
        const char* name;
        const char* tag;
        const char* text;
        const char* key;
    } buttons[] = {
        {"cb_send", "开始游戏请先洗牌", "洗牌(&S)", "S"},
        {"cb_out", "请选择一手牌来发牌", "发牌(&O)", "Enter"},
        {"cb_pass", "不接牌请过牌", "过牌(&P)", "P"},
        {"cb_over", "瑟柯牌扣牌", "扣牌(&O)", "H"},
        {"cb_gog", "还牌", "还牌(&O)", "R"},
        {"cb_quit", "退出本游戏", "退出(&Q)", "Alt+Q"},
    };
    for (const auto& b : buttons) {
        auto* w = qobject_cast<CoolButton*>(window->button(b.name));
        ASSERT_NE(w, nullptr) << b.name;
        EXPECT_EQ(w->toolTip(), QString::fromUtf8(b.tag) + "（" + b.key + "）") << b.name;
        EXPECT_EQ(w->tag(), QString::fromUtf8(b.tag)) << b.name;
        EXPECT_EQ(w->text(), QString::fromUtf8(b.text)) << b.name;
    }
    // The quit button's own key still closes the window.
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->isVisible(); }, 2000));
}

TEST(KeyboardHelp, TheHelpPageListsTheKeys) {
    QFile page(":/help/index.html");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    for (const char* word : {"键盘", "←", "→", "空格", "回车", "Esc", "<td>S</td>", "<td>P</td>", "<td>H</td>",
                             "<td>R</td>", "<td>I</td>", "<td>T</td>"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word;
}

}  // namespace
}  // namespace tav::ui
