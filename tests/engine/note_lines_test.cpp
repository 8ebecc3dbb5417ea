// The note lines made from the events: each kind's Chinese lines and the
// code a saved game keeps it by, read back to the same event; codes no
// writer makes are refused; and a list that keeps less of what happens keeps
// exactly what its reader needs.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/note_code.h"
#include "model/notes.h"
#include "rules/engine.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::Ask;
using game::DebtKind;
using game::Event;
using game::notes::Entry;
using enum game::Seat;

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += (out.empty() ? "" : "|") + l;
    return out;
}

TEST(NoteLines, EachKindWritesItsLinesAndReadsBackFromItsCode) {
    test::Cards cards;
    const game::Makeup pair_of_kings = game::makeup_of(test::pile(cards.take_all("K K")));
    const struct {
        Entry entry;
        const char *chinese, *code;
    } kinds[] = {
        {Event{game::Shuffling{}}, "瑟柯洗牌开始", "shuffling"},
        {Event{game::PlayBegins{}}, "开始游戏＞＞＞", "begins"},
        {Event{game::FirstLeader{D}}, "花月容先发牌", "leader D"},
        {Event{game::PlayCalled{B, pair_of_kings, true}}, "柳烟2个K，瑟柯牌", "play B 0 0 0 2 5 5 1"},
        {Event{game::PointOpened{C}}, "石坚开点", "point C"},
        {Event{game::TrickTaken{}}, "扣牌", "taken"},
        {Event{game::Prompted{A, Ask::follow_or_hold}}, "钟离云请接牌或扣牌", "prompt A 4"},
        {Event{game::Prompted{A, Ask::shuffle}}, " |＞＞＞请先洗牌", "prompt A 1"},
        {Event{game::StoppedAtBound{}}, "本局回合过多，已中止", "bound"},
        {Event{game::Placed{F, 2}}, "月    琴＞二科", "place F 2"},
        {Event{game::Swept{true}}, "我方已被抓三户", "swept 1"},
        {Event{game::PlayOver{}}, "游戏结束|——————————", "over"},
        {Event{game::TributeFiled{E, std::nullopt, DebtKind::smother, 1}}, "雷虎向进扪贡1张", "owes E - 0 1"},
        {Event{game::TributeHanded{C, DebtKind::point, true, test::pile({1, 200})}}, "石坚还点贡一大户，一个7",
         "handed C 1 1 1 200"},
        {Event{game::TributeRefused{A}}, "请钟离云放弃贡", "refused A"},
        // A human at another seat is told the same, by its name.
        {Event{game::Prompted{B, Ask::lead}}, "柳烟请发牌", "prompt B 2"},
        {Event{game::Prompted{E, Ask::return_tribute}}, "请雷虎还贡", "prompt E 5"},
        {Event{game::TributeRefused{C}}, "请石坚放弃贡", "refused C"},
        {Event{game::ThreeBought{A, D, 9, 200}}, "钟离云买３|花月容卖３", "three A D 9 200"},
        {Entry{"提示：过牌"}, "提示：过牌", "t 提示：过牌"},
    };
    for (const auto& [entry, chinese, code] : kinds) {
        SCOPED_TRACE(code);
        std::vector<std::string> lines;
        game::notes::write(entry, &game::notes::write, lines);
        EXPECT_EQ(joined(lines), chinese);
        EXPECT_EQ(game::notes::code_of(entry), code);
        const std::optional<Entry> back = game::notes::entry_of(code);
        ASSERT_TRUE(back.has_value());
        EXPECT_TRUE(*back == entry);
        if (const Event* e = std::get_if<Event>(&entry)) {
            EXPECT_TRUE(game::notes::writes(*e));
        }
    }
    // The kinds that only draw write no line and have no code; the shuffle is
    // prompted in the note area for seat A only.
    for (const Event& e : {Event{game::Dealt{A, 3, 1}}, Event{game::Asked{A, Ask::lead}}, Event{game::DealOver{}},
                           Event{game::Prompted{C, Ask::shuffle}}}) {
        std::vector<std::string> lines;
        game::notes::write(e, lines);
        EXPECT_TRUE(lines.empty());
        EXPECT_FALSE(game::notes::writes(e));
    }
}

TEST(NoteLines, CodesNoWriterMakesAreRefused) {
    for (const char* code : {"",
                             "t",
                             "shuffling 1",
                             "shuffled",
                             "leader",
                             "leader G",
                             "leader AB",
                             "play B 0 0 0 2 3 3",
                             "play B 0 0 0 2 3 3 2",
                             "play B -1 0 0 2 3 3 1",
                             "play B 0 0 0 2 16 3 1",
                             "prompt A 7",
                             "place F 0",
                             "place F 7",
                             "place 2 F",
                             "owes E x 0 1",
                             "owes E - 3 1",
                             "handed C 1 1 0",
                             "handed C 1 1 217",
                             "handed C 1 1 5x",
                             "three A D 9",
                             "three A D 0 200",
                             "swept 2",
                             "refused",
                             "T text"}) {
        EXPECT_FALSE(game::notes::entry_of(code).has_value()) << code;
    }
}

// A whole game played three times from the same seed, keeping everything,
// the lines, or the outcome: the lines are the same, and the outcome is the
// places and the deals' ends alone.
TEST(NoteLines, EachListKeepsWhatItsReaderNeeds) {
    std::vector<std::vector<Event>> kept(3);
    for (game::Keep keep : {game::Keep::outcome, game::Keep::lines, game::Keep::all}) {
        game::State s = game::new_game(game::Rules{true, true, true, true});
        std::mt19937_64 rng(8);
        game::Events ev;
        ev.keep = keep;
        for (int i = 0; i < 2000; ++i) ASSERT_TRUE(test::autoplay(s, ev, rng));
        kept[static_cast<std::size_t>(keep)] = ev.list;
    }
    auto lines_of = [](const std::vector<Event>& list) {
        std::vector<std::string> lines;
        for (const Event& e : list) game::notes::write(e, lines);
        return lines;
    };
    EXPECT_EQ(lines_of(kept[1]), lines_of(kept[2]));
    EXPECT_GT(lines_of(kept[2]).size(), 1000u);
    int places = 0, ends = 0;
    for (const Event& e : kept[0]) {
        places += std::holds_alternative<game::Placed>(e);
        ends += std::holds_alternative<game::DealOver>(e);
    }
    EXPECT_EQ(static_cast<std::size_t>(places + ends), kept[0].size()) << "only the outcome is kept";
    EXPECT_GE(places - 6 * ends, 0);  // the last deal may still be running
    EXPECT_LT(places - 6 * ends, 6);
    EXPECT_GT(ends, 3);
    // Everything a line is made from is kept with the lines, nothing that only draws.
    for (const Event& e : kept[1])
        EXPECT_TRUE(game::notes::writes(e) || std::holds_alternative<game::DealOver>(e)) << e.index();
}

}  // namespace
}  // namespace tav
