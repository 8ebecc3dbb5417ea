// The strong level: the plays it weighs, that it decides only from what its
// seat may know, that every decision is one the rules allow, and that it
// falls back to the classic level when it has nothing to weigh. Also the
// engine's look-ahead step it plays its worlds with.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "ai/classic.h"
#include "ai/level.h"
#include "ai/strong.h"
#include "ai/strong_moves.h"
#include "ai/strong_world.h"
#include "rules/engine.h"
#include "rules/gate.h"
#include "rules/play.h"
#include "tests/engine/game_support.h"

namespace tav::game {
namespace {

using strong::answer_choices;
using strong::lead_choices;
using test::Table;
using test::words;

Hand hand_of(test::Cards& cards, const std::string& w) {
    Hand h;
    for (Card c : cards.take_all(w)) h.push(c);
    h.sort_by_rank();
    return h;
}
Play play_of(test::Cards& cards, const std::string& w) {
    Play p;
    for (Card c : cards.take_all(w)) p.push(c);
    p.sort_by_rank();
    return p;
}
std::string sorted_words(const std::vector<Card>& cards) {
    Play p;
    for (Card c : cards) p.push(c);
    p.sort_by_rank();
    return words(p);
}

TEST(StrongMoves, AnswersBeatTheStandingPlayCheapestFirst) {
    test::Cards cards;
    const Hand hand = hand_of(cards, "BJ 2 2 A A A K K 9 9 8 5");
    const Play pair_of_sevens = play_of(cards, "7 7");
    const auto answers = answer_choices(hand, pair_of_sevens, Rules{}, 8);
    ASSERT_FALSE(answers.empty());
    for (const auto& a : answers) EXPECT_TRUE(can_play(a, &pair_of_sevens)) << sorted_words(a);
    // The weakest exact pair first; aces (a broken group) after the kings.
    EXPECT_EQ(sorted_words(answers[0]), "9 9");
    const auto at = [&](const std::string& w) {
        for (std::size_t i = 0; i < answers.size(); ++i)
            if (sorted_words(answers[i]) == w) return static_cast<int>(i);
        return -1;
    };
    ASSERT_GE(at("K K"), 0);
    ASSERT_GE(at("A A"), 0);
    EXPECT_LT(at("K K"), at("A A"));
    // A single 8 is topped up with the weakest wild card: a 2.
    ASSERT_GE(at("2 8"), 0);
    EXPECT_LT(at("9 9"), at("2 8"));
    // `most` keeps the cheapest.
    EXPECT_EQ(answer_choices(hand, pair_of_sevens, Rules{}, 2).size(), 2u);
}

TEST(StrongMoves, WildCardsAnswerWhatNaturalCardsCannot) {
    test::Cards cards;
    // Against K K small joker only ace ace big joker beats: the big joker must
    // take the small joker's place.
    const Hand hand = hand_of(cards, "BJ 2 A A 5");
    const Play standing = play_of(cards, "SJ K K");
    const auto answers = answer_choices(hand, standing, Rules{}, 8);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(sorted_words(answers[0]), "BJ A A");
    // Nothing beats a big joker alone, nor an equal card.
    EXPECT_TRUE(answer_choices(hand, play_of(cards, "BJ"), Rules{}, 8).empty());
    EXPECT_TRUE(answer_choices(hand_of(cards, "Q Q"), play_of(cards, "Q Q"), Rules{}, 8).empty());
    // Fewer cards than the standing play: nothing.
    EXPECT_TRUE(answer_choices(hand_of(cards, "2"), play_of(cards, "9 9"), Rules{}, 8).empty());
    // Against K 9 a pair of tens fails at the king, but a 2 in the king's
    // place and one ten beat it: fewer natural cards than the hand holds.
    const auto broken = answer_choices(hand_of(cards, "10 10 2"), play_of(cards, "K 9"), Rules{}, 8);
    ASSERT_EQ(broken.size(), 1u);
    EXPECT_EQ(sorted_words(broken[0]), "2 10");
    // Whether anything beats is told by the first legal play alone.
    const Play six = play_of(cards, "6"), big_joker = play_of(cards, "BJ");
    EXPECT_GT(legal_plays(hand, &six, Rules{}).size(), 1u);
    EXPECT_EQ(legal_plays(hand, &six, Rules{}, 1), std::vector<Decision>{legal_plays(hand, &six, Rules{})[0]});
    EXPECT_TRUE(legal_plays(hand, &big_joker, Rules{}, 1).empty());
}

TEST(StrongMoves, LeadsKeepTheRuleOnThreesAndGoOutWithTheWildCards) {
    test::Cards cards;
    Rules threes_kept;
    const Hand hand = hand_of(cards, "SJ 2 K 9 9 3 3");
    const auto leads = lead_choices(hand, threes_kept);
    ASSERT_FALSE(leads.empty());
    for (const auto& l : leads) {
        EXPECT_TRUE(can_play(l, nullptr)) << sorted_words(l);
        for (Card c : l) EXPECT_NE(rank_of(c), kThree) << sorted_words(l);
    }
    EXPECT_EQ(sorted_words(leads[0]), "9 9");  // the weakest rank first
    // Near the end the wild cards go together, alone or with the weakest rank.
    const auto near_end = lead_choices(hand_of(cards, "BJ 2 8 8"), threes_kept);
    const auto has = [&](const std::vector<std::vector<Card>>& list, const std::string& w) {
        return std::any_of(list.begin(), list.end(), [&](const auto& l) { return sorted_words(l) == w; });
    };
    EXPECT_TRUE(has(near_end, "BJ 2"));
    EXPECT_TRUE(has(near_end, "BJ 2 8 8"));
    // Without the rule threes lead like any rank; with it, only threes left lead all.
    Rules threes_free;
    threes_free.threes = false;
    EXPECT_TRUE(has(lead_choices(hand_of(cards, "5 3 3"), threes_free), "3 3"));
    EXPECT_FALSE(has(lead_choices(hand_of(cards, "5 3"), threes_kept), "3"));
    EXPECT_TRUE(has(lead_choices(hand_of(cards, "3 3"), threes_kept), "3 3"));
    EXPECT_TRUE(lead_choices(Hand{}, threes_kept).empty());
}

struct Turn {
    State s;
    Seat seat;
};

// Turns from whole deals with every seat strong, every `every`-th taken:
// seat A's between actions, the other seats' as the engine drives them.
std::vector<Turn> turns_of(std::uint64_t seed, int deals, int every) {
    Rules rules;
    rules.levels.fill(Level::strong);
    State s = new_game(rules);
    std::mt19937_64 rng(seed);
    Events ev;
    ev.keep = game::Keep::outcome;
    std::vector<Turn> out;
    int seen = 0;
    ev.after_step = [&](const State& st, const Events&) {
        const std::optional<Seat> turn = st.trick.turn;
        // A computer seat asked to answer the standing play.
        if (st.deal_running() && (st.ask == Ask::follow || st.ask == Ask::follow_or_hold) && turn && *turn != Seat::A &&
            turn != st.trick.standing && !st.is_out(*turn) && seen++ % every == 0)
            out.push_back({st, *turn});
    };
    for (int deal = 0; deal < deals; ++deal) {
        tav::test::human_acts(s, Decision{Move::shuffle, {}}, ev, rng);
        for (int guard = 0; guard < 2000 && s.ask != Ask::shuffle; ++guard) {
            if ((s.ask == Ask::lead || s.ask == Ask::follow || s.ask == Ask::follow_or_hold) && seen++ % every == 0)
                out.push_back({s, Seat::A});
            host::computer_decides(s, ev);
            ev.clear();
        }
    }
    return out;
}

int cards_left(const State& s) {
    int left = 0;
    for (Seat x : kAllSeats) left += s.hands[x].size();
    return left;
}

// The hidden cards of every seat but `seat` dealt among those seats anew,
// each keeping its number of cards.
State reshuffled(const State& s, Seat seat, std::mt19937_64& rng) {
    State r = s;
    std::vector<Card> hidden;
    for (Seat x : kAllSeats)
        if (x != seat) hidden.insert(hidden.end(), s.hands[x].begin(), s.hands[x].end());
    std::shuffle(hidden.begin(), hidden.end(), rng);
    std::size_t next = 0;
    for (Seat x : kAllSeats) {
        if (x == seat) continue;
        r.hands[x].clear();
        for (int k = 0; k < s.hands[x].size(); ++k) r.hands[x].push(hidden[next++]);
        r.hands[x].sort_by_rank();
    }
    return r;
}

TEST(StrongLevel, DecidesTheSameHoweverTheHiddenCardsLie) {
    const std::vector<Turn> turns = turns_of(21, 6, 1);
    std::mt19937_64 rng(5);
    int differed = 0, near_the_end = 0, others = 0;
    for (const Turn& t : turns) {
        const Decision mine = computer_decision(t.s, t.seat);
        if (cards_left(t.s) <= 40) ++near_the_end;  // where it looks ahead
        if (t.seat != Seat::A) ++others;
        for (int k = 0; k < 2; ++k) {
            const State other = reshuffled(t.s, t.seat, rng);
            if (!(other.hands == t.s.hands)) ++differed;
            const Decision theirs = computer_decision(other, t.seat);
            EXPECT_TRUE(theirs == mine) << "seat " << letter_of(t.seat) << ": " << sorted_words(mine.cards)
                                        << " became " << sorted_words(theirs.cards);
        }
    }
    EXPECT_GT(differed, 20);
    EXPECT_GT(near_the_end, 5);
    EXPECT_GT(others, 5);
}

// The computer playing seat A in the human's place decides exactly as the
// strong level decides at that seat, looking ahead near the end as it does.
TEST(StrongLevel, PlaysTheHumansSeatAsItDecidesThere) {
    int near_the_end = 0;
    for (const Turn& t : turns_of(23, 3, 1)) {
        if (t.seat != Seat::A) continue;
        if (cards_left(t.s) <= 40) ++near_the_end;
        const Decision d = computer_decision(t.s, Seat::A);
        State s = t.s;
        Events ev;
        ASSERT_TRUE(host::computer_decides(s, ev));
        std::vector<Card> laid;
        for (const Event& e : ev.list)
            if (const auto* p = std::get_if<game::Played>(&e); p && p->seat == Seat::A)
                laid.insert(laid.end(), p->cards.begin(), p->cards.end());
        EXPECT_EQ(sorted_words(laid), d.move == Move::play ? sorted_words(d.cards) : "");
    }
    EXPECT_GT(near_the_end, 5);
}

// The natural rank of an answer, 0 for wild cards alone.
Rank kind_of_answer(const std::vector<Card>& cards) {
    Rank kind = 0;
    for (Card c : cards)
        if (!is_wild(rank_of(c))) kind = rank_of(c);
    return kind;
}

TEST(StrongLevel, EveryDecisionIsAPlayTheRulesAllow) {
    for (const Turn& t : turns_of(22, 2, 1)) {
        const State& s = t.s;
        const Decision d = computer_decision(s, t.seat);
        const Play* standing = s.trick.standing ? &s.plays[*s.trick.standing] : nullptr;
        if (standing) {
            // It weighs the cheapest answer of every kind the rules allow, and only those.
            std::set<Rank> allowed, weighed;
            std::set<std::vector<Card>> legal;
            for (Decision& l : legal_plays(s.hands[t.seat], standing, s.rules)) {
                allowed.insert(kind_of_answer(l.cards));
                std::sort(l.cards.begin(), l.cards.end());
                legal.insert(l.cards);
            }
            for (std::vector<Card> a : answer_choices(s.hands[t.seat], *standing, s.rules, kRanks + 1)) {
                weighed.insert(kind_of_answer(a));
                std::sort(a.begin(), a.end());
                EXPECT_TRUE(legal.count(a)) << sorted_words(a);
            }
            EXPECT_EQ(weighed, allowed);
            if (allowed.empty()) {
                EXPECT_NE(d.move, Move::play) << "an answer where none beats";
            }
        }
        if (d.move == Move::pass || d.move == Move::hold_back) {
            EXPECT_NE(standing, nullptr) << "a pass where a lead is due";
            continue;
        }
        ASSERT_EQ(d.move, Move::play);
        EXPECT_TRUE(can_play(d.cards, standing));
        Hand left = s.hands[t.seat];
        for (Card c : d.cards) EXPECT_TRUE(left.remove(c)) << "a card not in the hand, or named twice";
        const bool threes = std::any_of(d.cards.begin(), d.cards.end(), [](Card c) { return rank_of(c) == kThree; });
        if (s.rules.threes && threes) {
            EXPECT_TRUE(left.empty() || left.count(kThree) == left.size());
        }
        // The engine takes it as it is.
        State after = s;
        Events ev;
        EXPECT_TRUE(strong::force_turn(after, d, ev).ok());
    }
}

TEST(StrongLevel, WhenTheLookAheadCannotStepItKeepsTheClassicLead) {
    // A state the look-ahead cannot step (made by hand: a lead asked while
    // tributes are settled): every world refuses every lead, and the
    // classic lead stands.
    Table t;
    t.hand(Seat::A, "2 K K 9 9 6").hand(Seat::B, "A A 7").hand(Seat::C, "Q Q").hand(Seat::D, "J 8");
    t.hand(Seat::E, "10 10 5").hand(Seat::F, "4 4").rest_cleared().trick(std::nullopt, Seat::A);
    t.s.ask = Ask::lead;
    t.s.phase = game::Phase::tribute;
    const std::vector<Card> lead = strong::lead(t.s, Seat::A);
    EXPECT_EQ(sorted_words(lead), sorted_words(classic::lead(SeatView(t.s, Seat::A))));
    EXPECT_TRUE(can_play(lead, nullptr));
}

TEST(StrongLevel, WithNothingThatBeatsItPasses) {
    Table t;
    t.hand(Seat::A, "K 9 9 6").hand(Seat::B, "A A 7").hand(Seat::C, "Q Q").hand(Seat::D, "J 8");
    t.hand(Seat::E, "10 10 5").hand(Seat::F, "4 4").play(Seat::F, "BJ").rest_cleared();
    t.trick(Seat::F, Seat::A, true, ChallengeAnswer::in_turn);
    t.s.ask = Ask::follow_or_hold;
    EXPECT_FALSE(strong::follow(t.s, Seat::A).has_value());
}

TEST(LookAhead, CarriesOutAComputerSeatsTurnOrRefusesItUntouched) {
    Table t;
    t.hand(Seat::A, "K 9 9 6").hand(Seat::B, "A A 7 7").hand(Seat::C, "Q Q 5").hand(Seat::D, "J 8");
    t.hand(Seat::E, "10 10 5").hand(Seat::F, "4 4 4").play(Seat::A, "6").rest_cleared();
    t.trick(Seat::A, Seat::B);
    const State before = t.s;
    std::vector<Card> sevens;
    for (Card c : t.s.hands[Seat::B])
        if (rank_of(c) == 7) sevens.push_back(c);
    std::vector<Card> ace{t.s.hands[Seat::B][0]};
    std::vector<Card> not_hers{t.s.hands[Seat::C][0]};
    Events ev;
    EXPECT_FALSE(strong::force_turn(t.s, Decision::play(sevens), ev).ok());  // two cards on one
    EXPECT_FALSE(strong::force_turn(t.s, Decision::play(not_hers), ev).ok());
    EXPECT_FALSE(strong::force_turn(t.s, Decision{Move::return_tribute, ace}, ev).ok());
    EXPECT_TRUE(t.s.hands == before.hands && t.s.trick.standing == before.trick.standing);
    ASSERT_TRUE(strong::force_turn(t.s, Decision::play(ace), ev).ok());
    EXPECT_EQ(t.s.hands[Seat::B].size(), 3);
    EXPECT_FALSE(t.s.hands[Seat::B].contains(ace[0]));
    // The turn moved on.
    EXPECT_NE(t.s.trick.turn, std::optional<Seat>(Seat::B));
    // A lead is due at a fresh trick: a pass is refused, and so are threes
    // while other cards remain under the rule on threes.
    Table lead;
    lead.hand(Seat::A, "K 3").hand(Seat::B, "A").rest_cleared().trick(std::nullopt, Seat::A);
    lead.s.ask = Ask::lead;
    EXPECT_FALSE(strong::force_turn(lead.s, Decision::pass(), ev).ok());
    const std::vector<Card> three{lead.s.hands[Seat::A][1]};
    ASSERT_EQ(rank_of(three[0]), kThree);
    EXPECT_FALSE(strong::force_turn(lead.s, Decision::play(three), ev).ok());
    lead.s.rules.threes = false;
    EXPECT_TRUE(strong::force_turn(lead.s, Decision::play(three), ev).ok());
}

}  // namespace
}  // namespace tav::game
