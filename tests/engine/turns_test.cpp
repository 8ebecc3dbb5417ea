// Turns and tricks: stepping round the table, clearing plays, passing, the
// end of a trick, the human's play, pass and hold-back, the first leader,
// the bound on a runaway deal, and whole deals played through `apply`.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "model/invariants.h"
#include "model/notes.h"
#include "rules/engine.h"
#include "rules/play.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using game::Decision;
using game::EventKind;
using game::Move;
using game::Seat;

struct Turns : ::testing::Test {
    test::Table t;
    std::mt19937_64 rng{1};

    // `leader` leads a new trick and the computer seats play on.
    void lead_from(Seat leader) {
        game::Flow f = t.flow();
        f.schedule(game::State::Next::end_trick, leader);
        f.run();
    }
    // The computer seats play on from a state set by hand.
    void drive() {
        game::Flow f = t.flow();
        f.schedule(game::State::Next::drive, std::nullopt);
        f.run();
    }
    game::Verdict act(const Decision& d) { return game::apply(t.s, d, t.ev, rng); }
    // Every card of that word in the human's hand.
    std::vector<Card> human_cards(const std::string& word) const {
        std::vector<Card> out;
        for (Card c : t.s.hands[Seat::A])
            if (test::Cards::word_of(c) == word) out.push_back(c);
        return out;
    }
    std::vector<std::string> notes_from(std::size_t from) const {
        const std::vector<std::string> all = t.notes();
        return {all.begin() + static_cast<long>(std::min(from, all.size())), all.end()};
    }
    std::vector<game::Event> events_of(EventKind kind) const {
        std::vector<game::Event> out;
        for (const game::Event& e : t.ev.list)
            if (e.kind == kind) out.push_back(e);
        return out;
    }
};

TEST_F(Turns, SeatSteppingSkipsSeatsThatAreOut) {
    t.out(Seat::C, 1).out(Seat::D, 2);
    const game::Flow f = t.flow();
    EXPECT_EQ(f.in_play_after(Seat::B), Seat::E);
    EXPECT_EQ(f.in_play_from(Seat::C), Seat::E);
    EXPECT_EQ(f.in_play_from(Seat::B), Seat::B);
    EXPECT_EQ(f.in_play_after(Seat::F), Seat::A);
    t.out(Seat::A, 3);
    EXPECT_EQ(f.in_play_after(Seat::F), Seat::B);
    t.out(Seat::B, 4).out(Seat::E, 5);
    EXPECT_EQ(f.in_play_after(Seat::F), Seat::F);  // the last seat in play follows itself
    t.out(Seat::F, 6);
    EXPECT_EQ(f.in_play_from(Seat::A), std::nullopt);
    EXPECT_EQ(f.in_play_after(Seat::F), std::nullopt);
    EXPECT_EQ(f.in_play_from(std::nullopt), std::nullopt);
    EXPECT_EQ(f.in_play_after(std::nullopt), std::nullopt);
}

TEST_F(Turns, ClearingRunsRoundTheTableAndPausesOnlyForCardsShown) {
    t.play(Seat::F, "9 9").play(Seat::B, "K");
    t.flow().clear_between(Seat::E, Seat::B);  // F, A and B
    EXPECT_TRUE(t.s.plays[Seat::F].empty());
    EXPECT_TRUE(t.s.plays[Seat::B].empty());
    EXPECT_EQ(test::words(t.s.cleared), "9 9 K");
    // One pause for each play that leaves the table: seat A had none.
    const std::vector<game::Event> cleared = events_of(EventKind::cleared);
    ASSERT_EQ(cleared.size(), 2u);
    EXPECT_EQ(cleared[0].seat, Seat::F);
    EXPECT_EQ(cleared[1].seat, Seat::B);

    t.play(Seat::C, "Q");
    t.flow().clear_between(Seat::C, Seat::C);  // the same seat clears nothing
    t.flow().clear_between(Seat::D, Seat::B);  // nor does a range that does not reach C
    EXPECT_EQ(test::words(t.s.plays[Seat::C]), "Q");
    t.flow().clear_between(Seat::A, Seat::C);
    EXPECT_TRUE(t.s.plays[Seat::C].empty());
    EXPECT_EQ(events_of(EventKind::cleared).size(), 3u);
}

