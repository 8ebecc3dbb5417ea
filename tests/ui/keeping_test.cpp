// What lasts between runs, through the real window: a game closed mid-deal
// is taken up exactly where it stood (state, generator, table, notes); the
// statistics and the settings survive a restart; damaged files are refused,
// kept aside under another name, and the game starts fresh.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QSysInfo>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <map>
#include <memory>
#include <tuple>

#include "app/settings_store.h"
#include "model/catalogue.h"
#include "model/invariants.h"
#include "store/saved_game.h"
#include "store/serialise.h"
#include "ui/deal_number_dialog.h"
#include "ui/keep_files.h"
#include "ui/main_menu.h"
#include "ui/main_window.h"
#include "ui/stats_dialog.h"
#include "window_support.h"

namespace tav::ui {
namespace {

using game::Ask;
using game::Seat;

// As a full disk: this process cannot write a file past `bytes` while it lasts.
struct FileSizeLimit {
    rlimit before{};
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
        getrlimit(RLIMIT_FSIZE, &before);
        rlimit now = before;
        now.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &now);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &before); }
};

// How many of the boxes answered so far said `what`.
int said(const BoxAnswerer& boxes, const std::string& what) {
    return static_cast<int>(std::count_if(boxes.texts.begin(), boxes.texts.end(),
                                          [&](const std::string& t) { return t.find(what) != std::string::npos; }));
}

bool deal_over(const game::State& s) { return s.first_leader && s.ask == Ask::shuffle; }
bool into_a_deal(const game::State& s) { return s.deal_running() && s.ask != Ask::nothing; }
bool mid_trick(const game::State& s) { return into_a_deal(s) && s.trick.standing; }

// Whether `text` says `what`, showing the whole text when it does not.
::testing::AssertionResult says(const std::string& text, const std::string& what) {
    if (text.find(what) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << text << "\" does not say \"" << what << '"';
}

// The texts of the boxes that stand beside the game without stopping it.
std::vector<std::string> notices(QWidget* window) {
    std::vector<std::string> out;
    for (auto* box : window->findChildren<QMessageBox*>("box_keeping")) out.push_back(box->text().toStdString());
    return out;
}

// Everything the table shows of the cards, labels and notes, with the
// drawing order of the cards in the hands (they overlap in their rows).
std::string table_picture(const Surface& s, const game::State& state) {
    std::string out;
    s.for_each([&](const SurfaceObject& o) {
        const int n = card_number(o.name);
        for (Seat seat : game::kAllSeats)
            if (n != 0 && o.visible && state.hands[seat].contains(static_cast<game::Card>(n))) out += o.name + " ";
    });
    out += "\n";
    for (int n = 1; n <= game::kCards; ++n) {
        const SurfaceObject* o = s.find(card_id(n));
        if (!o || !o->visible) continue;
        out += o->name + " " + std::to_string(o->x) + "," + std::to_string(o->y) + " " + o->filename + " " + o->tag +
               " " + o->pointer + "\n";
    }
    for (int n = 1; n <= game::kCards; ++n) {
        const SurfaceObject* o = s.find("p_t" + std::to_string(n));
        if (o && o->visible) out += o->name + "\n";
    }
    for (const char* name : {"t_oa", "t_ob", "t_oc", "t_od", "t_oe", "t_of"}) {
        const SurfaceObject* o = s.find(name);
        out += std::string(name) + (o->visible ? " " + o->text : " hidden") + "\n";
    }
    for (const char* name : {"t_ca", "t_cb", "t_cc", "t_cd", "t_ce", "t_cf"}) out += s.find(name)->text + "\n";
    return out + s.find("t_note")->text;
}

class KeptBetweenRuns : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QSettings().clear();  // the test run's own settings file, never the user's
    }
    void TearDown() override { QSettings().clear(); }

    // A window as the program opens it, keeping its files in the test's folder.
    std::unique_ptr<MainWindow> open(Settings& s) {
        auto w = std::make_unique<MainWindow>(s, 99);
        w->show();
        w->keep_between_runs(folder.path());
        return w;
    }
    // The computer plays the human's seat until `done` says stop; the boxes answer the partner question.
    template <class Done>
    void play_until(MainWindow& w, Done done) {
        for (int i = 0; i < 5000 && !done(w.session().state()); ++i) {
            if (w.session().busy() || w.session().asking()) {
                QTest::qWait(2);  // a pause, or the partner question in its box
                continue;
            }
            if (w.session().state().ask == Ask::shuffle)
                w.session().shuffle();
            else
                ASSERT_TRUE(w.session().autoplay_human());
            QCoreApplication::processEvents();  // the saves after each action
        }
        while (w.keeping().save_due()) QTest::qWait(2);  // the last one may wait its turn
        ASSERT_TRUE(done(w.session().state()));
    }
    QString path(const char* name) const { return folder.path() + "/" + name; }
    std::string read(const char* name) const { return file_text(path(name)); }
    void write(const char* name, const std::string& text) const { write_file(path(name), text); }

    // Whether the saved game file reads back as the game on the window's table.
    ::testing::AssertionResult saves_the_table(MainWindow& w) const {
        const SavedGameRead saved = read_saved_game(read("saved-game.txt"));
        if (!saved.ok()) return ::testing::AssertionFailure() << "the saved game is refused: " << saved.error;
        if (game::write_state(saved.game.state) == game::write_state(w.session().state()))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the saved game is not the one on the table";
    }

    // Every file in the folder but the lock, with its bytes.
    std::map<QString, std::string> files() const {
        std::map<QString, std::string> out;
        for (const QString& name : QDir(folder.path()).entryList(QDir::Files | QDir::System))
            if (name != "tav.lock") out[name] = read(name.toUtf8().constData());
        return out;
    }

    QTemporaryDir folder;
    BoxAnswerer boxes;
    Settings s = quick_settings();  // the settings of the window a test opens
};

