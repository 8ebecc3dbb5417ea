#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/cards.h"
#include "model/catalogue.h"
#include "model/invariants.h"
#include "model/seat.h"
#include "session/session.h"
#include "tests/engine/game_support.h"
#include "tests/engine/session_support.h"
#include "view/layout.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using game::Seat;
using test::event;
using test::Kind;

constexpr int kRest = 1696;

TEST(Catalogue, HoldsFourDecksOfFiftyFourCards) {
    std::array<int, game::kRanks + 1> per_rank{};
    std::set<std::string> ids;
    for (int n = 1; n <= game::kCards; ++n) {
        const Card c = static_cast<Card>(n);
        ++per_rank[static_cast<std::size_t>(game::rank_of(c))];
        ids.insert(card_id(n));
        // The model's ranks, suits and names agree with the pictures' catalogue.
        EXPECT_EQ(game::rank_of(c), card_info(n).sort) << n;
        EXPECT_EQ(game::card_name(c), card_info(n).name) << n;
        EXPECT_EQ(game::rank_code(game::rank_of(c)), card_info(n).code) << n;
        const std::string_view name = card_info(n).name;
        const int suit = name.starts_with("红桃")   ? 0
                         : name.starts_with("黑桃") ? 1
                         : name.starts_with("方块") ? 2
                         : name.starts_with("梅花") ? 3
                                                    : -1;
        EXPECT_EQ(game::suit_of(c), suit) << n;
        EXPECT_EQ(game::is_wild(game::rank_of(c)), game::rank_of(c) <= game::kTwo) << n;
    }
    EXPECT_EQ(ids.size(), 216u);
    EXPECT_EQ(per_rank[1] + per_rank[2], 8);
    for (std::size_t r = 3; r <= 15; ++r) EXPECT_EQ(per_rank[r], 16) << "rank " << r;
    EXPECT_EQ(game::card_name(1), "大户");
    EXPECT_EQ(game::card_name(54), "梅花3");
    EXPECT_EQ(game::card_name(55), "大户");
    EXPECT_EQ(game::card_name(216), "梅花3");
    EXPECT_EQ(card_id(55), "p_55");
    EXPECT_EQ(card_info(11).bmp, "cards\\hK.bmp");
    EXPECT_EQ(game::rank_code(game::rank_of(2)), "Joker2");
    EXPECT_EQ(game::card_name(47), "红桃4");
    EXPECT_EQ(game::rank_of(47), game::kFour);
}

TEST(Catalogue, CardIdsRoundTripAndRefuseStrangers) {
    for (int n = 1; n <= 216; ++n) EXPECT_EQ(card_number(card_id(n)), n);
    for (const char* bad : {"", "p_", "p_0", "p_217", "p_01", "q_5", "p_5x", "p_-1", "P_5", "p_t5"})
        EXPECT_EQ(card_number(bad), 0) << bad;
    EXPECT_EQ(code_of_sort(0), "");
    EXPECT_EQ(code_of_sort(16), "");
    EXPECT_EQ(card_info(0).sort, 0);
    EXPECT_EQ(card_info(217).sort, 0);
    EXPECT_FALSE(game::valid_card(0));
    EXPECT_FALSE(game::valid_card(217));
}

TEST(Seats, LettersNamesAndSides) {
    EXPECT_EQ(game::seat_from_letter('A'), Seat::A);
    EXPECT_EQ(game::seat_from_letter('f'), Seat::F);
    for (char bad : {'\0', 'G', '0', '@', 'g'}) EXPECT_FALSE(game::seat_from_letter(bad)) << bad;
    for (Seat s : game::kAllSeats) EXPECT_EQ(game::seat_from_letter(game::letter_of(s)), s);
    EXPECT_EQ(game::name_of(Seat::B), "柳烟");
    EXPECT_EQ(game::padded_name_of(Seat::B), "柳    烟");
    EXPECT_EQ(game::padded_name_of(Seat::D), "花月容");
    EXPECT_TRUE(game::same_side(Seat::A, Seat::E));
    EXPECT_FALSE(game::same_side(Seat::A, Seat::D));
    EXPECT_TRUE(game::same_side(Seat::B, Seat::F));
    EXPECT_TRUE(game::same_side(Seat::F, Seat::B));
    EXPECT_EQ(game::opposite(Seat::B), Seat::E);
    EXPECT_EQ(game::opposite(Seat::F), Seat::C);
    EXPECT_EQ(game::next_seat(Seat::F), Seat::A);
}