TEST_F(Turns, TrickReturnsToItsPlayerWhenEveryoneElsePasses) {
    t.hand(Seat::A, "7 7 7").hand(Seat::B, "4 4 5 6");
    for (Seat s : {Seat::C, Seat::D, Seat::E, Seat::F}) t.hand(s, "3");
    lead_from(Seat::B);
    // B led its weakest rank; nobody could answer; it is the human's turn.
    EXPECT_EQ(test::words(t.s.plays[Seat::B]), "4 4");
    EXPECT_EQ(t.s.trick.standing, Seat::B);
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    EXPECT_EQ(t.s.trick.passes, 4);
    EXPECT_EQ(t.s.ask, Ask::follow);
    EXPECT_EQ(t.notes().back(), "钟离云请接牌或过牌");
    EXPECT_EQ(t.ev.list.back().kind, EventKind::asked);
    EXPECT_EQ(t.ev.list.back().number, static_cast<int>(Ask::follow));
    EXPECT_FALSE(act(Decision{Move::hold_back, {}}).ok()) << "no challenge stands";

    const std::size_t mark = t.notes().size();
    ASSERT_TRUE(act(Decision::pass()).ok());
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[0], "扣牌");
    EXPECT_EQ(notes[1], "柳烟1个5");
    EXPECT_EQ(test::words(t.s.cleared), "4 4");
    EXPECT_EQ(test::words(t.s.plays[Seat::B]), "5");
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    EXPECT_EQ(t.s.ask, Ask::follow);
}

TEST_F(Turns, AfterTheStandingPlayerWentOutTheNextSeatInPlayLeads) {
    t.hand(Seat::A, "7 7 7").hand(Seat::B, "4 4");
    for (Seat s : {Seat::C, Seat::D, Seat::E, Seat::F}) t.hand(s, "3");
    lead_from(Seat::B);
    EXPECT_EQ(t.s.places[Seat::B], 1);
    EXPECT_TRUE(t.noted("柳    烟＞头科"));
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    const std::size_t mark = t.notes().size();
    ASSERT_TRUE(act(Decision::pass()).ok());
    // C passes a second time, every seat in play has passed: C leads.
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[0], "扣牌");
    EXPECT_EQ(notes[1], "石    坚＞二科");  // the place is written before the play is announced
    EXPECT_EQ(notes[2], "石坚1个3");
    EXPECT_EQ(t.s.places[Seat::C], 2);
}

TEST_F(Turns, HumanLeadsAndThePlayLiesInTheOrderPicked) {
    t.hand(Seat::A, "5 5 9");
    for (Seat s : {Seat::B, Seat::C, Seat::D, Seat::E, Seat::F}) t.hand(s, "3");
    lead_from(Seat::A);
    EXPECT_EQ(t.notes().back(), "钟离云请发牌");
    EXPECT_EQ(t.s.ask, Ask::lead);

    EXPECT_FALSE(act(Decision::play({})).ok()) << "nothing picked";
    EXPECT_FALSE(act(Decision::pass()).ok()) << "a lead may not be passed";
    EXPECT_FALSE(act(Decision{Move::hold_back, {}}).ok());
    EXPECT_FALSE(act(Decision::play({human_cards("5")[0], human_cards("9")[0]})).ok()) << "two ranks";
    EXPECT_EQ(t.s.hands[Seat::A].size(), 3);
    EXPECT_EQ(t.s.ask, Ask::lead);

    const std::vector<Card> fives = human_cards("5");
    ASSERT_EQ(fives.size(), 2u);
    const std::size_t mark = t.notes().size(), first_event = t.ev.list.size();
    ASSERT_TRUE(act(Decision::play({fives[1], fives[0]})).ok());
    EXPECT_EQ(test::words(t.s.hands[Seat::A]), "9");
    // The cards lie face up by seat A, in the order picked.
    std::vector<std::tuple<Seat, Card, int>> laid;
    for (std::size_t i = first_event; i < t.ev.list.size(); ++i)
        if (const game::Event& e = t.ev.list[i]; e.kind == EventKind::played)
            laid.emplace_back(e.seat, e.card, e.number);
    EXPECT_EQ(laid, (std::vector<std::tuple<Seat, Card, int>>{{Seat::A, fives[1], 0}, {Seat::A, fives[0], 1}}));
    // Nobody answers; the trick comes back and the human leads again.
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[0], "钟离云2个5");
    EXPECT_EQ(notes[notes.size() - 2], "扣牌");
    EXPECT_EQ(notes.back(), "钟离云请发牌");
    EXPECT_EQ(events_of(EventKind::cleared).back().seat, Seat::A);
    EXPECT_EQ(test::words(t.s.cleared), "5 5");
    EXPECT_EQ(t.s.trick.standing, std::nullopt);
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    EXPECT_EQ(t.s.ask, Ask::lead);
}