TEST_F(KeptBetweenRuns, AGameClosedMidDealIsTakenUpExactlyWhereItStood) {
    Settings first = quick_settings();
    first.smother_tributes = true;  // the rules of the game, not of the next start
    first.computer_level = 1;
    auto w = open(first);
    EXPECT_EQ(boxes.answered(), 0);  // nothing kept yet: nothing asked
    // Into the first deal: a seat out, a play standing, the human still in.
    play_until(*w, [](const game::State& s) {
        return s.deal_running() && s.out_count >= 1 && s.trick.standing && !s.is_out(Seat::A);
    });
    EXPECT_TRUE(w->keeping().statistics().deals().empty());
    const game::State saved = w->session().state();
    const std::mt19937_64 rng = w->session().rng();
    const std::uint64_t dealt = w->session().helps().deal_number(), next = w->session().helps().next_deal_number();
    ASSERT_NE(dealt, 0u);
    const std::vector<std::string> notes = w->session().view().note_log();
    const std::string picture = table_picture(w->session().surface(), w->session().state());
    w->close();
    w.reset();
    const std::string kept = read("saved-game.txt");
    ASSERT_FALSE(kept.empty());

    Settings second = quick_settings();  // a start with the rules at their start values
    w = open(second);
    ASSERT_EQ(boxes.answered(), 1);
    EXPECT_EQ(boxes.texts[0], "上次的牌局还没有打完，要接着打吗？");
    const game::State& now = w->session().state();
    EXPECT_EQ(game::write_state(now), game::write_state(saved));
    EXPECT_EQ(now.hands, saved.hands);
    EXPECT_EQ(now.plays, saved.plays);
    EXPECT_EQ(now.scores, saved.scores);
    EXPECT_EQ(w->session().rng(), rng);
    EXPECT_EQ(w->session().helps().deal_number(), dealt);  // the deal's number, and the next one's
    EXPECT_EQ(w->session().helps().next_deal_number(), next);
    EXPECT_EQ(w->session().view().note_log(), notes);
    EXPECT_EQ(table_picture(w->session().surface(), w->session().state()), picture);
    EXPECT_TRUE(second.smother_tributes);     // the game's rules came back with it
    EXPECT_EQ(second.computer_level, 1);      // and the computer's level
    EXPECT_EQ(read("saved-game.txt"), kept);  // taken up, it stays until the next save replaces it
    // The buttons offer what the game asks, and the game goes on to the end of the deal.
    EXPECT_EQ(w->button("cb_pass")->isEnabled(), now.ask == Ask::follow);
    play_until(*w, [](const game::State& s) { return s.ask == Ask::shuffle; });
    EXPECT_EQ(game::check_cards(w->session().state()), "");
    // The deal is counted, with the places given before the close.
    EXPECT_EQ(w->keeping().statistics().deals().size(), 1u) << read("statistics.txt");
    EXPECT_EQ(w->keeping().statistics().games(), 1);
}