// The six buttons as the question shown and the picks make them: which are
// on, whether the return button shows, and what the play button's tooltip
// says. The question is `nothing` while an action is shown and while the
// partner question is open.
TEST(GameButtons, FollowTheQuestionShownAndThePicks) {
    const game::Verdict ok{}, refused{"这手牌打不过"};
    const std::string plain = kPlayTag;
    struct Row {
        Ask shown;
        bool picked;
        game::Verdict verdict;
        const char* on;  // the buttons on, by their ButtonId order: "S" shuffle, "P" play, ...
        bool return_shown;
        std::string tag;
    };
    // S shuffle, P play, p pass, H hold back, R return, Q quit.
    const Row rows[] = {
        {Ask::shuffle, false, ok, "S....Q", false, plain},
        {Ask::shuffle, true, refused, "S....Q", false, plain},  // no turn: the picks say nothing
        {Ask::nothing, true, ok, ".....Q", false, plain},       // an action is being shown
        {Ask::take_partner_tribute, false, ok, ".....Q", false, plain},
        {Ask::lead, false, refused, ".....Q", false, plain},  // nothing picked: the plain tooltip
        {Ask::lead, true, ok, ".P...Q", false, plain},
        {Ask::lead, true, refused, ".....Q", false, refused.reason},
        {Ask::follow, false, refused, "..p..Q", false, plain},
        {Ask::follow, true, ok, ".Pp..Q", false, plain},
        {Ask::follow, true, refused, "..p..Q", false, refused.reason},
        {Ask::follow_or_hold, true, ok, ".P.H.Q", false, plain},
        {Ask::follow_or_hold, true, refused, "...H.Q", false, refused.reason},
        {Ask::return_tribute, false, refused, "....RQ", true, plain},
        {Ask::return_tribute, true, ok, "....RQ", true, plain},  // the return counts its cards itself
        {Ask::return_tribute, true, refused, "....RQ", true, plain},
    };
    const std::array<const char*, 6> names{"cb_send", "cb_out", "cb_pass", "cb_over", "cb_gog", "cb_quit"};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "question " << static_cast<int>(row.shown) << " picked " << row.picked
                                        << " verdict \"" << row.verdict.reason << '"');
        const Buttons b = game_buttons(row.shown, row.picked, row.verdict);
        std::string on;
        for (std::size_t i = 0; i < b.size(); ++i) {
            EXPECT_EQ(b[i].name, names[i]);
            on += b[i].enabled ? "SPpHRQ"[i] : '.';
            EXPECT_EQ(b[i].visible, i != index_of(ButtonId::return_cards) || row.return_shown) << names[i];
        }
        EXPECT_EQ(on, row.on);
        EXPECT_EQ(b[index_of(ButtonId::play)].tag, row.tag);
    }
}

struct Table : test::SessionFixture {
    Session s{settings, platform, 1};

    // The computer acts for the human until `done` holds.
    template <class Done>
    void play_until(Done done) {
        test::play_until(s, 5000, done);
    }
    void expect_table_cleared() {
        for (int n = 1; n <= kCardCount; ++n) {
            const SurfaceObject* o = s.surface().find(card_id(n));
            EXPECT_FALSE(o->visible) << n;
            EXPECT_EQ(o->x, layout::waiting_card(n).x) << n;
            EXPECT_EQ(o->tag, "") << n;
            EXPECT_EQ(o->pointer, "") << n;
            EXPECT_FALSE(s.view().in_human_row(static_cast<Card>(n))) << n;
            EXPECT_TRUE(s.surface().find("p_t" + std::to_string(n))->visible) << n;
        }
        for (Seat seat : game::kAllSeats) {
            EXPECT_TRUE(s.state().hands[seat].empty());
            EXPECT_TRUE(s.state().plays[seat].empty());
            EXPECT_EQ(s.state().places[seat], 0);
        }
        EXPECT_EQ(s.state().out_count, 0);
        EXPECT_FALSE(s.state().trick.standing);
        EXPECT_EQ(s.state().ask, Ask::shuffle);
        EXPECT_TRUE(s.picking().picks().empty());
        EXPECT_EQ(s.buttons(), game_buttons(Ask::shuffle, false, {}));
    }
};

