// The card counter and the whole record: after every play of seeded deals
// the counter equals 216 less the human's hand less every card the record's
// play lines name; the session's panel shows those numbers; the record holds
// every note line of the engine, grouped by deal under its number.
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

#include "model/notes.h"
#include "rules/engine.h"
#include "session/card_counter.h"
#include "tests/engine/game_support.h"
#include "tests/engine/session_support.h"

namespace tav {
namespace {

using game::Seat;

// The cards a play line of the record names ("石坚1大户2钱3个K"), by rank;
// false for a line that is not a play.
bool add_play_line(const std::string& line, RankCounts& played) {
    static const std::regex play("^(钟离云|柳烟|石坚|花月容|雷虎|月琴)(?:(\\d+)大户)?(?:(\\d+)小户)?(?:(\\d+)钱)?(?:("
                                 "\\d+)个(\\w+))?(，瑟柯牌)?$");
    std::smatch m;
    if (!std::regex_match(line, m, play) || (!m[2].matched && !m[3].matched && !m[4].matched && !m[5].matched))
        return false;
    static const char* kCodes[] = {"", "", "", "2", "A", "K", "Q", "J", "10", "9", "8", "7", "6", "5", "4", "3"};
    if (m[2].matched) played[game::kBigJoker] += std::stoi(m[2]);
    if (m[3].matched) played[game::kSmallJoker] += std::stoi(m[3]);
    if (m[4].matched) played[game::kTwo] += std::stoi(m[4]);
    if (m[5].matched) {
        int rank = 0;
        for (int r = game::kAce; r <= game::kThree; ++r)
            if (m[6].str() == kCodes[r]) rank = r;
        EXPECT_NE(rank, 0) << line;
        played[static_cast<std::size_t>(rank)] += std::stoi(m[5]);
    }
    return true;
}

TEST(Counter, AfterEveryPlayItEqualsACountMadeFromTheRecord) {
    game::Rules rules;
    game::State s = game::new_game(rules);
    std::mt19937_64 rng(2718);
    game::Events ev;
    std::size_t read = 0;  // note lines of `ev` read so far
    RankCounts played{};
    int plays = 0;
    ev.after_step = [&](const game::State& st, const game::Events& e) {
        for (; read < e.list.size(); ++read)
            for (const test::Row& x : test::rows(e.list[read])) {
                if (x.kind != test::Kind::note) continue;
                if (x.text == game::notes::kShuffling) played = {};
                if (add_play_line(x.text, played)) ++plays;
            }
        RankCounts expected = full_pack();
        if (st.phase == game::Phase::between_deals && st.hands[Seat::A].empty() && st.cleared.empty()) {
            // The deal is over and its cards are back in the pack: nothing seen yet.
            ASSERT_EQ(unseen_by_human(st), expected);
            played = {};
            return;
        }
        for (int r = 1; r <= game::kRanks; ++r)
            expected[static_cast<std::size_t>(r)] -= played[static_cast<std::size_t>(r)] + st.hands[Seat::A].count(r);
        ASSERT_EQ(unseen_by_human(st), expected) << "after play " << plays;
    };
    for (int deal = 1; deal <= 4; ++deal) {
        ASSERT_TRUE(tav::test::human_acts(s, game::Decision{game::Move::shuffle, {}}, ev, rng));
        for (int acts = 0; s.ask != game::Ask::shuffle; ++acts) {
            ASSERT_LT(acts, 500);
            ASSERT_TRUE(host::computer_decides(s, ev));
        }
    }
    EXPECT_GT(plays, 200);
}

struct CounterPanelAndRecord : test::SessionFixture {};

TEST_F(CounterPanelAndRecord, ThePanelShowsTheCountsAfterEveryAction) {
    Session game(settings, platform, 99);
    EXPECT_EQ(game.helps().counter(), full_pack()) << "nothing seen before the deal";
    EXPECT_EQ(game.surface().find("t_counter_left1"), nullptr) << "the panel is made when first shown";
    settings.show_counter = true;
    game.helps().view_options_changed();
    test::play_until(game, 3000, [&] {
        EXPECT_EQ(game.helps().counter(), unseen_by_human(game.state()));
        for (int r = 1; r <= game::kRanks; ++r) {
            const SurfaceObject* cell = game.surface().find("t_counter_left" + std::to_string(r));
            EXPECT_TRUE(cell && cell->visible);
            if (cell) {
                EXPECT_EQ(cell->text, std::to_string(game.helps().counter()[static_cast<std::size_t>(r)]));
            }
        }
        return game.helps().deal_number() > 99002u;
    });
    settings.show_counter = false;
    game.helps().view_options_changed();
    EXPECT_FALSE(game.surface().find("t_counter_left1")->visible);
    EXPECT_FALSE(game.surface().find("r_counter")->visible);
}

TEST_F(CounterPanelAndRecord, TheRecordHoldsEveryEngineLineGroupedByDeal) {
    Session game(settings, platform, 123);
    std::vector<std::vector<std::string>> by_deal;
    game.callbacks.before_event = [&](const game::Event& event) {
        for (const test::Row& e : test::rows(event)) {
            if (e.kind != test::Kind::note) continue;
            if (e.text == game::notes::kShuffling || by_deal.empty()) by_deal.emplace_back();
            by_deal.back().push_back(e.text);
        }
    };
    test::play_until(game, 3000,
                     [&] { return game.helps().deal_number() == 123003u && game.state().ask == game::Ask::shuffle; });
    game.callbacks.before_event = nullptr;
    const std::vector<DealRecord>& deals = game.helps().record().deals();
    ASSERT_EQ(deals.size(), 3u);
    auto lines_of = [](const DealRecord& d) {
        std::vector<std::string> out;
        for (const game::notes::Entry& entry : d.lines) game::notes::write(entry, &game::notes::write, out);
        return out;
    };
    for (std::size_t k = 0; k < deals.size(); ++k) {
        EXPECT_EQ(deals[k].number, 123001u + k);
        EXPECT_EQ(lines_of(deals[k]), by_deal[k]);
        EXPECT_EQ(lines_of(deals[k]).front(), game::notes::kShuffling);
    }
    // Far more than the note area keeps.
    EXPECT_GT(lines_of(deals[0]).size(), 16u);
    const std::string text = game.helps().record().text();
    EXPECT_EQ(text.rfind("瑟柯牌局 牌局记录\n", 0), 0u);
    EXPECT_NE(text.find("\n第2局　编号 123002\n" + std::string(game::notes::kShuffling) + "\n"), std::string::npos);
    game.new_game();
    for (const DealRecord& d : game.helps().record().deals())
        EXPECT_EQ(d.number, 0u) << "a new game starts a new record";
    EXPECT_LE(game.helps().record().deals().size(), 1u);
}

}  // namespace
}  // namespace tav