TEST_F(Turns, HumanChallengeGoesToTheOppositeSeatAlone) {
    t.hand(Seat::A, "A A 9 9");
    for (Seat s : {Seat::B, Seat::C, Seat::D, Seat::E, Seat::F}) t.hand(s, "3");
    lead_from(Seat::A);
    const std::size_t mark = t.notes().size();
    ASSERT_TRUE(act(Decision::play(human_cards("A"))).ok());
    const auto notes = notes_from(mark);
    // D declines; the challenger opens points and leads again. B and C never act.
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0], "钟离云2个A，瑟柯牌");
    EXPECT_EQ(notes[1], "钟离云开点");
    EXPECT_EQ(notes[2], "扣牌");
    EXPECT_EQ(notes[3], "钟离云请发牌");
    EXPECT_TRUE(t.s.open_point[Seat::A]);
    EXPECT_EQ(t.s.trick.answer, game::ChallengeAnswer::opposite_only);
}

TEST_F(Turns, HumanFacingAChallengeMayHoldBack) {
    t.hand(Seat::A, "5 5 9").hand(Seat::D, "2 K K K K");
    for (Seat s : {Seat::B, Seat::C, Seat::E, Seat::F}) t.hand(s, "3");
    lead_from(Seat::D);
    EXPECT_EQ(test::words(t.s.plays[Seat::D]), "K K K K");
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    EXPECT_TRUE(t.s.trick.challenge);
    EXPECT_EQ(t.s.ask, Ask::follow_or_hold);
    EXPECT_EQ(t.notes().back(), "钟离云请接牌或扣牌");
    EXPECT_FALSE(act(Decision::pass()).ok()) << "a pass is not offered";
    EXPECT_EQ(t.s.ask, Ask::follow_or_hold);

    const std::size_t mark = t.notes().size();
    ASSERT_TRUE(act(Decision{Move::hold_back, {}}).ok());
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 4u);
    EXPECT_EQ(notes[0], "花月容开点");
    EXPECT_EQ(notes[1], "扣牌");
    EXPECT_EQ(notes[2], "花月容＞头科");
    EXPECT_EQ(notes[3], "花月容1钱，瑟柯牌");
    // D's single 2 went out with its last card and is aimed at the human again.
    EXPECT_EQ(t.s.places[Seat::D], 1);
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    EXPECT_EQ(t.s.ask, Ask::follow_or_hold);
    // A second hold-back against the same seat opens no points again.
    const std::size_t again = t.notes().size();
    ASSERT_TRUE(act(Decision{Move::hold_back, {}}).ok());
    const auto later = notes_from(again);
    EXPECT_EQ(std::count(later.begin(), later.end(), "花月容开点"), 0);
}

TEST_F(Turns, AChallengeReachingTheHumanFromAnotherSeatStillOffersHoldBack) {
    // A challenge aimed at one seat alone reaching the human from a seat other
    // than D would leave the human no answer at all; the hold-back is offered.
    t.hand(Seat::A, "5 5").hand(Seat::B, "9").play(Seat::B, "A A");
    for (Seat s : {Seat::C, Seat::D, Seat::E, Seat::F}) t.hand(s, "3");
    t.trick(Seat::B, Seat::A, true, game::ChallengeAnswer::opposite_only);
    drive();
    EXPECT_EQ(t.s.ask, Ask::follow_or_hold);
    EXPECT_FALSE(act(Decision::pass()).ok());
    ASSERT_TRUE(act(Decision{Move::hold_back, {}}).ok());
    EXPECT_TRUE(t.s.open_point[Seat::B]);
    EXPECT_EQ(test::words(t.s.plays[Seat::B]), "9");  // B took the trick and led again
}

