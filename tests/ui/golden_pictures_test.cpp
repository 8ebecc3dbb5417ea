// Golden pictures: the real main window rendered at six moments of one seeded
// game and compared pixel for pixel with the PNGs in tests/ui/golden/.
//
//   startup         the window just shown, before the first shuffle;
//   dealt           the human has pressed the shuffle button: hands dealt
//                   (fast deal), play running up to the human's first turn;
//   picked          one card of the human's hand clicked on the table, raised;
//   challenge       a seat has just followed a challenge play ("瑟柯牌");
//   deal_end        the first deal over, the place labels (头科 ...) still
//                   up and the table not yet cleared for the next deal;
//   tribute_return  a later deal: the human owed a return, picked its
//                   weakest cards and pressed the return button.
//
// Every picture is taken at the same window size, with no button hovered or
// focused, so it shows the game and not the way the mouse travelled.
//
// Renewing the pictures: run
//   TAV_UPDATE_GOLDEN=1 ./build/ui_tests --gtest_filter='Golden*'
// which writes the PNGs instead of comparing them, look at every picture, and
// commit the renewed pictures on their own, saying what changed on the table
// and why. On a mismatch the test writes <name>.actual.png to the current
// directory and names it in the failure.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "model/catalogue.h"
#include "ui/main_window.h"
#include "ui/units.h"
#include "window_support.h"

#ifndef TAV_SOURCE_DIR
#error "the golden pictures are found through TAV_SOURCE_DIR"
#endif

namespace tav::ui {
namespace {

// ============================================================================
// Game driving: the only part of this file that knows the engine. Whatever
// replaces these helpers must reach the same moments of the same game.
// ============================================================================

// Seed 2024 with the default rules (threes, place tributes only): the human
// meets its first turn following a single 4, the human's own 2 is answered by
// 花月容's joker in the first deal, and the first return the human owes comes
// in the sixth deal (花月容's tribute to the human, 二科 of the deal before).
constexpr std::uint64_t kSeed = 2024;

struct Drive {
    MainWindow& w;
    ~Drive() { m().callbacks.before_event = nullptr; }
    Session& m() { return w.session(); }
    const game::Hand& hand() { return m().state().hands[game::Seat::A]; }
    bool picked(game::Card c) {
        return std::find(m().picking().picks().begin(), m().picking().picks().end(), c) != m().picking().picks().end();
    }

    void press(const char* name) { QTest::mouseClick(w.button(name), Qt::LeftButton); }
    void click_card(game::Card card) {
        const SurfaceObject* o = m().surface().find(card_id(card));
        if (o) QTest::mouseClick(w.table(), Qt::LeftButton, {}, QPoint(px_x(o->x + 10), px_y(o->y + 10)));
    }
    bool pickable(game::Card card) {
        if (picked(card) || !m().view().in_human_row(card)) return false;
        return !m().settings.threes_rule || game::rank_of(card) != game::kThree ||
               std::all_of(hand().begin(), hand().end(), [](game::Card c) { return game::rank_of(c) == game::kThree; });
    }

    // Shuffles and deals; play runs until the human is asked for something.
    void shuffle() { press("cb_send"); }
    bool humans_turn() {
        const game::Ask a = m().state().ask;
        return m().state().deal_running() &&
               (a == game::Ask::lead || a == game::Ask::follow || a == game::Ask::follow_or_hold);
    }

    // Clicks the weakest card the human holds alone in its rank (else the
    // weakest pickable card); true when something stands raised.
    bool raise_one() {
        for (bool single : {true, false})
            for (int r = hand().size() - 1; r >= 0; --r) {
                const game::Card card = hand()[r];
                if (!pickable(card) || (single && hand().count(game::rank_of(card)) != 1)) continue;
                click_card(card);
                return !m().picking().picks().empty();
            }
        return false;
    }

    // The computer takes the human's turns until the deal is over.
    bool play_out() {
        for (int turns = 0; m().state().deal_running(); ++turns) {
            if (turns > 2000 || !m().autoplay_human()) return false;
            w.sync_buttons();
        }
        return true;
    }

    bool owes_return() {
        const auto& log = m().view().note_log();
        return m().state().ask == game::Ask::return_tribute && w.button("cb_gog")->isVisible() &&
               w.button("cb_gog")->isEnabled() && !log.empty() && log.back() == "请钟离云还贡";
    }
    // Picks as many of the human's weakest cards as owed and presses return.
    bool return_weakest() {
        const int owed = m().state().ledger[static_cast<std::size_t>(m().state().settling)].count;
        for (int r = hand().size() - 1; r >= 0 && static_cast<int>(m().picking().picks().size()) < owed; --r)
            if (pickable(hand()[r])) click_card(hand()[r]);
        if (static_cast<int>(m().picking().picks().size()) != owed) return false;
        press("cb_gog");
        return m().picking().picks().empty();  // the return was taken
    }

