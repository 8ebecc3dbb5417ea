// The human's picking at a table in the middle of a deal: the fixture the
// picking tests share.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "model/catalogue.h"
#include "session/session.h"
#include "tests/engine/game_support.h"
#include "tests/engine/session_support.h"

namespace tav::test {

// Where a card of the human's row stands at rest, and raised when picked.
constexpr int kRest = 1696, kRaised = 1654;

// The session is taken to the human's first turn of a real deal (so its
// buttons show a turn), then the position under test is put in its place
// and drawn afresh.
struct Picking : SessionFixture {
    Session s{settings, platform, 1};
    Table t;

    Picking() { s.shuffle(); }
    void SetUp() override {
        const game::Ask a = s.state().ask;
        ASSERT_TRUE(a == game::Ask::lead || a == game::Ask::follow || a == game::Ask::follow_or_hold);
    }

    // The session has no way to load a position, so the tests write it into
    // the session's state; nothing else in the session caches the state.
    game::State& live() { return const_cast<game::State&>(s.state()); }

    // Puts `t`'s position on the table: the human leads, or follows the
    // standing play.
    void arrange() {
        using test::Kind;
        s.picking().drop();
        game::State next = t.s;
        next.rules = live().rules;
        next.ask = next.trick.standing ? game::Ask::follow : game::Ask::lead;
        next.trick.turn = Seat::A;
        live() = next;
        TableView& v = s.view();
        v.show(event(Kind::table_reset));
        int dealt = 0;
        for (Seat seat : game::kAllSeats) {
            for (Card c : next.hands[seat]) v.show(event(Kind::dealt, seat, c, ++dealt));
            for (Card c : next.plays[seat]) v.show(event(Kind::dealt, seat, c, ++dealt));
        }
        for (Seat seat : game::kAllSeats) {
            const game::Hand& h = next.hands[seat];
            v.show(event(Kind::laid_out, seat, 0, 0, {h.begin(), h.end()}));
            if (!next.plays[seat].empty()) v.show(game::Played{seat, next.plays[seat], false});
        }
    }
    void hand(const std::string& words) {
        t = Table{};
        t.hand(Seat::A, words);
        arrange();
    }
    // A new play standing for `seat`; the human is to answer it.
    void standing(Seat seat, const std::string& words) {
        t.s.plays[seat].clear();
        t.play(seat, words).trick(seat, Seat::A);
        arrange();
    }

    Card card(int n) { return s.state().hands[Seat::A][n - 1]; }
    int y(Card c) { return s.surface().find(card_id(c))->y; }
    bool play_enabled() { return s.button(ButtonId::play).enabled; }
    // Cards of the hand standing raised, by their place in the hand ("2 3").
    std::string raised() {
        std::string out;
        for (int n = 1; n <= s.state().hands[Seat::A].size(); ++n)
            if (y(card(n)) == kRaised) out += (out.empty() ? "" : " ") + std::to_string(n);
        return out;
    }
};

}  // namespace tav::test
