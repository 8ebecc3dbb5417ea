// The table view: the note area against a plain rebuild of its text, the
// seats named at a network table, and the marks a network table adds.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "session/session.h"
#include "view/net_marks.h"

namespace tav {
namespace {

using game::Ask;
using game::Seat;

// A table view of its own, as the window has one.
struct Table {
    TableSettings settings;
    ScriptedPlatform platform;
    TableView view{settings, platform};
};

// The note area keeps the newest sixteen lines: exactly what splitting the
// text into lines and joining the last sixteen keeps.
std::string plain_note(const std::string& before, const std::string& line) {
    const std::string text = before.empty() ? line : before + "\n" + line;
    std::vector<std::string> lines;
    const std::string counted = text.empty() || text.back() != '\n' ? text + '\n' : text;
    for (std::size_t from = 0, cut; from < counted.size(); from = cut + 1) {
        cut = counted.find('\n', from);
        lines.push_back(counted.substr(from, cut - from));
    }
    if (lines.size() <= 16) return text;
    std::string kept;
    const std::size_t first = lines.size() - 16;
    for (std::size_t i = first; i < lines.size(); ++i) kept += (i == first ? "" : "\n") + lines[i];
    return kept;
}

// Another language for the note lines: each line of an event in brackets.
void bracketed(const game::Event& e, std::vector<std::string>& out) {
    std::vector<std::string> lines;
    game::notes::write(e, lines);
    for (const std::string& l : lines) out.push_back("[" + l + "]");
}

// Texts written as they are and events' lines mixed; written again in
// another language and back, the area holds what it held.
TEST(NoteArea, KeepsWhatTheLineByLineRebuildKept) {
    Table table;
    TableView& view = table.view;
    std::mt19937 rng(5);
    const std::vector<std::string> pieces{"柳烟2个K", "", "\n", "a'b", "~", "x\n\ny", "\n\n", "钟离云请发牌", "!", "?"};
    const std::vector<game::Event> events{game::TrickTaken{}, game::PlayOver{}, game::Prompted{Seat::A, Ask::shuffle},
                                          game::Dealt{Seat::B, 7, 1}, game::FirstLeader{Seat::C}};
    for (int i = 0; i < 3000; ++i) {
        if (rng() % 5 == 0) {
            const game::Event& e = events[rng() % events.size()];
            std::vector<std::string> lines;
            game::notes::write(e, lines);
            std::string expected = view.note_text();
            for (const std::string& l : lines) expected = plain_note(expected, l);
            view.note_entry(game::notes::Entry{e});
            ASSERT_EQ(view.note_text(), expected) << "after line " << i;
            continue;
        }
        if (rng() % 100 == 0) {
            const std::string before = view.note_text();
            view.set_wording(&bracketed);
            for (const std::string& l : view.note_log())
                EXPECT_NE(l, "扣牌") << "an event's line in the other language";
            view.set_wording(&game::notes::write);
            ASSERT_EQ(view.note_text(), before) << "written again after line " << i;
        }
        std::string line;
        for (int k = static_cast<int>(rng() % 3); k >= 0; --k) line += pieces[rng() % pieces.size()];
        if (rng() % 50 == 0) view.clear_notes();
        // An empty line is no line: nothing is written, nothing logged.
        const std::string expected = line.empty() ? view.note_text() : plain_note(view.note_text(), line);
        const std::size_t logged = view.note_log().size() + (line.empty() ? 0 : 1);
        view.note(line);
        ASSERT_EQ(view.note_text(), expected) << "after line " << i;
        ASSERT_EQ(view.note_log().size(), logged);
        if (!line.empty()) {
            ASSERT_EQ(view.note_log().back(), line);
        }
    }
}

// At a network table a window calls each seat by the table's name for it:
// seen from C, A's lines are the lines the table writes of C, and so on
// round, every name at once, plain or padded as written; the scores too.
// The lines stay Chinese (the table translates them as it draws them).
TEST(NoteArea, SeatsGoByTheTablesNamesWhereverThePlayerSits) {
    Table table;
    TableView& view = table.view;
    game::PerSeat<Seat> named;
    for (Seat s : game::kAllSeats) named[s] = game::seat_at(game::index_of(s) + 2);
    view.name_seats(named);
    view.set_wording(&bracketed);
    using game::DebtKind;
    const std::pair<game::Event, game::Event> cases[] = {
        {game::FirstLeader{Seat::A}, game::FirstLeader{Seat::C}},
        {game::Placed{Seat::B, 1}, game::Placed{Seat::D, 1}},
        {game::Placed{Seat::D, 2}, game::Placed{Seat::F, 2}},
        {game::TributeFiled{Seat::B, Seat::E, DebtKind::place, 1},
         game::TributeFiled{Seat::D, Seat::A, DebtKind::place, 1}},
        {game::PointOpened{Seat::F}, game::PointOpened{Seat::B}},
        {game::ThreeBought{Seat::D, Seat::A, 9, 3}, game::ThreeBought{Seat::F, Seat::C, 9, 3}},
    };
    for (const auto& [seen, table] : cases) {
        view.clear_notes();
        view.note_entry(game::notes::Entry{seen});
        std::vector<std::string> want;
        game::notes::write(table, want);
        EXPECT_EQ(view.note_log(), want);
    }
    EXPECT_EQ(view.surface().object("t_ca")->text, std::string(game::padded_name_of(Seat::C)) + "得分：0");
    view.show(game::Scored{Seat::B, -5});
    EXPECT_EQ(view.surface().object("t_cb")->text, std::string(game::padded_name_of(Seat::D)) + "得分：-5");
}

// The marks of a network table stand by the seat they belong to, so a
// player never has to guess whose they are: the 代打 mark nearer its own
// seat's name than any other's, the countdown (on every ask) at most half as
// far from it as from any other, also when it moves on with the same seconds.
long distance(const SurfaceObject& a, const SurfaceObject& b) {
    const long dx = (a.x + a.width / 2) - (b.x + b.width / 2), dy = (a.y + a.height / 2) - (b.y + b.height / 2);
    return dx * dx + dy * dy;
}

TEST(NetMarks, EachMarkIsNearestItsOwnSeat) {
    Table table;
    TableView& view = table.view;
    NetMarks marks(view.surface());
    const auto label = [&](Seat s) {
        return *view.surface().object(std::string("t_") + char('a' + game::index_of(s)));
    };
    for (Seat seat : game::kAllSeats) {
        SCOPED_TRACE(game::letter_of(seat));
        marks.show_countdown(seat, 30);
        marks.show_seat(seat, "", true);
        const SurfaceObject& count = *view.surface().object("t_net_count");
        const SurfaceObject& mark = *view.surface().object(std::string("t_net_") + char('a' + game::index_of(seat)));
        for (Seat other : game::kAllSeats) {
            if (other == seat) continue;
            EXPECT_LT(4 * distance(count, label(seat)), distance(count, label(other))) << game::letter_of(other);
            EXPECT_LT(distance(mark, label(seat)), distance(mark, label(other))) << game::letter_of(other);
        }
    }
}

}  // namespace
}  // namespace tav