    // Calls `take` at the moments that pass inside a chain of computer turns:
    // a follow of a challenge play, its cards down and not yet announced, and
    // the end of the first deal.
    void watch(const std::function<void(const std::string&)>& take) {
        m().callbacks.before_event = [this, take, challenge = false, deal_end = false,
                                      after_play = false](const game::Event& e) mutable {
            // The play named last in the note area was a challenge.
            const auto& log = m().view().note_entries();
            const auto* last = log.empty() ? nullptr : std::get_if<game::Event>(&log.back());
            const auto* called = last ? std::get_if<game::PlayCalled>(last) : nullptr;
            if (!challenge && after_play && std::holds_alternative<game::PlayCalled>(e) && called &&
                called->challenge) {
                challenge = true;
                take("challenge");
            }
            after_play = std::holds_alternative<game::Played>(e);
            if (!deal_end && std::holds_alternative<game::DealOver>(e)) {
                deal_end = true;
                take("deal_end");
            }
        };
    }
};

// ============================================================================
// Pictures
// ============================================================================

constexpr QSize kTable(787, 568);

QString golden_dir() { return QStringLiteral(TAV_SOURCE_DIR) + "/tests/ui/golden"; }
bool updating() {
    const char* v = std::getenv("TAV_UPDATE_GOLDEN");
    return v && std::string(v) == "1";
}

struct GoldenPictures : ::testing::Test {
    Settings settings;
    std::unique_ptr<MainWindow> window;
    std::map<std::string, QImage> shots;

    void SetUp() override {
        settings.play_pause = 0;            // no pause before a play leaves the table
        settings.deal_speed = "0";          // the fast deal: no timers
        settings = classic_look(settings);  // the optional helps off: the plain table
        window = std::make_unique<MainWindow>(settings, kSeed);
        window->resize(kTable.width(), kTable.height() + window->menuBar()->sizeHint().height());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_EQ(window->table()->size(), kTable);
    }

    // The whole window as it stands, with no button hovered or focused.
    void take(const std::string& name) {
        for (QPushButton* b : window->findChildren<QPushButton*>()) {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(b, &leave);
        }
        if (QWidget* f = QApplication::focusWidget()) f->clearFocus();
        EXPECT_EQ(window->table()->size(), kTable) << name;
        EXPECT_FALSE(shots.count(name)) << name << " taken twice";
        shots[name] = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    void compare(const std::string& name) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(shots.count(name)) << "the game never reached the moment " << name;
        const QImage& actual = shots[name];
        const QString golden = golden_dir() + "/" + QString::fromStdString(name) + ".png";
        if (updating()) {
            QDir().mkpath(golden_dir());
            ASSERT_TRUE(actual.save(golden, "PNG")) << golden.toStdString();
            return;
        }
        const QImage expected = QImage(golden).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(expected.isNull()) << "no picture " << golden.toStdString() << " (TAV_UPDATE_GOLDEN=1 writes it)";
        long differing = 0;
        if (expected.size() == actual.size())
            for (int y = 0; y < actual.height(); ++y) {
                const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
                const auto* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
                for (int x = 0; x < actual.width(); ++x) differing += a[x] != e[x];
            }
        if (expected.size() == actual.size() && differing == 0) return;
        const QString out = QDir::current().absoluteFilePath(QString::fromStdString(name) + ".actual.png");
        actual.save(out, "PNG");
        ADD_FAILURE() << "the window differs from " << golden.toStdString() << ": "
                      << (expected.size() == actual.size()
                              ? std::to_string(differing) + " pixels differ"
                              : "size " + std::to_string(actual.width()) + "x" + std::to_string(actual.height()) +
                                    " instead of " + std::to_string(expected.width()) + "x" +
                                    std::to_string(expected.height()))
                      << "; the rendering is in " << out.toStdString();
    }
};

TEST_F(GoldenPictures, SixMomentsOfOneSeededGame) {
    BoxAnswerer boxes;
    Drive game{*window};
    game.watch([this](const std::string& name) { take(name); });

    take("startup");
    game.shuffle();
    take("dealt");
    ASSERT_TRUE(game.humans_turn()) << "the first deal waits for the human";
    ASSERT_TRUE(game.raise_one());
    take("picked");
    ASSERT_TRUE(game.play_out());

    for (int deal = 2; deal <= 12 && !shots.count("tribute_return"); ++deal) {
        game.shuffle();
        for (int owed = 0; game.owes_return(); ++owed) {
            ASSERT_LT(owed, 15);
            ASSERT_TRUE(game.return_weakest());
            if (!shots.count("tribute_return")) take("tribute_return");
        }
        ASSERT_TRUE(game.play_out());
    }
    EXPECT_EQ(boxes.answered(), 0);

    for (const char* name : {"startup", "dealt", "picked", "challenge", "deal_end", "tribute_return"}) compare(name);
}

}  // namespace
}  // namespace tav::ui