TEST_F(Table, StartUpBuildsTheTable) {
    const Surface& t = s.surface();
    // 64 strips, the table top, 12 seat labels, 432 card pictures, 2 logos,
    // 6 score labels and the note area.
    EXPECT_EQ(t.object_count(), 64u + 1 + 12 + 432 + 2 + 6 + 1);
    EXPECT_EQ(t.describe("p_t1.x"), "497");
    EXPECT_EQ(t.describe("p_t216.x"), "2002");
    EXPECT_EQ(t.describe("p_t216.visible"), "1");
    EXPECT_EQ(t.describe("p_t7.filename"), "cards\\bgcard4.bmp");
    EXPECT_EQ(t.describe("p_12.visible"), "0");
    EXPECT_EQ(t.describe("t_oa.visible"), "0");
    EXPECT_EQ(t.describe("t_b.text"), "柳烟");
    EXPECT_EQ(t.describe("t_b.color"), "32768");
    EXPECT_EQ(t.describe("t_c.font.face"), "华文行楷");
    EXPECT_EQ(t.describe("t_ca.text"), "钟离云得分：0");
    EXPECT_EQ(t.describe("t_cb.text"), "柳    烟得分：0");
    EXPECT_EQ(t.describe("t_cf.y"), "520");
    EXPECT_EQ(t.describe("t_cf.text"), "月    琴得分：0");
    EXPECT_EQ(s.view().note_text(), " \n＞＞＞请先洗牌");
    EXPECT_EQ(t.describe("rec_1.brush.color"), std::to_string(0 + 256 * 189 + 65536 * 84));
    // The strips lie behind everything: a point on the table top finds it.
    ASSERT_NE(t.object_at(400, 1500), nullptr);
    EXPECT_EQ(t.object_at(400, 1500)->name, "r_1");

    EXPECT_EQ(s.state().ask, Ask::shuffle);
    EXPECT_EQ(s.state().phase, game::Phase::between_deals);
    EXPECT_EQ(s.buttons(), game_buttons(Ask::shuffle, false, {}));
    // Buttons that are off do nothing.
    for (ButtonId id : {ButtonId::play, ButtonId::pass, ButtonId::hold_back, ButtonId::return_cards}) s.press(id);
    EXPECT_EQ(s.state().ask, Ask::shuffle);
    EXPECT_EQ(s.view().note_log().size(), 2u);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.closed);
    s.press(ButtonId::quit);
    EXPECT_TRUE(platform.closed);
}

TEST_F(Table, NoteKeepsTheNewestSixteenLines) {
    s.new_game();
    for (int i = 1; i <= 17; ++i) s.view().note("line " + std::to_string(i));
    std::string expected;
    for (int i = 2; i <= 17; ++i) expected += (i > 2 ? "\n" : "") + std::string("line ") + std::to_string(i);
    // The new game wrote two lines first; those went long ago.
    EXPECT_EQ(s.view().note_text(), expected);
    EXPECT_EQ(s.view().note_log().size(), 19u);  // the record keeps every line
    s.view().clear_notes();
    s.view().note("replaced");
    EXPECT_EQ(s.view().note_text(), "replaced");
    s.view().note("it's ~ \"odd\"");  // quotes are text like any other
    EXPECT_EQ(s.view().note_text(), "replaced\nit's ~ \"odd\"");
    EXPECT_EQ(s.view().note_log(), (std::vector<std::string>{"replaced", "it's ~ \"odd\""}));
}

