// The tribute settlement on a table laid out by hand: the helper the
// tribute tests share.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/invariants.h"
#include "model/notes.h"
#include "rules/engine.h"
#include "tests/engine/game_support.h"

namespace tav::test {

// A deal just dealt, with the ledger of the one before. Every card not named
// lies in the cleared pile, so all 216 are accounted for. The human leads
// the new deal, so play never runs on once the settlement is done.
struct Settlement {
    Table t;
    std::mt19937_64 rng{1};

    Settlement() {
        t.s.rules.threes = false;
        t.s.first_leader = Seat::A;
        t.s.phase = game::Phase::tribute;
    }
    // A card that came by an earlier tribute of this deal.
    void give_traded(Seat seat, const std::string& word) {
        const game::Card c = t.cards.take(word);
        t.s.hands[seat].push(c);
        t.s.hands[seat].sort_by_rank();
        t.s.traded.set(c);
    }
    // Slot `i`: the payer, holding `pays_from`, owes `count` to the receiver, holding `holds`.
    void debt(int i, Seat payer, const std::string& pays_from, Seat receiver, const std::string& holds, int count) {
        t.hand(payer, pays_from).hand(receiver, holds);
        t.s.ledger[static_cast<std::size_t>(i)] = {payer, receiver, count};
    }
    void settle() {
        t.rest_cleared();
        ASSERT_EQ(game::check_cards(t.s), "");
        game::DealSteps f = t.flow();
        f.settle_from(1);
        t.run_on(f);
        ASSERT_EQ(game::check_cards(t.s), "");
    }
    game::Verdict answer(const game::Decision& d) { return tav::test::human_acts(t.s, d, t.ev, rng); }
    game::Verdict return_tribute(std::vector<game::Card> cards) {
        return answer({game::Move::return_tribute, std::move(cards)});
    }

    // A hand, strongest first; with `marked`, only its cards received in a tribute.
    std::string held(Seat seat, bool marked = false) const {
        game::Hand h;
        for (game::Card c : t.s.hands[seat])
            if (!marked || t.s.traded[c]) h.push(c);
        h.sort_by_rank();
        return words(h);
    }
    std::string moved_in(Seat seat) const { return held(seat, true); }
    // A card of that word in the seat's hand.
    game::Card card(Seat seat, const std::string& word) const {
        for (game::Card c : t.s.hands[seat])
            if (Cards::word_of(c) == word) return c;
        ADD_FAILURE() << "no " << word << " in the hand";
        return 0;
    }
    // The cards `seat` showed in tributes or returns, "BJ#1 2#2 ...".
    std::string shown_by(Seat seat) const {
        std::string out;
        for (const test::Row& e : test::rows(t.ev))
            if (e.kind == test::Kind::handed && e.seat == seat)
                out += (out.empty() ? "" : " ") + Cards::word_of(e.card) + "#" + std::to_string(e.number);
        return out;
    }
    int asked(game::Ask what) const {
        return static_cast<int>(std::count_if(t.ev.list.begin(), t.ev.list.end(), [what](const game::Event& e) {
            const auto* a = std::get_if<game::Asked>(&e);
            return a && a->ask == what;
        }));
    }
    // The seats whose hands were laid out again since event `from`, in order.
    std::vector<Seat> laid_out_since(std::size_t from) const {
        std::vector<Seat> out;
        for (const game::Event& e :
             std::vector<game::Event>(t.ev.list.begin() + static_cast<long>(from), t.ev.list.end()))
            if (const auto* l = std::get_if<game::LaidOut>(&e)) out.push_back(l->seat);
        return out;
    }
    // The cards of the seat's hand as last laid out.
    std::vector<game::Card> last_row(Seat seat) const {
        std::vector<game::Card> row;
        for (const test::Row& e : test::rows(t.ev))
            if (e.kind == test::Kind::laid_out && e.seat == seat) row = e.cards;
        return row;
    }
    bool ledger_empty() const { return t.s.ledger == decltype(t.s.ledger){}; }
    bool started() const { return t.noted(game::notes::kPlayBegins) && t.s.phase == game::Phase::play; }
};

}  // namespace tav::test
