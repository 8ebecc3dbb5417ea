#include <gtest/gtest.h>

#include <set>

#include "table/w_main.h"
#include "tests/engine/support.h"

namespace tav {
namespace {

struct Table : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;
    w_main w{settings, platform, 1};
};

TEST(Catalogue, HoldsFourDecksOfFiftyFourCards) {
    Settings s;
    ScriptedPlatform p;
    w_main w(s, p, 1);
    ASSERT_EQ(w.dw_all.row_count(), 216);
    ASSERT_EQ(w.dw_cards.row_count(), 54);
    std::array<int, 16> per_sort{};
    std::set<std::string> ids;
    for (const CardRow& r : w.dw_all.rows()) {
        ++per_sort[static_cast<std::size_t>(r.sort())];
        ids.insert(r.id());
    }
    EXPECT_EQ(ids.size(), 216u);
    EXPECT_EQ(per_sort[1] + per_sort[2], 8);
    for (int s = 3; s <= 15; ++s) EXPECT_EQ(per_sort[static_cast<std::size_t>(s)], 16) << "sort " << s;
    EXPECT_EQ(w.dw_all.get_string(1, "name"), "大户");
    EXPECT_EQ(w.dw_all.get_string(54, "name"), "梅花3");
    EXPECT_EQ(w.dw_all.get_string(55, "name"), "大户");
    EXPECT_EQ(w.dw_all.get_string(216, "name"), "梅花3");
    EXPECT_EQ(w.dw_all.get_string(55, "id"), "p_55");
    EXPECT_EQ(w.dw_all.get_string(11, "bmp"), "cards\\hK.bmp");
    EXPECT_EQ(w.dw_all.get_string(2, "code"), "Joker2");
    EXPECT_EQ(w.dw_all.get_string(47, "name"), "红桃4");
    EXPECT_EQ(w.dw_all.get_number(47, "sort"), 14);
}

TEST(Catalogue, CardIdsRoundTripAndRefuseStrangers) {
    for (int n = 1; n <= 216; ++n) EXPECT_EQ(card_number(card_id(n)), n);
    for (const char* bad : {"", "p_", "p_0", "p_217", "p_01", "q_5", "p_5x", "p_-1", "P_5"})
        EXPECT_EQ(card_number(bad), 0) << bad;
    EXPECT_EQ(code_of_sort(0), "");
    EXPECT_EQ(code_of_sort(16), "");
    EXPECT_EQ(card_info(0).sort, 0);
    EXPECT_EQ(card_info(217).sort, 0);
}

TEST(Seats, LettersNamesAndSides) {
    EXPECT_EQ(seat_index("A"), 1);
    EXPECT_EQ(seat_index("f"), 6);
    for (const char* bad : {"", "G", "AB", "0", "@"}) EXPECT_EQ(seat_index(bad), 0) << bad;
    EXPECT_EQ(seat_name("B"), "柳烟");
    EXPECT_EQ(seat_padded_name("B"), "柳    烟");
    EXPECT_EQ(seat_padded_name("D"), "花月容");
    EXPECT_EQ(seat_name("G"), "");
    EXPECT_TRUE(w_main::wf_iftogether("A", "E"));
    EXPECT_FALSE(w_main::wf_iftogether("A", "D"));
    EXPECT_TRUE(w_main::wf_iftogether("b", "F"));
    EXPECT_FALSE(w_main::wf_iftogether("A", "G"));
}

TEST_F(Table, StartUpBuildsTheTable) {
    const Surface& s = w.dw_main;
    // 64 strips, the table top, 12 seat labels, 432 card pictures, 2 logos,
    // 6 score labels and the note area.
    EXPECT_EQ(s.object_count(), 64u + 1 + 12 + 432 + 2 + 6 + 1);
    EXPECT_EQ(s.describe("p_t1.x"), "497");
    EXPECT_EQ(s.describe("p_t216.x"), "2002");
    EXPECT_EQ(s.describe("p_t216.visible"), "1");
    EXPECT_EQ(s.describe("p_t7.filename"), "cards\\bgcard4.bmp");
    EXPECT_EQ(s.describe("p_12.visible"), "0");
    EXPECT_EQ(s.describe("t_oa.visible"), "0");
    EXPECT_EQ(s.describe("t_b.text"), "柳烟");
    EXPECT_EQ(s.describe("t_b.color"), "32768");
    EXPECT_EQ(s.describe("t_c.font.face"), "华文行楷");
    EXPECT_EQ(s.describe("t_ca.text"), "钟离云得分：0");
    EXPECT_EQ(s.describe("t_cb.text"), "柳    烟得分：0");
    EXPECT_EQ(s.describe("t_cf.y"), "520");
    EXPECT_EQ(s.describe("t_cf.tag"), "月    琴得分：");
    EXPECT_EQ(w.note_text(), " \n＞＞＞请先洗牌");
    EXPECT_EQ(s.describe("rec_1.brush.color"), std::to_string(0 + 256 * 189 + 65536 * 84));
    EXPECT_TRUE(w.cb_send.enabled);
    EXPECT_FALSE(w.cb_out.enabled || w.cb_pass.enabled || w.cb_over.enabled || w.cb_gog.enabled);
    EXPECT_FALSE(w.cb_gog.visible);
    EXPECT_TRUE(w.cb_quit.enabled);
    // The strips lie behind everything: a point on the table top finds it.
    ASSERT_NE(s.object_at(400, 1500), nullptr);
    EXPECT_EQ(s.object_at(400, 1500)->name, "r_1");
}

TEST_F(Table, NoteKeepsTheNewestSixteenLines) {
    w.wf_shownote("", 1);  // nothing
    EXPECT_EQ(w.note_text(), " \n＞＞＞请先洗牌");
    w.resetgame();
    for (int i = 1; i <= 17; ++i) w.wf_shownote("line " + std::to_string(i), 1);
    std::string expected;
    for (int i = 2; i <= 17; ++i) expected += (i > 2 ? "\n" : "") + std::string("line ") + std::to_string(i);
    // resetgame wrote two lines first; those went long ago.
    EXPECT_EQ(w.note_text(), expected);
    EXPECT_EQ(w.note_log.size(), 19u);  // the record keeps every line
    w.wf_shownote("replaced", 0);
    EXPECT_EQ(w.note_text(), "replaced");
    w.wf_shownote("it's ~ odd", 1);  // a quote in a note cannot break the command
    EXPECT_EQ(w.note_text(), "replaced\nit's ~ odd");
}

TEST_F(Table, NewgameKeepsScoresResetgameClearsThem) {
    w.ii_grade = {0, 2, 1, 0, 0, -1, -2};
    w.dw_main.modify("t_ca.text=\"钟离云得分：2\" p_5.visible=\"1\" p_5.x=\"99\" p_5.tag=\"my\" p_t3.visible=\"0\"");
    w.is_prior = "B";
    w.is_a = "1";
    w.ii_order = 3;
    w.is_firstgo = "C";
    w.is_la[13] = "F";
    w.is_ke[13] = "A";
    w.ii_la[13] = 2;
    w.dw_b.append(5);
    w.enable(w.cb_send, false);
    w.newgame();
    EXPECT_EQ(w.ii_grade[1], 2);
    EXPECT_EQ(w.dw_main.describe("t_ca.text"), "钟离云得分：2");
    EXPECT_EQ(w.dw_main.describe("p_5.visible"), "0");
    EXPECT_EQ(w.dw_main.describe("p_5.x"), "485");
    EXPECT_EQ(w.dw_main.describe("p_5.tag"), "");
    EXPECT_EQ(w.dw_main.describe("p_t3.visible"), "1");
    EXPECT_TRUE(w.is_prior.empty() && w.is_a.empty());
    EXPECT_EQ(w.ii_order, 0);
    EXPECT_EQ(w.is_firstgo, "C");
    EXPECT_EQ(w.is_la[13], "F");
    EXPECT_TRUE(w.dw_b.empty());
    EXPECT_TRUE(w.cb_send.enabled);

    w.resetgame();
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(w.ii_grade[static_cast<std::size_t>(i)], 0);
    EXPECT_EQ(w.dw_main.describe("t_ca.text"), "钟离云得分：0");
    EXPECT_EQ(w.dw_main.describe("t_cd.text"), "花月容得分：0");
    EXPECT_TRUE(w.is_firstgo.empty());
    EXPECT_TRUE(w.is_la[13].empty() && w.is_ke[13].empty());
    EXPECT_EQ(w.ii_la[13], 0);
    EXPECT_EQ(w.note_text(), " \n＞＞＞请先洗牌");
}

TEST_F(Table, GradientRepaintsWithoutPilingUpStrips) {
    const std::size_t before = w.dw_main.object_count();
    w.wf_bgcolor(3);
    w.wf_bgcolor(2);
    EXPECT_EQ(w.dw_main.object_count(), before);
    EXPECT_EQ(w.dw_main.describe("rec_1.brush.color"), std::to_string(158 + 256 * 189 + 65536 * 84));
    w.wf_bgcolor(7);  // no such style: nothing repainted
    EXPECT_EQ(w.dw_main.describe("rec_1.brush.color"), std::to_string(158 + 256 * 189 + 65536 * 84));
    // Style 3 keeps red at 255 and rises towards white.
    int r, g, b, last_g = 0;
    for (int i = 1; i <= 64; ++i) {
        nc_gradient::strip_colour(i, 255, 175, 96, r, g, b);
        EXPECT_EQ(r, 255);
        EXPECT_GE(g, last_g);
        EXPECT_LE(g, 255);
        last_g = g;
    }
    nc_gradient::strip_colour(1, 255, 175, 96, r, g, b);
    EXPECT_EQ(g, 175);
    EXPECT_GE(last_g, 250);
    // Out-of-range colours change nothing.
    EXPECT_EQ(w.gradient.gradient(256, 0, 0), -1);
    EXPECT_EQ(w.gradient.gradient(0, -1, 0), -1);
    EXPECT_EQ(w.dw_main.describe("rec_1.brush.color"), std::to_string(158 + 256 * 189 + 65536 * 84));
    EXPECT_EQ(w.dw_main.object_count(), before);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Table, ResizeChangesOnlyTheSurface) {
    const std::string x = w.dw_main.describe("t_note.x");
    w.resize(5000, 3000);
    EXPECT_EQ(w.dw_main.width(), 5000);
    EXPECT_EQ(w.dw_main.describe("t_note.x"), x);
    EXPECT_EQ(w.dw_main.describe("rec_1.width"), "5000");
    EXPECT_EQ(w.dw_main.object_count(), 64u + 1 + 12 + 432 + 2 + 6 + 1);
}

}  // namespace
}  // namespace tav