// An empty line is no line: neither the note area nor the record gains one.
TEST_F(Table, AnEmptyNoteLineIsNotWritten) {
    s.view().note("");
    EXPECT_EQ(s.view().note_text(), " \n＞＞＞请先洗牌");
    EXPECT_EQ(s.view().note_log().size(), 2u);
}

TEST_F(Table, AFinishedDealKeepsScoresANewGameClearsThem) {
    s.shuffle();
    play_until([&] { return s.state().ask == Ask::shuffle; });
    const game::PerSeat<int> scores = s.state().scores;
    EXPECT_NE(scores, game::PerSeat<int>{});
    for (Seat seat : game::kAllSeats)
        EXPECT_EQ(s.surface().find(std::string("t_c") + static_cast<char>('a' + game::index_of(seat)))->text,
                  std::string(game::padded_name_of(seat)) + "得分：" + std::to_string(scores[seat]));
    ASSERT_TRUE(s.state().first_leader);
    EXPECT_TRUE(s.state().ledger[13].filed());  // the place tributes of the next deal
    expect_table_cleared();
    const auto& log = s.view().note_log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], " ");
    EXPECT_EQ(log.back(), "＞＞＞请先洗牌");

    s.new_game();
    EXPECT_EQ(s.state().scores, game::PerSeat<int>{});
    EXPECT_EQ(s.surface().describe("t_ca.text"), "钟离云得分：0");
    EXPECT_EQ(s.surface().describe("t_cd.text"), "花月容得分：0");
    EXPECT_FALSE(s.state().first_leader);
    for (int slot = 1; slot <= game::kLedgerSlots; ++slot)
        EXPECT_FALSE(s.state().ledger[static_cast<std::size_t>(slot)].filed()) << slot;
    EXPECT_EQ(s.view().note_text(), " \n＞＞＞请先洗牌");
    EXPECT_EQ(s.view().note_log().size(), 2u);
    expect_table_cleared();
}

// A partner's tribute: the question comes once the showing has reached it,
// and its answer, given later, goes in as the next action. Given up (a new
// game, the session gone) the answer does nothing. A game kept while the
// question waits asks it again when taken up.
TEST_F(Table, ThePartnersQuestionIsAskedWhenTheShowingReachesItAndAnsweredLater) {
    settings.smother_tributes = true;
    settings.play_pause = 0.2;
    platform.hold_questions = true;
    enum class Then { yes, no, new_game, gone, kept };
    for (Then then : {Then::yes, Then::no, Then::new_game, Then::gone, Then::kept}) {
        SCOPED_TRACE(static_cast<int>(then));
        platform.questions.clear();
        auto r = std::make_unique<Session>(settings, platform, 20264023);  // 石坚 pays the human in deal 2
        for (int acts = 0; !r->asking(); ++acts) {
            ASSERT_LT(acts, 2000);
            if (platform.run_delay()) {
                EXPECT_TRUE(platform.held.empty()) << "asked before the showing reached the question";
                continue;
            }
            ASSERT_FALSE(r->busy());
            if (r->state().ask == Ask::shuffle)
                r->shuffle();
            else
                ASSERT_TRUE(r->autoplay_human());
        }
        ASSERT_EQ(platform.questions, std::vector<std::string>{"提示信息|要同帮的进贡吗？"});
        ASSERT_EQ(r->state().ask, Ask::take_partner_tribute);
        // The game waits on the answer: nothing else may act meanwhile.
        EXPECT_FALSE(r->busy());
        EXPECT_FALSE(r->autoplay_human());
        EXPECT_FALSE(r->human_decides());
        EXPECT_FALSE(r->button(ButtonId::shuffle).enabled);
        switch (then) {
            case Then::yes:
            case Then::no: {
                ASSERT_TRUE(platform.answer(then == Then::yes));
                while (platform.run_delay()) {
                }
                EXPECT_FALSE(r->asking());
                EXPECT_EQ(r->state().ask == Ask::return_tribute, then == Then::yes);
                const std::vector<std::string> log = r->view().note_log();
                EXPECT_EQ(std::count(log.begin(), log.end(), "请钟离云放弃贡"), then == Then::no ? 1 : 0);
                break;
            }
            case Then::new_game:
                r->new_game();
                EXPECT_FALSE(r->asking());
                ASSERT_TRUE(platform.answer(true));
                EXPECT_EQ(r->state().ask, Ask::shuffle) << "a stale answer went in";
                break;
            case Then::gone:
                r.reset();
                ASSERT_TRUE(platform.answer(true));  // into a session no more: nothing happens
                break;
            case Then::kept: {
                const SavedGame kept = r->keep();
                r = std::make_unique<Session>(settings, platform, 1);
                r->resume(kept);
                EXPECT_TRUE(r->asking());
                ASSERT_EQ(platform.held.size(), 2u);
                ASSERT_TRUE(platform.answer(true));  // the first session's box: gone with it
                EXPECT_EQ(r->state().ask, Ask::take_partner_tribute);
                ASSERT_TRUE(platform.answer(true));
                EXPECT_EQ(r->state().ask, Ask::return_tribute);
                break;
            }
        }
        EXPECT_TRUE(platform.held.empty());
        if (r) {
            EXPECT_EQ(game::check_cards(r->state()), "");
        }
    }
}