TEST_F(Turns, HumanPassWithNobodyElseInPlayHandsTheLeadBack) {
    t.hand(Seat::A, "5").play(Seat::B, "K");
    t.out(Seat::C, 1).out(Seat::D, 2).out(Seat::E, 3).out(Seat::F, 4).out(Seat::B, 5);
    t.trick(Seat::B, Seat::A);
    t.s.ask = Ask::follow;
    ASSERT_TRUE(act(Decision::pass()).ok());
    EXPECT_EQ(t.s.trick.turn, Seat::A);
    EXPECT_EQ(t.s.trick.standing, std::nullopt);
    EXPECT_EQ(t.s.ask, Ask::lead);
    EXPECT_EQ(t.notes().back(), "钟离云请发牌");
}

TEST_F(Turns, APlayOfASeatThatIsOutIsTakenOnceEverySeatInPlayPassed) {
    // B went out with its kings; only F and the human are left. F passes, the
    // human passes (not counted), F passes again: that is every seat in play,
    // and F leads. The human is not asked about B's play a second time.
    t.hand(Seat::A, "5").hand(Seat::F, "4 3").play(Seat::B, "K");
    t.out(Seat::C, 1).out(Seat::D, 2).out(Seat::E, 3).out(Seat::B, 4);
    t.trick(Seat::B, Seat::F);
    drive();
    ASSERT_EQ(t.s.ask, Ask::follow);
    EXPECT_EQ(t.s.trick.passes, 1);
    const std::size_t mark = t.notes().size();
    ASSERT_TRUE(act(Decision::pass()).ok());
    const auto notes = notes_from(mark);
    ASSERT_GE(notes.size(), 2u);
    EXPECT_EQ(notes[0], "扣牌");
    EXPECT_EQ(notes[1], "月琴1个4");  // threes are kept back
    EXPECT_EQ(t.s.trick.standing, Seat::F);
    EXPECT_EQ(t.s.ask, Ask::follow);
}

// `count` copies of one suit's four (hearts 0, spades 1, ...).
std::vector<Card> fours(int suit, int count) {
    std::vector<Card> out;
    for (int n = 1; n <= game::kCards && static_cast<int>(out.size()) < count; ++n) {
        const Card c = static_cast<Card>(n);
        if (game::rank_of(c) == game::kFour && game::suit_of(c) == suit) out.push_back(c);
    }
    return out;
}

TEST_F(Turns, FirstLeaderIsAnnouncedAndFallsBackToTheBestFoursFromA) {
    struct Case {
        int b_hearts, d_spades;
        std::optional<Seat> chosen;  // while the cards arrived, or by the last deal
        Seat leader;
        const char* next_line;
    };
    // A pair of one suit's fours scores 1, three or four copies 2. When no
    // seat was chosen the best fours lead, the first seat from A on a tie.
    const Case cases[] = {{2, 2, std::nullopt, Seat::B, "柳烟2个4"},
                          {2, 3, std::nullopt, Seat::D, "花月容3个4"},
                          {2, 3, Seat::A, Seat::A, "钟离云请发牌"}};
    for (const Case& c : cases) {
        test::Table table;
        for (Card x : fours(0, c.b_hearts)) table.s.hands[Seat::B].push(x);
        for (Card x : fours(1, c.d_spades)) table.s.hands[Seat::D].push(x);
        for (Seat s : game::kAllSeats) table.hand(s, "9");
        table.s.first_leader = c.chosen;
        game::Flow f = table.flow();
        f.begin_play();
        f.run();
        EXPECT_EQ(table.s.first_leader, c.leader);
        const auto notes = table.notes();
        const auto at = std::find(notes.begin(), notes.end(), game::notes::leads_first(c.leader));
        ASSERT_TRUE(at != notes.end() && at + 1 != notes.end()) << c.next_line;
        EXPECT_EQ(at[1], c.next_line);
    }
}

