// Deal numbers: what a number is and what is refused, and that a number
// deals the same cards to the same seats again, at the table and in the
// simulator, across the seed's last deal too.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "model/shuffle.h"
#include "store/deal_numbers.h"
#include "store/saved_game.h"
#include "store/serialise.h"
#include "tests/engine/session_support.h"
#include "tools/sim/simulation.h"

namespace tav {
namespace {

TEST(DealNumbers, NumbersAreASeedAndAPlaceThatCountUp) {
    EXPECT_EQ(deal_number(2024, 1), 2024001u);
    ASSERT_TRUE(place_of(2024017));
    EXPECT_EQ(place_of(2024017)->seed, 2024u);
    EXPECT_EQ(place_of(2024017)->index, 17u);
    EXPECT_EQ(place_of(5)->seed, 0u);  // seed 0 deals 1..999
    EXPECT_FALSE(place_of(0));
    EXPECT_FALSE(place_of(2024000));  // no deal has place 0
    EXPECT_FALSE(place_of(kLastDealNumber + 1));
    EXPECT_TRUE(place_of(kLastDealNumber));

    EXPECT_EQ(next_deal_number(2024001), 2024002u);
    EXPECT_EQ(next_deal_number(2024999), 2025001u);  // the next seed takes over
    EXPECT_EQ(next_deal_number(kLastDealNumber), kFirstDealNumber);
}

TEST(DealNumbers, TypedNumbersAreCheckedAndBadOnesRefusedWithAReason) {
    EXPECT_EQ(parse_deal_number("2024003").number, 2024003u);
    EXPECT_EQ(parse_deal_number("  2024003 ").number, 2024003u);
    EXPECT_TRUE(parse_deal_number("999999999999999999").error.empty());
    for (const char* bad : {"", "   ", "abc", "12a", "-5", "+5", "1.5", "2024 003", "０１２", "0", "2024000",
                            "1000000000000000000", "99999999999999999999999"}) {
        const ParsedDealNumber p = parse_deal_number(bad);
        EXPECT_FALSE(p.error.empty()) << bad;
        EXPECT_EQ(p.number, 0u) << bad;
    }
    EXPECT_NE(parse_deal_number("abc").error.find("数字"), std::string::npos);
    EXPECT_NE(parse_deal_number("2024000").error.find("没有这个牌局编号"), std::string::npos);
}

// Every card dealt by a session's next shuffle, in the order dealt, with its seat.
std::vector<std::pair<game::Seat, game::Card>> dealt_by(Session& s, bool by_number, std::uint64_t number) {
    std::vector<std::pair<game::Seat, game::Card>> cards;
    s.callbacks.before_event = [&cards](const game::Event& event) {
        for (const test::Row& e : test::rows(event)) {
            if (e.kind == test::Kind::dealt) cards.emplace_back(e.seat, e.card);
        }
    };
    if (by_number)
        EXPECT_TRUE(s.helps().deal_by_number(number));
    else
        s.shuffle();
    s.callbacks.before_event = nullptr;
    EXPECT_EQ(cards.size(), static_cast<std::size_t>(game::kCards));
    return cards;
}

struct Replay : test::SessionFixture {};

TEST_F(Replay, ADealNumberDealsTheSameCardsToTheSameSeatsAgain) {
    Session game(settings, platform, 77);
    std::vector<std::vector<std::pair<game::Seat, game::Card>>> deals;
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(game.helps().next_deal_number(), 77000u + static_cast<std::uint64_t>(k));
        deals.push_back(dealt_by(game, false, 0));
        EXPECT_EQ(game.helps().deal_number(), 77000u + static_cast<std::uint64_t>(k));
        test::play_until(game, 2000, [&] { return game.state().ask == game::Ask::shuffle; });
    }
    EXPECT_NE(deals[0], deals[1]);
    // Out of order, in another session with another seed.
    Session again(settings, platform, 5);
    EXPECT_EQ(dealt_by(again, true, 77003), deals[2]);
    EXPECT_EQ(again.helps().deal_number(), 77003u);
    EXPECT_EQ(again.helps().next_deal_number(), 77004u);
    EXPECT_EQ(dealt_by(again, true, 77001), deals[0]);
    // A number no deal has changes nothing.
    EXPECT_FALSE(again.helps().deal_by_number(77000));
    EXPECT_EQ(again.helps().deal_number(), 77001u);
}

TEST_F(Replay, TheDealAfterASeedsLastIsTheNextSeedsFirst) {
    Session late(settings, platform, 1);
    dealt_by(late, true, 8999);
    EXPECT_EQ(late.helps().next_deal_number(), 9001u);
    test::play_until(late, 2000, [&] { return late.state().ask == game::Ask::shuffle; });
    const auto rolled_over = dealt_by(late, false, 0);
    EXPECT_EQ(late.helps().deal_number(), 9001u);
    Session fresh(settings, platform, 9);
    EXPECT_EQ(dealt_by(fresh, false, 0), rolled_over);
}

TEST_F(Replay, ASavedGamesNumbersBringItsShufflesBack) {
    Session played(settings, platform, 64);
    dealt_by(played, false, 0);
    test::play_until(played, 2000, [&] { return played.state().ask == game::Ask::shuffle; });
    Session resumed(settings, platform, 3);
    EXPECT_FALSE(resumed.helps().restore_deal_numbers(64001, 64000)) << "no deal has that number";
    EXPECT_FALSE(resumed.helps().restore_deal_numbers(7, 8000));
    EXPECT_EQ(resumed.helps().next_deal_number(), 3001u) << "a refused restore changes nothing";
    ASSERT_TRUE(resumed.helps().restore_deal_numbers(played.helps().deal_number(), played.helps().next_deal_number()));
    EXPECT_EQ(resumed.helps().deal_number(), 64001u);
    EXPECT_EQ(dealt_by(resumed, false, 0), dealt_by(played, false, 0));
    EXPECT_EQ(resumed.helps().deal_number(), 64002u);
}

TEST_F(Replay, AGameSavedMidDealAndResumedDealsTheSameNextDealAsTheGameNeverClosed) {
    // The saved game keeps no generator: it is rebuilt from the next deal's
    // number, within a seed and across its last deal alike.
    for (const std::uint64_t first : {64001u, 8999u}) {
        Session played(settings, platform, 64);
        dealt_by(played, true, first);
        for (int acts = 0; acts < 5 && played.state().ask != game::Ask::shuffle; ++acts)
            ASSERT_TRUE(played.autoplay_human());
        ASSERT_TRUE(played.state().deal_running());
        const SavedGameRead kept = read_saved_game(write_saved_game(played.keep()));
        ASSERT_TRUE(kept.ok()) << kept.error;
        Session resumed(settings, platform, 3);
        resumed.resume(kept.game);
        // Within a seed the generator is the very one; after a seed's last
        // deal the next shuffle seeds it afresh in both.
        if (first != 8999u) {
            EXPECT_EQ(resumed.rng(), played.rng());
        }
        EXPECT_EQ(resumed.helps().record(), played.helps().record()) << "the record comes back with the game";
        for (Session* s : {&played, &resumed})
            test::play_until(*s, 2000, [&] { return s->state().ask == game::Ask::shuffle; });
        EXPECT_EQ(game::write_state(resumed.state()), game::write_state(played.state()));
        EXPECT_EQ(dealt_by(resumed, false, 0), dealt_by(played, false, 0)) << first;
        EXPECT_EQ(resumed.helps().deal_number(), first == 8999u ? 9001u : first + 1);
        EXPECT_EQ(resumed.helps().record().deals().size(), played.helps().record().deals().size());
    }
}

TEST(DealNumbers, PreparingAShuffleSkipsExactlyTheShufflesBeforeIt) {
    std::mt19937_64 played(42);
    for (int k = 1; k < 5; ++k) game::shuffle_order(played);
    std::mt19937_64 prepared;
    prepare_shuffle(prepared, 42005);
    EXPECT_EQ(game::shuffle_order(prepared), game::shuffle_order(played));
}

TEST(DealNumbers, TheSimulatorNumbersItsDealsAsTheTableDoes) {
    Settings rules;
    std::vector<std::string> from_start, from_number;
    sim::Simulation whole(rules, 31, false);
    EXPECT_EQ(whole.next_deal_number(), 31001u);
    for (int k = 1; k <= 3; ++k) ASSERT_TRUE(whole.play_deal()) << whole.fault();
    EXPECT_EQ(whole.deal_number(), 31003u);
    EXPECT_FALSE(whole.start_at(31001)) << "only before the first deal";

    sim::Simulation one(rules, 0, false);
    EXPECT_FALSE(one.start_at(31000));
    EXPECT_EQ(one.next_deal_number(), 1u);
    ASSERT_TRUE(one.start_at(31002));
    ASSERT_TRUE(one.play_deal()) << one.fault();
    EXPECT_EQ(one.deal_number(), 31002u);

    sim::Simulation unnumbered(rules, kMaxGameSeed + 1, false);
    ASSERT_TRUE(unnumbered.play_deal());
    EXPECT_EQ(unnumbered.deal_number(), 0u);
}

}  // namespace
}  // namespace tav