// A new game started while the human owes a return leaves no return behind.
TEST_F(Table, NewGameInTheMiddleOfATributeStartsAfresh) {
    Session r{settings, platform, 4};
    ASSERT_NO_FATAL_FAILURE(test::play_until(r, 500, [&r] { return r.state().ask == Ask::return_tribute; }));
    ASSERT_TRUE(r.button(ButtonId::return_cards).visible);
    r.picking().click(r.state().hands[Seat::A][0]);
    ASSERT_FALSE(r.picking().picks().empty());
    r.new_game();
    EXPECT_EQ(r.state().ask, Ask::shuffle);
    EXPECT_EQ(r.state().phase, game::Phase::between_deals);
    EXPECT_EQ(r.state().settling, 1);
    EXPECT_TRUE(r.picking().picks().empty());
    EXPECT_EQ(r.buttons(), game_buttons(Ask::shuffle, false, {}));
    r.press(ButtonId::return_cards);
    EXPECT_EQ(r.state().ask, Ask::shuffle);
    // The next deal starts with nothing owed.
    r.shuffle();
    EXPECT_NE(r.state().ask, Ask::return_tribute);
    EXPECT_EQ(r.state().phase, game::Phase::play);
}

TEST_F(Table, HandsAreLaidOutInTheirPlaces) {
    TableView v{settings, platform};
    test::Cards cards;
    test::Table position;
    for (Card c : cards.take_all("5 K BJ 5 3")) position.s.hands[Seat::A].push(c);
    int dealt = 0;
    for (Card c : position.s.hands[Seat::A]) v.show(event(Kind::dealt, Seat::A, c, ++dealt));
    game::DealSteps f = position.flow();
    f.lay_out(Seat::A);
    ASSERT_EQ(position.ev.list.size(), 1u);
    const game::Hand row = std::get<game::LaidOut>(position.ev.list.back()).cards;
    EXPECT_EQ(test::words(row), "BJ K 5 5 3");
    v.show(position.ev.list.back());
    for (int n = 1; n <= 5; ++n) {
        const SurfaceObject* o = v.surface().find(card_id(row[n - 1]));
        EXPECT_EQ(o->x, 70 * n - 32);
        EXPECT_EQ(o->y, kRest);
        EXPECT_EQ(o->tag, "my");
        EXPECT_EQ(o->pointer, "HyperLink!");
        EXPECT_EQ(o->filename, card_info(row[n - 1]).bmp);
    }
    // Each later card lies over the one before.
    EXPECT_EQ(v.card_at(70 * 2 - 32 + 5, kRest + 5), row[1]);

    struct Want {
        Seat seat;
        int x1, y1, dx, dy;
    };
    for (const Want& want :
         {Want{Seat::B, 2521, 1277, 0, -8}, Want{Seat::C, 2521, 575, 0, -8}, Want{Seat::D, 818, 30, 28, 0},
          Want{Seat::E, 30, 308, 0, 8}, Want{Seat::F, 30, 1008, 0, 8}}) {
        SCOPED_TRACE(game::letter_of(want.seat));
        game::Hand& h = position.s.hands[want.seat];
        for (Card c : cards.take_all("4 Q 2")) h.push(c);
        for (Card c : h) v.show(event(Kind::dealt, want.seat, c, ++dealt));
        v.surface().object(card_id(h[1]))->filename = "cards\\hQ.bmp";  // shown face up a moment ago
        position.ev.clear();
        f.lay_out(want.seat);
        ASSERT_EQ(test::words(std::get<game::LaidOut>(position.ev.list.back()).cards),
                  "4 Q 2");  // computer hands keep their order
        v.show(position.ev.list.back());
        for (int n = 1; n <= 3; ++n) {
            const SurfaceObject* o = v.surface().find(card_id(h[n - 1]));
            EXPECT_EQ(o->x, want.x1 + want.dx * (n - 1));
            EXPECT_EQ(o->y, want.y1 + want.dy * (n - 1));
            EXPECT_EQ(o->filename, settings.card_back);
            EXPECT_EQ(o->tag, "");
            EXPECT_FALSE(v.in_human_row(h[n - 1]));
        }
    }
}

