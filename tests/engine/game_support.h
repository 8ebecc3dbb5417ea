// Test helpers for the game model: states built from short card strings
// ("K K 2 BJ SJ 10", BJ a big joker, SJ a small joker, any other word a rank
// code). Each word takes a card of that rank not yet used by the same
// builder, so a state never holds one card twice. Also events built by hand,
// as the engine would send them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ai/classic.h"
#include "ai/level.h"
#include "host/driver.h"
#include "model/events.h"
#include "model/invariants.h"
#include "model/notes.h"
#include "model/state.h"
#include "rules/engine.h"
#include "rules/flow.h"
#include "rules/gate.h"

namespace tav::test {

// The same state, field by field (the state has no operator== of its own),
// so a field that differs shows up here by name.
inline void expect_same(const game::State& a, const game::State& b) {
    EXPECT_EQ(a.rules, b.rules);
    EXPECT_EQ(a.human, b.human);
    EXPECT_EQ(a.phase, b.phase);
    EXPECT_EQ(a.ask, b.ask);
    EXPECT_EQ(a.hands, b.hands);
    EXPECT_EQ(a.plays, b.plays);
    EXPECT_EQ(a.cleared, b.cleared);
    EXPECT_EQ(a.traded, b.traded);
    EXPECT_EQ(a.trick.standing, b.trick.standing);
    EXPECT_EQ(a.trick.turn, b.trick.turn);
    EXPECT_EQ(a.trick.challenge, b.trick.challenge);
    EXPECT_EQ(a.trick.answer, b.trick.answer);
    EXPECT_EQ(a.trick.passes, b.trick.passes);
    EXPECT_EQ(a.places, b.places);
    EXPECT_EQ(a.out_count, b.out_count);
    EXPECT_EQ(a.open_point, b.open_point);
    EXPECT_EQ(a.scores, b.scores);
    EXPECT_EQ(a.ledger, b.ledger);
    EXPECT_EQ(a.settling, b.settling);
    EXPECT_EQ(a.first_leader, b.first_leader);
    EXPECT_EQ(a.fours_mark, b.fours_mark);
    EXPECT_EQ(a.steps, b.steps);
}

using game::Card;
using game::Seat;

// Seat A's human decides `d`, as the window passes it on: the shuffle draws
// its pack from `rng`; then the computer seats play on.
inline game::Verdict human_acts(game::State& s, const game::Decision& d, game::Events& ev, std::mt19937_64& rng) {
    if (d.move == game::Move::shuffle && d.cards.empty()) return host::shuffle(s, ev, rng);
    return host::decide(s, Seat::A, d, ev);
}

// One action of a game the computer plays at every seat: the shuffle when it
// is due, else the computer's decision for the seat asked.
inline game::Verdict autoplay(game::State& s, game::Events& ev, std::mt19937_64& rng) {
    return s.ask == game::Ask::shuffle ? host::shuffle(s, ev, rng) : host::computer_decides(s, ev);
}

class Cards {
public:
    // An unused card of that word (0 when every copy is used).
    Card take(const std::string& word) {
        for (int n = 1; n <= game::kCards; ++n) {
            const Card c = static_cast<Card>(n);
            if (used_[static_cast<std::size_t>(n)] || word_of(c) != word) continue;
            used_[static_cast<std::size_t>(n)] = true;
            return c;
        }
        return 0;
    }
    std::vector<Card> take_all(const std::string& words) {
        std::vector<Card> out;
        std::istringstream in(words);
        for (std::string w; in >> w;) out.push_back(take(w));
        return out;
    }
    // Every card not taken yet.
    std::vector<Card> rest() {
        std::vector<Card> out;
        for (int n = 1; n <= game::kCards; ++n)
            if (!used_[static_cast<std::size_t>(n)]) {
                used_[static_cast<std::size_t>(n)] = true;
                out.push_back(static_cast<Card>(n));
            }
        return out;
    }
    static std::string word_of(Card c) {
        const game::Rank r = game::rank_of(c);
        if (r == game::kBigJoker) return "BJ";
        if (r == game::kSmallJoker) return "SJ";
        return std::string(game::rank_code(r));
    }

private:
    std::array<bool, game::kCards + 1> used_{};
};

// The events as the tests read them: a row for each card moved, each line
// written and each other event, in the order the table sees them.
enum class Kind { note, dealt, laid_out, played, cleared, handed, traded, place, score, deal_over, table_reset, asked };
struct Row {
    Kind kind = Kind::note;
    Seat seat = Seat::A;
    Card card = 0;
    int number = 0;  // the card's place in its play (from 0) or handing (from 1), a place, a score, an ask
    std::string text;
    std::vector<Card> cards;
};

inline void add_rows(const game::Event& e, std::vector<Row>& out) {
    auto row = [&out](Kind k, Seat seat = Seat::A, Card card = 0, int number = 0) {
        out.push_back({k, seat, card, number, {}, {}});
    };
    if (const auto* d = std::get_if<game::Dealt>(&e)) row(Kind::dealt, d->seat, d->card, d->number);
    if (const auto* l = std::get_if<game::LaidOut>(&e))
        out.push_back({Kind::laid_out, l->seat, 0, 0, {}, {l->cards.begin(), l->cards.end()}});
    if (const auto* p = std::get_if<game::Played>(&e))
        for (int i = 0; i < p->cards.size(); ++i) row(Kind::played, p->seat, p->cards[i], i);
    if (const auto* c = std::get_if<game::PlayCleared>(&e)) row(Kind::cleared, c->seat);
    if (const auto* h = std::get_if<game::TributeHanded>(&e))
        for (int i = 0; i < h->cards.size(); ++i) row(Kind::handed, h->giver, h->cards[i], i + 1);
    if (const auto* t = std::get_if<game::ThreeBought>(&e)) {
        row(Kind::traded, t->buyer, t->payment);
        row(Kind::traded, t->seller, t->three);
    }
    if (const auto* s = std::get_if<game::Scored>(&e)) row(Kind::score, s->seat, 0, s->score);
    if (const auto* p = std::get_if<game::Placed>(&e)) row(Kind::place, p->seat, 0, p->place);
    if (std::holds_alternative<game::DealOver>(e)) row(Kind::deal_over);
    if (std::holds_alternative<game::TableReset>(e)) row(Kind::table_reset);
    if (const auto* a = std::get_if<game::Asked>(&e)) row(Kind::asked, a->seat, 0, static_cast<int>(a->ask));
    std::vector<std::string> lines;
    game::notes::write(e, lines);
    for (std::string& line : lines) out.push_back({Kind::note, Seat::A, 0, 0, std::move(line), {}});
}
inline std::vector<Row> rows(const std::vector<game::Event>& list) {
    std::vector<Row> out;
    for (const game::Event& e : list) add_rows(e, out);
    return out;
}
// Every event's rows, or those of the events from the `from`-th on.
inline std::vector<Row> rows(const game::Events& ev, std::size_t from = 0) {
    return rows({ev.list.begin() + static_cast<long>(std::min(from, ev.list.size())), ev.list.end()});
}
inline std::vector<Row> rows(const game::Event& e) {
    std::vector<Row> out;
    add_rows(e, out);
    return out;
}

// A hand or play as an event carries it.
inline game::Play pile(const std::vector<Card>& cards) {
    game::Play p;
    for (Card c : cards) p.push(c);
    return p;
}

// An event as the engine would send it to the view: a card dealt, a hand
// laid out, the first card of a handing, the table reset.
inline game::Event event(Kind kind, Seat seat = Seat::A, Card card = 0, int number = 0, std::vector<Card> cards = {}) {
    switch (kind) {
        case Kind::dealt: return game::Dealt{seat, card, number};
        case Kind::laid_out: return game::LaidOut{seat, pile(cards)};
        case Kind::handed: return game::TributeHanded{seat, game::DebtKind::place, false, pile({card})};
        case Kind::table_reset: return game::TableReset{};
        default: ADD_FAILURE() << "no such event for the view"; return game::TableReset{};
    }
}

// The words of a pile in order, joined by blanks.
template <class P>
std::string words(const P& pile) {
    std::string out;
    for (Card c : pile) {
        if (!out.empty()) out += ' ';
        out += Cards::word_of(c);
    }
    return out;
}

// A state in the middle of a deal, built seat by seat. Hands are sorted
// strongest first as the computer seats hold them.
struct Table {
    game::State s;
    game::Events ev;
    Cards cards;

