// What is kept between runs, as text: the statistics and their file, the
// remembered settings, the saved game around the state.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <tuple>

#include "app/settings_store.h"
#include "app/stats.h"
#include "model/serialise.h"
#include "rules/engine.h"
#include "table/saved_game.h"

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
                                                                        {"something/else", "1"}});
    EXPECT_EQ(refused.size(), 12u);
    EXPECT_EQ(settings_entries(s), settings_entries(Settings{}));
    EXPECT_NE(refused[0].find("rules/threes"), std::string::npos);
}

// A game some way into a later deal, with a generator that has shuffled.
SavedGame game_under_way() {
    SavedGame g;
    g.state = game::new_game({});
    g.rng.seed(5);
    game::Events ev;
    ev.notes_only = true;
    for (int i = 0; i < 5000 && (i < 300 || !g.state.deal_running()); ++i) {
        if (g.state.ask == game::Ask::shuffle)
            game::apply(g.state, game::Decision{game::Move::shuffle, {}}, ev, g.rng);
        else
            game::apply_computer_for_human(g.state, ev);
    }
    for (const game::Event& e : ev.list)
        if (e.kind == game::EventKind::note) g.notes.push_back(e.text);
    g.notes.push_back("a line with a \\ and\na line end");
    int n = 0;
    for (game::Seat seat : game::kAllSeats)
        for (game::Card c : g.state.hands[seat]) g.spots.push_back({c, 100 + n, 2000 - n++, n % 7 == 0, n % 5 == 0});
    g.game_key = 1234567890123ull;
    g.dealt_number = 5001;  // seed 5's first deal
    g.next_number = 5002;
    return g;
}

TEST(SavedGameText, ReadsBackWithTheGeneratorWhereItStood) {
    SavedGame g = game_under_way();
    ASSERT_TRUE(g.state.deal_running());
    ASSERT_TRUE(game_started(g.state));
    const std::string text = write_saved_game(g);
    SavedGameRead back = read_saved_game(text);
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_EQ(game::write_state(back.game.state), game::write_state(g.state));
    EXPECT_EQ(back.game.rng, g.rng);
    EXPECT_EQ(back.game.notes, g.notes);
    EXPECT_EQ(back.game.game_key, g.game_key);
    EXPECT_EQ(back.game.spots, g.spots);
    EXPECT_EQ(back.game.dealt_number, 5001u);
    EXPECT_EQ(back.game.next_number, 5002u);
    // The next shuffles come out the same.
    EXPECT_EQ(back.game.rng(), g.rng());
    EXPECT_FALSE(game_started(game::new_game({})));
}

TEST(SavedGameText, DamagedTextsAreRefused) {
    const std::string text = write_saved_game(game_under_way());
    for (std::size_t n = 0; n < text.size(); n += 11) ASSERT_FALSE(read_saved_game(text.substr(0, n)).ok()) << n;
    auto refused = [&](const std::string& from, const std::string& to, const std::string& why) {
        std::string t = text;
        t.replace(t.find(from), from.size(), to);
        const SavedGameRead r = read_saved_game(t);
        EXPECT_FALSE(r.ok());
        EXPECT_NE(r.error.find(why), std::string::npos) << r.error;
        EXPECT_TRUE(r.game.notes.empty());
    };
    refused("tav saved game 1", "tav saved game 2", "version 2, this program reads version 1");
    refused("tav saved game", "tav saved gam", "not a saved game");
    refused("state 1", "state 9", "state is refused: line 1: a saved state of format 9");
    refused("rng ", "rng x", "generator is damaged");
    refused("game 1234567890123", "game -3", "key is not a number");
    refused("notes ", "notes x", "note count");
    refused("numbers 5001 5002", "numbers 5001 5000", "deal numbers");
    refused("numbers 5001 5002", "numbers 5001", "deal numbers");
    refused("numbers 5001 5002", "numbers x 5002", "deal numbers");
    // A spot for each card of a hand, once, on the table.
    const std::size_t spots = text.find("\nspots ") + 1;
    const std::string spot_line = text.substr(spots, text.find('\n', spots) - spots);
    std::istringstream words(spot_line.substr(6));
    int count = 0, card = 0, x = 0, y = 0, up = 0, row = 0;
    words >> count >> card >> x >> y >> up >> row;
    const std::string first = std::to_string(card) + " " + std::to_string(x) + " " + std::to_string(y) + " " +
                              std::to_string(up) + " " + std::to_string(row);
    refused(spot_line, "spots " + std::to_string(count - 1) + spot_line.substr(spot_line.find(' ', 6)), "spots");
    const std::string card_x = " " + std::to_string(card) + " " + std::to_string(x);
    refused(" " + first + " ", card_x + " 5001 0 0 ", "spots");
    refused(" " + first + " ", card_x + " " + std::to_string(y) + " 2 0 ", "spots");
    refused(" " + first + " ", card_x + " " + std::to_string(y) + " 0 ", "spots");
    refused(" " + first + " ", " 0 " + std::to_string(x) + " " + std::to_string(y) + " 0 0 ", "spots");
    refused(spot_line, spot_line + " 1", "spots");
    refused("\\\\", "\\q", "note line of the saved game is damaged");
    refused("end\n", "end\nmore\n", "does not end where it should");
    const std::size_t phase = text.find("\nphase ") + 1;
    const std::string phase_line = text.substr(phase, text.find('\n', phase) - phase);
    refused(phase_line, phase_line.substr(0, phase_line.size() - 1) + "0", "does not wait for the human");
}

}  // namespace
}  // namespace tav