TEST_F(KeptBetweenRuns, AGameClosedWhileTheHumanOwesAReturnGoesOnWithTheReturn) {
    s.smother_tributes = true;
    s.point_tributes = true;
    auto w = open(s);
    play_until(*w, [](const game::State& st) { return st.ask == Ask::return_tribute; });
    const std::string saved = game::write_state(w->session().state());
    const std::string picture = table_picture(w->session().surface(), w->session().state());
    w->close();

    w = open(s);
    ASSERT_EQ(game::write_state(w->session().state()), saved);
    EXPECT_EQ(table_picture(w->session().surface(), w->session().state()), picture);
    EXPECT_TRUE(w->button("cb_gog")->isVisible());
    // The return is made by the computer's choice, and the deal goes on.
    ASSERT_TRUE(w->session().autoplay_human());
    EXPECT_NE(w->session().state().ask, Ask::return_tribute);
    EXPECT_EQ(game::check_cards(w->session().state()), "");
}

// Closed in the pause before a play leaves the table (by the player, or on
// SIGTERM): the game is kept as the action left it, with all its notes.
TEST_F(KeptBetweenRuns, AGameClosedInThePauseBeforeAPlayLeavesIsKeptWhole) {
    s.play_pause = 0.2;
    auto w = open(s);
    play_until(*w, into_a_deal);
    for (int acts = 0; !w->session().busy(); ++acts) {
        ASSERT_LT(acts, 500) << "no pause came";
        if (w->session().asking())
            QTest::qWait(5);  // the boxes answer the partner question
        else if (w->session().state().ask == Ask::shuffle)
            w->session().shuffle();
        else
            ASSERT_TRUE(w->session().autoplay_human());
    }
    const std::string saved = game::write_state(w->session().state());
    w->close();
    const std::vector<std::string> notes = w->session().view().note_log();
    w = open(s);
    EXPECT_EQ(game::write_state(w->session().state()), saved);
    EXPECT_EQ(w->session().view().note_log(), notes);
}

TEST_F(KeptBetweenRuns, ADeclinedGameStaysUntilAnotherIsPlayedAndANewGamePutsTheGameAside) {
    auto w = open(s);
    play_until(*w, into_a_deal);
    w->close();
    const std::string kept = read("saved-game.txt");
    ASSERT_FALSE(kept.empty());
    boxes.yes = false;
    w = open(s);
    EXPECT_EQ(boxes.answered(), 1);
    EXPECT_EQ(w->session().state().ask, Ask::shuffle);  // a fresh game
    EXPECT_FALSE(game_started(w->session().state()));
    w->close();  // nothing under way: the declined game stays
    EXPECT_EQ(read("saved-game.txt"), kept);

    w = open(s);
    EXPECT_EQ(boxes.answered(), 2);  // offered again
    play_until(*w, into_a_deal);
    EXPECT_TRUE(saves_the_table(*w));  // saved as it is played
    w->new_game();
    EXPECT_FALSE(QFile::exists(path("saved-game.txt")));  // the player put it aside
    w->close();
    EXPECT_FALSE(QFile::exists(path("saved-game.txt")));
}