TEST_F(Table, OnlyThirtySixCardsOfAHandAreLaidOut) {
    TableView v{settings, platform};
    std::vector<Card> hand;
    for (int n = 1; n <= 38; ++n) hand.push_back(static_cast<Card>(n));
    v.show(event(Kind::laid_out, Seat::B, 0, 0, hand));
    EXPECT_EQ(v.surface().find(card_id(36))->y, 1285 - 8 * 36);
    EXPECT_NE(v.surface().find(card_id(37))->x, 2521);
    EXPECT_NE(v.surface().find(card_id(38))->x, 2521);
}

TEST_F(Table, GradientRepaintsWithoutPilingUpStrips) {
    const std::size_t before = s.surface().object_count();
    s.view().paint_background(3);
    s.view().paint_background(2);
    EXPECT_EQ(s.surface().object_count(), before);
    EXPECT_EQ(s.surface().describe("rec_1.brush.color"), std::to_string(158 + 256 * 189 + 65536 * 84));
    s.view().paint_background(7);  // no such style: nothing repainted
    EXPECT_EQ(s.surface().describe("rec_1.brush.color"), std::to_string(158 + 256 * 189 + 65536 * 84));
    // Style 3 keeps red at 255 and rises towards white.
    int r, g, b, last_g = 0;
    for (int i = 1; i <= 64; ++i) {
        GradientStrips::strip_colour(i, 255, 175, 96, r, g, b);
        EXPECT_EQ(r, 255);
        EXPECT_GE(g, last_g);
        EXPECT_LE(g, 255);
        last_g = g;
    }
    GradientStrips::strip_colour(1, 255, 175, 96, r, g, b);
    EXPECT_EQ(g, 175);
    EXPECT_GE(last_g, 250);
    // Out-of-range colours change nothing.
    EXPECT_EQ(s.view().gradient().gradient(256, 0, 0), -1);
    EXPECT_EQ(s.view().gradient().gradient(0, -1, 0), -1);
    EXPECT_EQ(s.surface().describe("rec_1.brush.color"), std::to_string(158 + 256 * 189 + 65536 * 84));
    EXPECT_EQ(s.surface().object_count(), before);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Table, ResizeChangesOnlyTheSurface) {
    const std::string x = s.surface().describe("t_note.x");
    s.view().resize(5000, 3000);
    EXPECT_EQ(s.surface().width(), 5000);
    EXPECT_EQ(s.surface().describe("t_note.x"), x);
    EXPECT_EQ(s.surface().describe("rec_1.width"), "5000");
    EXPECT_EQ(s.surface().object_count(), 64u + 1 + 12 + 432 + 2 + 6 + 1);
    // The strips stay behind everything.
    EXPECT_EQ(s.surface().object_at(400, 1500)->name, "r_1");
}

}  // namespace
}  // namespace tav