    Table() {
        s.phase = game::Phase::play;
        s.ask = game::Ask::nothing;
    }
    Table& hand(Seat seat, const std::string& w) {
        for (Card c : cards.take_all(w)) s.hands[seat].push(c);
        s.hands[seat].sort_by_rank();
        return *this;
    }
    // A play standing on the table (sorted as the engine keeps it).
    Table& play(Seat seat, const std::string& w) {
        for (Card c : cards.take_all(w)) s.plays[seat].push(c);
        s.plays[seat].sort_by_rank();
        return *this;
    }
    Table& cleared(const std::string& w) {
        for (Card c : cards.take_all(w)) s.cleared.push(c);
        return *this;
    }
    // Every card not placed yet goes to the cleared pile, so the state
    // passes the card check.
    Table& rest_cleared() {
        for (Card c : cards.rest()) s.cleared.push(c);
        return *this;
    }
    Table& out(Seat seat, int place) {
        s.places[seat] = static_cast<std::uint8_t>(place);
        ++s.out_count;
        return *this;
    }
    // `standing` played last and `turn` is to act.
    Table& trick(std::optional<Seat> standing, std::optional<Seat> turn, bool challenge = false,
                 game::ChallengeAnswer answer = game::ChallengeAnswer::none) {
        s.trick.standing = standing;
        s.trick.turn = turn;
        s.trick.challenge = challenge;
        s.trick.answer = answer;
        return *this;
    }
    game::DealSteps flow() { return game::DealSteps{s, ev}; }
    // The computer's decision for the seat at its turn, asked as the engine
    // asks it, carried out as the driver does (a refused answer is a pass, a
    // refused lead the weakest rank whole); the steps after it are left
    // scheduled in the steps returned, not run.
    game::DealSteps computer_turn() {
        const Seat seat = *s.trick.turn;
        s.ask = !s.trick.standing ? game::Ask::lead : s.trick.challenge ? game::Ask::follow_or_hold : game::Ask::follow;
        game::Decision d = game::computer_decision(s, seat);
        if (!game::check(s, seat, d)) {
            if (s.ask == game::Ask::lead)
                d.cards = game::classic::weakest_rank(game::SeatView(s, seat));
            else
                d = {game::Move::pass, {}, true};
        }
        game::DealSteps f = flow();
        if (d.move == game::Move::play)
            f.play(d.cards);
        else
            f.pass(false);
        return f;
    }
    // The steps scheduled in `f` run, then the computer seats play on until
    // a human must decide.
    void run_on(game::DealSteps f) {
        f.run();
        host::play_computer_seats(s, ev);
    }
    void run_on() { run_on(flow()); }