TEST_F(KeptBetweenRuns, StatisticsSurviveARestartAndAResetAsksFirst) {
    auto w = open(s);
    std::array<int, 6> told{};  // the places as the table shows them
    w->session().callbacks.before_event = [&](const game::Event& event) {
        for (const test::Row& e : test::rows(event)) {
            if (e.kind == test::Kind::place) told[game::array_index(e.seat)] = e.number;
        }
    };
    play_until(*w, deal_over);
    w->session().callbacks.before_event = nullptr;
    const game::State after = w->session().state();
    ASSERT_EQ(w->keeping().statistics().deals().size(), 1u);
    const DealResult first = w->keeping().statistics().deals()[0];
    EXPECT_EQ(first.places, told);
    EXPECT_EQ(first.scores[3], after.scores[Seat::D]);
    w->new_game();  // the next deal is filed under another game
    play_until(*w, deal_over);
    // A deal chosen by number begins a game too: its scores start from 0, so
    // it must not be filed as the game before going on.
    boxes.yes = true;  // the game under way is given up
    when_open<DealNumberDialog>([](DealNumberDialog* d) {
        child<QLineEdit>(d, "sle_dealno")->setText("2024005");
        click(child<QPushButton>(d, "cb_confirm"));
    });
    w->open_deal_number();
    play_until(*w, deal_over);
    w->close();

    boxes.yes = false;
    w = open(s);
    const Statistics& stats = w->keeping().statistics();
    ASSERT_EQ(stats.deals().size(), 3u);
    EXPECT_EQ(stats.deals()[0], first);
    EXPECT_EQ(stats.games(), 3);

    // The dialog from the menu: the numbers, then a reset that is first refused, then confirmed.
    bool seen = false;
    when_open<StatsDialog>([&](StatsDialog* d) {
        auto* table = child<QTableWidget>(d, "t_stats");
        EXPECT_EQ(table->item(0, 0)->text(), "3");
        EXPECT_EQ(child<QLabel>(d, "st_summary")->text(), "共3盘，3局");
        boxes.yes = false;
        click(child<QPushButton>(d, "cb_reset"));
        EXPECT_EQ(table->item(0, 0)->text(), "3");
        boxes.yes = true;
        click(child<QPushButton>(d, "cb_reset"));
        EXPECT_EQ(table->item(0, 0)->text(), "0");
        seen = true;
        d->accept();
    });
    auto* menu = w->findChild<MainMenu*>();
    ASSERT_NE(menu, nullptr);
    menu->item("m_统计")->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(read("statistics.txt"), "tav statistics 2\n");  // the one time it is written whole
}

TEST_F(KeptBetweenRuns, SettingsSurviveARestartAndTheFirstStartUsesTheStartValues) {
    Settings fresh;
    load_settings(fresh);  // no file yet
    EXPECT_EQ(settings_entries(fresh), settings_entries(Settings{}));

    auto w = open(s);
    when_open<QDialog>([](QDialog* d) {
        click(child<QWidget>(d, "p_3"));
        click(child<QPushButton>(d, "cb_confirm"));
    });
    w->open_bgcard();
    EXPECT_EQ(s.card_back, "cards\\bgcard3.bmp");
    Settings saved_now;
    load_settings(saved_now);  // written when the dialog closed
    EXPECT_EQ(saved_now.card_back, "cards\\bgcard3.bmp");

    s.background_style = 2;
    s.background_colour2 = {10, 20, 30};
    s.deal_speed = "1";
    w->close();
    Settings next;
    load_settings(next);
    EXPECT_EQ(settings_entries(next), settings_entries(s));
}

TEST_F(KeptBetweenRuns, DamagedFilesAreRefusedKeptAsideAndTheGameStartsFresh) {
    auto w = open(s);
    play_until(*w, [](const game::State& st) { return st.first_leader && st.deal_running() && st.trick.standing; });
    w->close();
    w.reset();
    const std::string good = read("saved-game.txt");
    ASSERT_FALSE(good.empty());
    const std::string cut = good.substr(0, good.size() / 2);
    write("saved-game.txt", cut);
    write("statistics.txt", "tav statistics 1\ndeal 1 1 1 1 1 1 1 0 0 0 0 0 0\nend\n");

    w = open(s);
    ASSERT_EQ(boxes.answered(), 2);
    EXPECT_TRUE(says(boxes.texts[0], "统计文件无法读取"));
    EXPECT_TRUE(says(boxes.texts[0], "名次重复（第2行）"));
    EXPECT_TRUE(says(boxes.texts[1], "上次保存的牌局无法读取"));
    EXPECT_TRUE(says(boxes.texts[1], "saved-game.txt.bad"));
    EXPECT_EQ(read("saved-game.txt.bad"), cut);
    EXPECT_FALSE(game_started(w->session().state()));
    EXPECT_TRUE(w->keeping().statistics().deals().empty());

    // A second bad file does not take the first one's place aside.
    write("saved-game.txt", "tav saved game 7\n");
    w->close();  // nothing under way: nothing written over it
    w = open(s);
    EXPECT_EQ(read("saved-game.txt.bad"), cut);
    EXPECT_EQ(read("saved-game.txt.bad2"), "tav saved game 7\n");
    EXPECT_TRUE(says(boxes.texts.back(), "新版本保存的牌局（版本 7）"));
}

