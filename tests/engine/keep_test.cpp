// What is kept between runs, as text: the statistics and their file, the
// remembered settings, the saved game around the state.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <tuple>

#include "app/settings_store.h"
#include "rules/engine.h"
#include "store/saved_game.h"
#include "store/serialise.h"
#include "store/stats.h"
#include "tests/engine/saved_game_support.h"

namespace tav {
namespace {

DealResult deal(std::uint64_t game, std::array<int, 6> places, std::array<int, 6> scores) {
    return DealResult{game, places, scores};
}

TEST(Statistics, CountsPlacesPerDealAndScoresPerGame) {
    Statistics s;
    EXPECT_TRUE(s.record(deal(7, {1, 2, 3, 4, 5, 6}, {2, -2, 1, -1, 0, 0})));
    EXPECT_TRUE(s.record(deal(7, {6, 1, 2, 3, 4, 5}, {-1, 3, 1, -1, -2, 0})));
    EXPECT_TRUE(s.record(deal(9, {2, 1, 3, 4, 6, 5}, {4, 1, -1, -2, -3, 1})));
    // A deal that gives a place twice is not a deal.
    EXPECT_FALSE(s.record(deal(9, {1, 1, 3, 4, 5, 6}, {})));
    EXPECT_FALSE(s.record(deal(9, {0, 2, 3, 4, 5, 6}, {})));
    EXPECT_EQ(s.deals().size(), 3u);
    EXPECT_EQ(s.games(), 2);

    const SeatSummary a = s.seat(0);
    EXPECT_EQ(a.deals, 3);
    EXPECT_EQ(a.places[1], 1);
    EXPECT_EQ(a.places[2], 1);
    EXPECT_EQ(a.places[6], 1);
    EXPECT_DOUBLE_EQ(a.average_place, 3.0);
    EXPECT_EQ(a.total_score, -1 + 4);  // each game counted by its last deal
    EXPECT_EQ(a.best_game, 4);
    EXPECT_EQ(a.worst_game, -1);
    EXPECT_EQ(s.game_scores(0, 10), (std::vector<int>{-1, 4}));
    EXPECT_EQ(s.game_scores(0, 1), (std::vector<int>{4}));
    EXPECT_EQ(s.game_scores(1, 10), (std::vector<int>{3, 1}));
    EXPECT_EQ(s.seat(6).deals, 0);

    s.reset();
    EXPECT_EQ(s.games(), 0);
    EXPECT_EQ(s.seat(0).deals, 0);
    EXPECT_DOUBLE_EQ(s.seat(0).average_place, 0.0);
}

TEST(Statistics, FileReadsBackAndRefusesAnythingElse) {
    Statistics s;
    s.record(deal(18446744073709551615ull, {1, 2, 3, 4, 5, 6}, {2, -2, 1, -1, 1000000, -1000000}));
    s.record(deal(3, {6, 5, 4, 3, 2, 1}, {0, 0, 0, 0, 0, 0}));
    const std::string text = write_statistics(s);
    EXPECT_EQ(text, "tav statistics 2\n" + statistics_line(s.deals()[0]) + statistics_line(s.deals()[1]));
    const StatisticsRead back = read_statistics(text);
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_EQ(back.stats.deals(), s.deals());
    EXPECT_EQ(back.whole, text.size());
    EXPECT_TRUE(read_statistics(write_statistics(Statistics{})).ok());

    // Cut anywhere after its first line (a crash or a full disk as a line
    // was appended), the journal keeps every whole line and leaves the rest out.
    const std::size_t first_end = text.find('\n') + 1;
    for (std::size_t n = 0; n < text.size(); ++n) {
        const StatisticsRead cut = read_statistics(text.substr(0, n));
        if (n < first_end) {
            EXPECT_FALSE(cut.ok()) << n;
            continue;
        }
        ASSERT_TRUE(cut.ok()) << n << ": " << cut.error;
        const std::size_t whole = text.rfind('\n', n - 1) + 1;
        EXPECT_EQ(cut.whole, whole) << n;
        EXPECT_EQ(cut.cut_short(n), whole < n) << n;
        EXPECT_EQ(cut.stats.deals().size(), std::size_t(whole > first_end) + std::size_t(whole == text.size())) << n;
    }

    // A file of the first version (written whole with an end line) is read as it was.
    const std::string old =
        "tav statistics 1\n" + statistics_line(s.deals()[0]) + statistics_line(s.deals()[1]) + "end\n";
    const StatisticsRead carried = read_statistics(old);
    ASSERT_TRUE(carried.ok()) << carried.error;
    EXPECT_EQ(carried.version, 1);
    EXPECT_EQ(carried.stats.deals(), s.deals());
    for (std::size_t n = 0; n < old.size(); ++n) EXPECT_FALSE(read_statistics(old.substr(0, n)).ok()) << n;

    const std::vector<std::tuple<std::string, std::string, int>> refused{
        {"", "不是本程序的统计文件", 0},
        {"tav statistics x\n", "版本号已损坏", 0},
        {"tav statistics 3\n", "另一个版本", 0},
        {"tav statistics 2\nend\n", "不是一盘的记录", 2},
        {"tav statistics 2\ndeal 1 1 2 3 4 5 6 0 0 0 0 0\ndeal 1", "已损坏", 2},
        {"tav statistics 1\ndeal 1 1 2 3 4 5 6 0 0 0 0 0 0\ndeal 1 1 2 3 4 5 5 0 0 0 0 0 0\nend\n", "名次重复", 3},
        {"tav statistics 2\ndeal 1 1 2 3 4 5 7 0 0 0 0 0 0\n", "已损坏", 2},
        {"tav statistics 2\ndeal -1 1 2 3 4 5 6 0 0 0 0 0 0\n", "已损坏", 2},
        {"tav statistics 2\ndeal 1 1 2 3 4 5 6 0 0 0 0 0 1000001\n", "已损坏", 2},
        {"tav statistics 2\ndeal 1 1 2 3 4 5 6 0 0 0 0 0 0 9\n", "已损坏", 2},
        {"tav statistics 1\nend\nend\n", "结束行之后", 0},
        {"tav statistics 1\nplace 1\nend\n", "不是一盘的记录", 2},
    };
    for (const auto& [t, why, line] : refused) {
        const StatisticsRead r = read_statistics(t);
        EXPECT_FALSE(r.ok()) << t;
        EXPECT_NE(r.error.find(why), std::string::npos) << t << ": " << r.error;
        EXPECT_EQ(r.line, line) << t;
        EXPECT_TRUE(r.stats.deals().empty());
    }
}

TEST(RememberedSettings, ReadBackEqualAndStartValuesWithoutEntries) {
    Settings changed;
    changed.threes_rule = false;
    changed.smother_tributes = true;
    changed.point_tributes = true;
    changed.place_tributes_box = false;
    changed.win_style = 0;
    changed.deal_speed = "1";
    changed.play_pause = 0.37;
    changed.background_style = 3;
    changed.background_colour1 = {1, 2, 3};
    changed.background_colour2 = {255, 0, 128};
    changed.background_colour3 = {9, 99, 199};
    changed.card_back = "cards\\bgcard6.bmp";
    changed.computer_level = 1;
    changed.show_deal_number = false;
    changed.show_hint_button = false;
    changed.show_counter = true;
    changed.language = 2;
    changed.net_address = "127.0.0.1:47061";
    changed.net_code = "K7QXM4TB9C";
    changed.net_name = "柳烟";
    Settings back;
    EXPECT_TRUE(apply_settings_entries(back, settings_entries(changed)).empty());
    EXPECT_EQ(settings_entries(back), settings_entries(changed));
    EXPECT_DOUBLE_EQ(back.play_pause, 0.37);

    // Nothing remembered: the start values exactly.
    Settings fresh;
    EXPECT_TRUE(apply_settings_entries(fresh, {}).empty());
    EXPECT_EQ(settings_entries(fresh), settings_entries(Settings{}));
}

TEST(RememberedSettings, DamagedValuesKeepTheStartValueAndAreReported) {
    Settings s;
    const std::vector<std::string> refused = apply_settings_entries(s, {{"rules/threes", "yes"},
                                                                        {"table/pause", "51"},
                                                                        {"table/background", "4"},
                                                                        {"table/colour1", "1 2"},
                                                                        {"table/colour2", "1 2 256"},
                                                                        {"table/colour3", "1,2,3"},
                                                                        {"table/card_back", "../../etc/passwd"},
                                                                        {"table/deal_speed", "2"},
                                                                        {"rules/win_style", ""},
                                                                        {"rules/computer_level", "2"},
                                                                        {"view/counter", "on"},
                                                                        {"view/language", "3"},
                                                                        {"net/name", "a\nb"},
                                                                        {"net/code", "K7QXM4TB9C2"},
                                                                        {"net/address", std::string(256, 'a')},
                                                                        {"something/else", "1"}});
    EXPECT_EQ(refused.size(), 15u);
    EXPECT_EQ(settings_entries(s), settings_entries(Settings{}));
    EXPECT_NE(refused[0].find("rules/threes"), std::string::npos);
}

TEST(SavedGameText, ReadsBackWholeWithItsRecord) {
    const SavedGame g = test::game_under_way();
    ASSERT_TRUE(g.state.deal_running());
    ASSERT_TRUE(game_started(g.state));
    ASSERT_GT(g.record.deals().size(), 1u);
    const std::string text = write_saved_game(g);
    const SavedGameRead back = read_saved_game(text);
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_EQ(game::write_state(back.game.state), game::write_state(g.state));
    EXPECT_EQ(back.game.notes, g.notes);
    EXPECT_EQ(back.game.record, g.record);
    EXPECT_EQ(back.game.game_key, g.game_key);
    EXPECT_EQ(back.game.spots, g.spots);
    EXPECT_EQ(back.game.dealt_number, g.dealt_number);
    EXPECT_EQ(back.game.next_number, g.next_number);
    EXPECT_EQ(write_saved_game(back.game), text);
    EXPECT_FALSE(game_started(game::new_game({})));
    for (std::size_t n = 0; n < text.size(); n += text.size() / 300 + 1)
        ASSERT_FALSE(read_saved_game(text.substr(0, n)).ok()) << n;

    // A game saved by the version before (its state of format 2, with the
    // engine's schedule and no human line) reads as the same game.
    const std::string state_2 = test::as_state_format_2(text.substr(text.find('\n')));
    const SavedGameRead v3 = read_saved_game("tav saved game 3" + state_2);
    ASSERT_TRUE(v3.ok()) << v3.error;
    EXPECT_EQ(write_saved_game(v3.game), text);

    // The entries are events, so their lines come in the window's language;
    // a game saved two versions before, whose lines are Chinese text,
    // still reads, each line kept as written.
    ASSERT_TRUE(std::holds_alternative<game::Event>(g.notes.front()));
    std::string older = "tav saved game 2" + state_2;
    const std::size_t at = older.find("\nshuffling\n");
    ASSERT_NE(at, std::string::npos);
    older.replace(at, 11, "\n瑟柯洗牌开始\n");
    const SavedGameRead v2 = read_saved_game(older);
    ASSERT_TRUE(v2.ok()) << v2.error;
    EXPECT_EQ(game::write_state(v2.game.state), game::write_state(g.state));
    ASSERT_EQ(v2.game.notes.size(), g.notes.size());
    for (const game::notes::Entry& e : v2.game.notes) EXPECT_TRUE(std::holds_alternative<std::string>(e));
    // The first shuffle named is a note line (notes come before the record).
    const auto& notes = v2.game.notes;
    EXPECT_NE(std::find(notes.begin(), notes.end(), game::notes::Entry{"瑟柯洗牌开始"}), notes.end());
    EXPECT_EQ(v2.game.record.deals().size(), g.record.deals().size());
}

TEST(SavedGameText, TheWriterKeepsEveryLimitTheReaderEnforces) {
    // A game we wrote is never refused by us: an over-long line is cut at a
    // character's start, only the newest lines are kept.
    SavedGame g = test::game_under_way();
    const std::string long_line = "牌" + std::string(kSavedLineBytes, 'x');
    std::string chinese;
    while (chinese.size() <= kSavedLineBytes) chinese += "钟离云";  // three-byte characters
    using game::notes::Entry;
    // A text is kept after the two bytes that say it is one ("t ").
    constexpr std::size_t kText = kSavedLineBytes - 2;
    g.notes.assign(kSavedNotes + 5, Entry{"旧"});
    g.notes.back() = Entry{"新"};
    g.notes[g.notes.size() - 2] = chinese;
    g.notes[g.notes.size() - 3] = long_line;
    g.notes[g.notes.size() - 4] = std::string(20 << 20, '\\');
    std::vector<DealRecord> deals(3);
    deals[0] = {5001, std::vector<Entry>(kSavedRecordLines, Entry{"早"})};
    deals[1] = {5002, {Entry{"晚"}, Entry{chinese}}};
    deals[2] = {5003, {}};
    g.record.restore(deals);

    const SavedGameRead back = read_saved_game(write_saved_game(g));
    ASSERT_TRUE(back.ok()) << back.error;
    const std::vector<Entry>& notes = back.game.notes;
    ASSERT_EQ(notes.size(), kSavedNotes);
    EXPECT_EQ(notes.back(), Entry{"新"});
    EXPECT_EQ(notes[notes.size() - 2], Entry{chinese.substr(0, kText / 3 * 3)});
    EXPECT_EQ(notes[notes.size() - 3], Entry{long_line.substr(0, kText)});
    EXPECT_EQ(notes[notes.size() - 4], Entry{std::string(kText, '\\')});
    EXPECT_EQ(notes.front(), Entry{"旧"});
    const std::vector<DealRecord>& kept = back.game.record.deals();
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0].number, 5001u);
    EXPECT_EQ(kept[0].lines.size(), kSavedRecordLines - 2);  // the oldest lines gave way to the newest
    EXPECT_EQ(kept[1].lines[1], Entry{chinese.substr(0, kText / 3 * 3)});
    EXPECT_TRUE(kept[2].lines.empty());