    // The note lines written so far, in order.
    std::vector<std::string> notes() const {
        std::vector<std::string> out;
        for (const game::Event& e : ev.list) game::notes::write(e, out);
        return out;
    }
    bool noted(const std::string& line) const {
        for (const std::string& n : notes())
            if (n == line) return true;
        return false;
    }
};

// Every card an event names by identity, whatever its kind (0 for a card
// shown face down).
template <class F>
void cards_named(const game::Event& event, F&& f) {
    std::visit(
        [&](const auto& e) {
            if constexpr (requires { e.card; }) f(e.card);
            if constexpr (requires { e.cards.begin(); })
                for (game::Card c : e.cards) f(c);
            if constexpr (requires { e.payment; }) f(e.payment);
            if constexpr (requires { e.three; }) f(e.three);
        },
        event);
}

using CardSet = std::bitset<game::kCards + 1>;

// What the table has shown face up this deal (plays, tributes handed, threes
// traded) and what each seat was dealt: worked out from the engine's own,
// unhidden events.
struct ShownThisDeal {
    CardSet shown;
    game::PerSeat<CardSet> dealt;

    void read(const game::Event& e) {
        if (std::holds_alternative<game::Shuffling>(e)) *this = ShownThisDeal{};
        if (const auto* d = std::get_if<game::Dealt>(&e)) dealt[d->seat].set(d->card);
        if (std::holds_alternative<game::Played>(e) || std::holds_alternative<game::TributeHanded>(e) ||
            std::holds_alternative<game::ThreeBought>(e))
            cards_named(e, [this](game::Card c) { shown.set(c); });
    }
};

// A new game under one of the 16 combinations of the rules (a bit each for
// threes, smother, points and tributes), with a human at every seat in every
// third combination, so each seat is asked and told its own prompts.
inline game::State game_under_rules(int combination) {
    game::State s = game::new_game(game::Rules{(combination & 1) != 0, (combination & 2) != 0, (combination & 4) != 0,
                                               (combination & 8) != 0});
    if (combination % 3 == 0) s.human.v.fill(true);
    return s;
}

}  // namespace tav::test