TEST_F(Turns, ARunawayDealIsEndedAtTheBound) {
    // A deal that takes far more turns than its cards allow is going round in
    // a circle: at the bound it ends instead of running on.
    struct Case {
        int steps_before;
        bool c_acts;
    };
    for (const Case& c : {Case{game::kMaxDealSteps - 1, true}, Case{game::kMaxDealSteps, false}}) {
        SCOPED_TRACE(c.steps_before);
        test::Table table;
        table.hand(Seat::B, "K K").play(Seat::B, "5").hand(Seat::C, "A").trick(Seat::B, Seat::C);
        for (Seat s : {Seat::A, Seat::D, Seat::E, Seat::F}) table.hand(s, "3");
        table.s.steps = c.steps_before;
        game::Flow f = table.flow();
        f.schedule(game::State::Next::drive, std::nullopt);
        f.run();
        bool c_played = false;
        int over = 0;
        for (const game::Event& e : table.ev.list) {
            c_played = c_played || (e.kind == EventKind::played && e.seat == Seat::C);
            over += e.kind == EventKind::deal_over ? 1 : 0;
        }
        EXPECT_EQ(c_played, c.c_acts);
        EXPECT_EQ(over, 1);
        EXPECT_TRUE(table.noted(game::notes::kGameOver));
        EXPECT_EQ(table.notes().back(), game::notes::kShuffleFirst);
        EXPECT_EQ(table.s.ask, Ask::shuffle);
        EXPECT_EQ(table.s.phase, game::Phase::between_deals);
        EXPECT_EQ(table.s.steps, 0) << "the next deal counts from nothing";
    }
}

// ---- whole deals through `apply` ----

// The human may not pick a three while other cards remain (rule on threes).
bool pickable(const game::State& s, Card c) {
    const game::Hand& hand = s.hands[Seat::A];
    if (!s.rules.threes || game::rank_of(c) != game::kThree) return true;
    return std::all_of(hand.begin(), hand.end(), [](Card x) { return game::rank_of(x) == game::kThree; });
}

// The human's turn as a plain player takes it: lead the weakest rank whole;
// follow with the weakest rank that beats the standing play (now and then not
// at all), else pass or hold back; return the weakest cards; take a partner's
// tribute or let it go at random.
Decision human_choice(const game::State& s, std::mt19937& rng) {
    const game::Hand& hand = s.hands[Seat::A];
    auto weakest_of = [&](game::Rank rank, int most) {
        std::vector<Card> cards;
        for (int i = hand.size() - 1; i >= 0 && static_cast<int>(cards.size()) < most; --i)
            if (game::rank_of(hand[i]) == rank) cards.push_back(hand[i]);
        return cards;
    };
    switch (s.ask) {
        case Ask::lead:
            for (int i = hand.size() - 1; i >= 0; --i)
                if (pickable(s, hand[i])) return Decision::play(weakest_of(game::rank_of(hand[i]), game::kCards));
            return Decision::play({});
        case Ask::follow:
        case Ask::follow_or_hold:
            if (rng() % 4 != 0) {
                const game::Play& standing = s.plays[*s.trick.standing];
                for (int i = hand.size() - 1; i >= 0; --i) {
                    if (!pickable(s, hand[i])) continue;
                    const std::vector<Card> cards = weakest_of(game::rank_of(hand[i]), standing.size());
                    if (game::can_play(cards, &standing)) return Decision::play(cards);
                }
            }
            return s.ask == Ask::follow ? Decision::pass() : Decision{Move::hold_back, {}};
        case Ask::return_tribute: {
            const int owed = s.ledger[static_cast<std::size_t>(s.settling)].count;
            std::vector<Card> cards;  // threes only when nothing else is left
            for (const bool threes : {false, true})
                for (int i = hand.size() - 1; i >= 0 && static_cast<int>(cards.size()) < owed; --i)
                    if (pickable(s, hand[i]) != threes) cards.push_back(hand[i]);
            return Decision{Move::give_back, cards};
        }
        case Ask::take_partner_tribute: return Decision{rng() % 2 ? Move::take_tribute : Move::let_tribute_go, {}};
        default: return Decision{Move::shuffle, {}};
    }
}