    // A record too big to show gives way by its bytes too.
    const std::string thousand(kSavedLineBytes, 'r');
    deals.insert(deals.begin() + 1, {5002, std::vector<Entry>(kSavedRecordBytes / kSavedLineBytes, Entry{thousand})});
    g.record.restore(deals);
    const SavedGameRead big = read_saved_game(write_saved_game(g));
    ASSERT_TRUE(big.ok()) << big.error;
    ASSERT_EQ(big.game.record.deals().size(), 3u);
    EXPECT_EQ(big.game.record.deals()[0].lines.size(), kSavedRecordBytes / kSavedLineBytes - 2);
    EXPECT_EQ(big.game.record.deals()[1], kept[1]);
}

// A saved game is a file a player may be sent: each file made to break the
// reader is refused with its reason, and nothing of it is handed out.
TEST(SavedGameText, CraftedFilesAreRefusedWithTheirReason) {
    const std::string empty = write_saved_game(SavedGame{});
    const std::vector<test::Crafted> files = test::crafted_saved_games();
    EXPECT_GE(files.size(), 40u);
    for (const test::Crafted& f : files) {
        const SavedGameRead r = read_saved_game(f.text);
        EXPECT_FALSE(r.ok()) << f.name;
        EXPECT_NE(r.error.find(f.reason), std::string::npos) << f.name << ": " << r.error;
        EXPECT_EQ(write_saved_game(r.game), empty) << f.name;
        EXPECT_TRUE(r.game.record.deals().empty()) << f.name;
    }
    for (const test::Crafted& f : test::crafted_states()) {
        const game::StateRead r = game::read_state(f.text);
        EXPECT_NE(r.error.find(f.reason), std::string::npos) << f.name << ": " << r.error;
        EXPECT_EQ(game::write_state(r.state), game::write_state(game::State{})) << f.name;
    }
}

}  // namespace
}  // namespace tav