TEST_F(KeptBetweenRuns, ACrashLosesNoMoreThanTheLastAction) {
    auto w = open(s);
    play_until(*w, deal_over);
    play_until(*w, mid_trick);
    const std::string state = game::write_state(w->session().state());
    // Gone without its window closing: only what was saved as the game went on is left.
    w.reset();
    w = open(s);
    ASSERT_EQ(said(boxes, "要接着打吗"), 1);
    EXPECT_EQ(game::write_state(w->session().state()), state);
    EXPECT_EQ(w->keeping().statistics().deals().size(), 1u);
    w.reset();
    // Taken up, the game is still there for the next crash.
    w = open(s);
    ASSERT_EQ(said(boxes, "要接着打吗"), 2);
    EXPECT_EQ(game::write_state(w->session().state()), state);
}

TEST_F(KeptBetweenRuns, AFullDiskKeepsTheFilesAsTheyWereTellsOnceAndPlayGoesOn) {
    auto w = open(s);
    play_until(*w, deal_over);
    play_until(*w, into_a_deal);
    const std::string game = read("saved-game.txt"), stats = read("statistics.txt");
    ASSERT_EQ(read_statistics(stats).stats.deals().size(), 1u);
    {
        const FileSizeLimit full(16);
        play_until(*w, deal_over);
        play_until(*w, mid_trick);
        EXPECT_EQ(read("saved-game.txt"), game);
        EXPECT_EQ(read("statistics.txt"), stats);
        EXPECT_EQ(w->keeping().statistics().deals().size(), 2u);  // the game went on
        w->set_language(2);
        w->set_language(0);
        const std::vector<std::string> told = notices(w.get());
        ASSERT_EQ(told.size(), 3u);  // once for each file, though each failed many times
        // In whichever order the deferred game save and the deal's end came.
        for (const char* what : {"牌局无法保存", "统计无法保存", "设置无法保存"})
            EXPECT_EQ(std::count_if(told.begin(), told.end(), [&](const std::string& t) { return says(t, what); }), 1)
                << what;
        EXPECT_EQ(said(boxes, "无法保存"), 0);  // nothing stopped the game to be answered
    }
    // Room again: the deal that waited is appended with the next one.
    play_until(*w, deal_over);
    const StatisticsRead back = read_statistics(read("statistics.txt"));
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_EQ(back.stats.deals(), w->keeping().statistics().deals());
    EXPECT_EQ(back.stats.deals().size(), 3u);
    EXPECT_TRUE(saves_the_table(*w));
}

TEST_F(KeptBetweenRuns, APipeInPlaceOfAKeptFileIsRefusedWithoutWaitingForIt) {
    const QString settings_file = QSettings().fileName();
    for (const QString& pipe : {path("saved-game.txt"), path("statistics.txt"), settings_file}) {
        SCOPED_TRACE(pipe.toStdString());
        boxes.texts.clear();
        QDir().mkpath(QFileInfo(pipe).absolutePath());
        QFile::remove(pipe);
        ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
        s = quick_settings();  // afresh for each
        load_settings(s);      // a pipe would hold the start here, or in the window's first read
        EXPECT_EQ(settings_entries(s), settings_entries(quick_settings()));
        auto w = open(s);
        ASSERT_GE(boxes.answered(), 1);
        EXPECT_TRUE(says(boxes.texts[0], "普通文件"));
        play_until(*w, deal_over);
        w->close();
        if (pipe == settings_file) {
            EXPECT_FALSE(QFileInfo(pipe).isFile());  // not written over either
            QFile::remove(pipe);
            load_settings(s);
            EXPECT_TRUE(settings_refusal().isEmpty());
        } else {
            EXPECT_FALSE(QFileInfo(pipe + ".bad").isFile());  // the pipe, put aside
            EXPECT_TRUE(QFileInfo(pipe).isFile());            // and the file written anew
            QFile::remove(pipe + ".bad");
        }
        for (const char* name : {"saved-game.txt", "statistics.txt"}) QFile::remove(path(name));
    }
}