std::string last_note(const game::Events& ev) {
    for (auto e = ev.list.rbegin(); e != ev.list.rend(); ++e)
        if (e->kind == EventKind::note) return e->text;
    return "";
}

// Plays `deals` deals of a game; `computer_human` lets the computer take
// seat A's turns. Every step is checked as the simulator checks it.
void play_game(const game::Rules& rules, std::uint64_t seed, int deals, bool computer_human) {
    game::State s = game::new_game(rules);
    game::Events ev;
    game::InvariantChecker checker;
    std::string fault;
    ev.after_step = [&](const game::State& st, const game::Events& e) {
        if (fault.empty()) fault = checker.after(st, e, "step");
    };
    std::mt19937_64 deal_rng(seed);
    std::mt19937 rng(static_cast<unsigned>(seed));
    for (int deal = 0; deal < deals; ++deal) {
        SCOPED_TRACE("deal " + std::to_string(deal));
        ev.clear();
        checker.events_cleared();
        ASSERT_TRUE(game::apply(s, Decision{Move::shuffle, {}}, ev, deal_rng).ok());
        for (int actions = 0; s.ask != Ask::shuffle; ++actions) {
            ASSERT_TRUE(fault.empty()) << fault;
            ASSERT_LE(actions, game::InvariantChecker::kMaxActions) << "the deal does not end";
            ASSERT_NE(s.ask, Ask::nothing) << "the game waits for nobody";
            if (s.deal_running()) {
                // Between chains it is always the human's turn, with something to do.
                ASSERT_EQ(s.trick.turn, Seat::A);
                if (s.ask == Ask::lead) {
                    EXPECT_EQ(s.trick.standing, std::nullopt);
                    const game::Hand& hand = s.hands[Seat::A];
                    ASSERT_TRUE(std::any_of(hand.begin(), hand.end(), [&](Card c) { return pickable(s, c); }));
                } else {
                    ASSERT_TRUE(s.ask == Ask::follow || s.ask == Ask::follow_or_hold);
                    ASSERT_TRUE(s.trick.standing.has_value());
                }
            }
            const game::Verdict v = computer_human ? game::apply_computer_for_human(s, ev)
                                                   : game::apply(s, human_choice(s, rng), ev, deal_rng);
            ASSERT_TRUE(v.ok()) << v.reason;
            if (fault.empty()) fault = checker.after(s, ev, "action");
        }
        ASSERT_TRUE(fault.empty()) << fault;

        // The checker saw every place given once and the scores sum to 0.
        // The deal ended once and the next deal's prompt is the last line:
        // nothing runs after the end.
        int game_over = 0, deal_over = 0;
        game::PerSeat<int> place{};
        for (const game::Event& e : ev.list) {
            game_over += e.kind == EventKind::note && e.text == game::notes::kGameOver ? 1 : 0;
            deal_over += e.kind == EventKind::deal_over ? 1 : 0;
            if (e.kind == EventKind::place) place[e.seat] = e.number;
        }
        EXPECT_EQ(game_over, 1);
        EXPECT_EQ(deal_over, 1);
        EXPECT_EQ(ev.list.back().kind, EventKind::asked);
        EXPECT_EQ(last_note(ev), game::notes::kShuffleFirst);
        EXPECT_EQ(s.trick.turn, std::nullopt);
        // The last place leads the next deal.
        ASSERT_TRUE(s.first_leader.has_value());
        EXPECT_EQ(place[*s.first_leader], 6);
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(WholeDeals, HumanPlaysThroughApplyAndEveryDealEndsOnce) {
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        play_game(game::Rules{}, seed, 3, false);
        if (HasFailure()) return;
    }
}

TEST(WholeDeals, ComputerTakingTheHumansSeatEndsEveryDealOnce) {
    game::Rules rules;
    rules.threes = false;
    rules.smother = true;
    for (std::uint64_t seed = 100; seed < 130; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        play_game(rules, seed, 2, true);
        if (HasFailure()) return;
    }
}

}  // namespace
}  // namespace tav