TEST_F(KeptBetweenRuns, ARefusedFileThatCannotBePutAsideIsNotWrittenOver) {
    for (int n = 1; n < 1000; ++n)
        write(("saved-game.txt.bad" + (n == 1 ? std::string() : std::to_string(n))).c_str(), "x");
    write("saved-game.txt", "tav saved game 7\n");
    auto w = open(s);
    ASSERT_EQ(boxes.answered(), 1);
    EXPECT_TRUE(says(boxes.texts[0], "本次运行不会写入它"));
    play_until(*w, deal_over);
    play_until(*w, into_a_deal);
    w->close();
    EXPECT_EQ(read("saved-game.txt"), "tav saved game 7\n");
    EXPECT_EQ(read("saved-game.txt.bad999"), "x");
    EXPECT_EQ(read_statistics(read("statistics.txt")).stats.deals().size(), 1u);  // the statistics are kept
}

TEST_F(KeptBetweenRuns, TheStatisticsAreAJournalOnlyAppendedTo) {
    const std::string head = "tav statistics 2\n", one = "deal 5 1 2 3 4 5 6 1 -1 0 0 0 0\n",
                      two = "deal 5 6 5 4 3 2 1 0 0 1 -1 0 0\n";
    const std::vector<std::tuple<const char*, std::string, std::string>> cases{
        {"none yet", "", head},
        {"a journal", head + one + two, head + one + two},
        {"the last line cut short", head + one + two + "deal 5 1 2 3", head + one + two},
        {"the first version, carried over", "tav statistics 1\n" + one + two + "end\n", head + one + two},
    };
    for (const auto& [name, before, after] : cases) {
        SCOPED_TRACE(name);
        QFile::remove(path("statistics.txt"));
        if (!before.empty()) write("statistics.txt", before);
        s = quick_settings();  // afresh for each
        auto w = open(s);
        EXPECT_EQ(boxes.answered(), 0);
        const std::size_t had = w->keeping().statistics().deals().size();
        EXPECT_EQ(had, before.empty() ? 0u : 2u);
        play_until(*w, deal_over);
        ASSERT_EQ(w->keeping().statistics().deals().size(), had + 1);
        EXPECT_EQ(read("statistics.txt"), after + statistics_line(w->keeping().statistics().deals().back()));
        w->new_game();
        w->close();
    }
}

TEST_F(KeptBetweenRuns, ASecondCopyIsToldAndWritesNothing) {
    auto first = open(s);
    play_until(*first, deal_over);
    play_until(*first, into_a_deal);
    const std::map<QString, std::string> before = files();
    ASSERT_EQ(before.size(), 2u);
    Settings remembered;
    load_settings(remembered);

    Settings other = quick_settings();
    auto second = open(other);
    ASSERT_EQ(said(boxes, "瑟柯牌局已经打开了"), 1);
    EXPECT_TRUE(second->keeping().second_copy());
    play_until(*second, deal_over);  // a game that is not saved
    play_until(*second, into_a_deal);
    second->set_language(2);  // a setting changed: not written either
    second->close();
    second.reset();
    EXPECT_EQ(files(), before);
    Settings now;
    load_settings(now);
    EXPECT_EQ(settings_entries(now), settings_entries(remembered));

    // The first copy goes on keeping: nothing of the second's is in its files.
    play_until(*first, deal_over);
    first->close();
    const StatisticsRead stats = read_statistics(read("statistics.txt"));
    EXPECT_EQ(stats.stats.deals(), first->keeping().statistics().deals());
    EXPECT_EQ(stats.stats.deals().size(), 2u);
    first.reset();

    // The lock of a copy that crashed (its process is gone) keeps no one out.
    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    ASSERT_GT(gone, 0);
    waitpid(gone, nullptr, 0);
    write("tav.lock", std::to_string(gone) + "\ntav\n" + QSysInfo::machineHostName().toStdString() + "\n");
    auto third = open(s);
    EXPECT_TRUE(third->keeping().active());
    EXPECT_FALSE(third->keeping().second_copy());
    EXPECT_EQ(said(boxes, "要接着打吗"), 1);  // the game offered back
    EXPECT_EQ(said(boxes, "已经打开"), 1);    // by the second copy only
}

}  // namespace
}  // namespace tav::ui
