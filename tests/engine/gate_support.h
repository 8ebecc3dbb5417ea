// The gate's tables for the tests: seat A asked to lead, follow, answer a
// challenge, return, answer a partner, or shuffle; and every refusal the gate
// gives, each with a decision that earns it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/decision.h"
#include "tests/engine/game_support.h"

namespace tav::test {

using game::Ask;
using game::ChallengeAnswer;
using game::Decision;
using game::Hand;
using game::Move;
using game::Phase;

inline Table lead(const std::string& hand, bool threes = true) {
    Table t;
    t.s.rules.threes = threes;
    t.hand(Seat::A, hand).hand(Seat::B, "4");
    t.trick(std::nullopt, Seat::A);
    t.s.ask = Ask::lead;
    return t;
}
inline Table follow(const std::string& hand, const std::string& standing, bool challenge = false) {
    Table t;
    t.hand(Seat::A, hand).hand(Seat::D, "4").play(Seat::D, standing);
    t.trick(Seat::D, Seat::A, challenge, challenge ? ChallengeAnswer::opposite_only : ChallengeAnswer::none);
    t.s.ask = challenge ? Ask::follow_or_hold : Ask::follow;
    return t;
}
inline Table owing(const std::string& hand, int owed, bool threes = true) {
    Table t;
    t.s.rules.threes = threes;
    t.s.phase = Phase::tribute;
    t.hand(Seat::A, hand).hand(Seat::B, "4");
    t.s.ledger[1] = {Seat::B, Seat::A, owed};
    t.s.ask = Ask::return_tribute;
    return t;
}
inline Table asked(Ask a) {
    Table t;
    if (a == Ask::shuffle) t.s.phase = Phase::between_deals;
    if (a == Ask::take_partner_tribute) t.s.ledger[1] = {Seat::C, Seat::A, 1};
    t.hand(Seat::A, "K 9");
    t.s.ask = a;
    return t;
}

// B must answer D's play; A's decision comes when it is not A's turn.
inline Table computer_follows() {
    Table t;
    t.hand(Seat::A, "K").hand(Seat::B, "A 9").hand(Seat::D, "4").play(Seat::D, "Q");
    t.trick(Seat::D, Seat::B);
    t.s.ask = Ask::follow;
    return t;
}
// A state as a play leaves it before the engine's steps run: nobody
// decides before them.
inline Table steps_due(Table t) {
    t.s.ask = Ask::nothing;
    return t;
}
// The whole pack in order but the last card named twice.
inline Decision pack_with_twice() {
    Decision d{Move::shuffle, {}};
    for (int c = 1; c <= game::kCards; ++c) d.cards.push_back(static_cast<Card>(c == game::kCards ? 1 : c));
    return d;
}

// A decision the gate refuses, with the reason it gives.
struct Refusal {
    const char* what;
    Table table;
    Seat seat;
    Decision d;
    std::string reason;
};

inline std::vector<Refusal> gate_refusals() {
    const Table t = lead("3 K K");
    const Hand& h = t.s.hands[Seat::A];
    const Card three = h[2], king = h[0], foreign = t.s.hands[Seat::B][0];
    const Table f = follow("K K A 9", "Q Q");
    const Card fk = f.s.hands[Seat::A][0];
    const Table many = follow("K K K", "Q Q");
    const std::vector<Card> kkk(many.s.hands[Seat::A].begin(), many.s.hands[Seat::A].end());
    const Table weak = follow("J J", "Q Q");
    const Hand& jj = weak.s.hands[Seat::A];
    const Table r = owing("K 9 3", 2);
    const Card rk = r.s.hands[Seat::A][0], r3 = r.s.hands[Seat::A][2];
    return {
        {"nothing is asked", asked(Ask::nothing), Seat::A, Decision::pass(), "现在没有要做的决定"},
        {"another seat", t, Seat::B, Decision::play({king}), "还没轮到这个座位"},
        {"a play before the shuffle", asked(Ask::shuffle), Seat::A, Decision::pass(), "请先洗牌"},
        {"a shuffle of one card", asked(Ask::shuffle), Seat::A, Decision{Move::shuffle, {king}}, "洗牌须是整副牌"},
        {"a shuffle naming a card twice", asked(Ask::shuffle), Seat::A, pack_with_twice(), "洗牌须是整副牌"},
        {"a play after the deal moved on to the shuffle", asked(Ask::shuffle), Seat::A, Decision::play({king}),
         "请先洗牌"},
        {"a pass for A at a computer seat's turn", computer_follows(), Seat::A, Decision::pass(), "还没轮到这个座位"},
        {"a play while the engine's steps are due", steps_due(t), Seat::A, Decision::play({king}),
         "现在没有要做的决定"},
        {"another seat's return", r, Seat::B, Decision{Move::return_tribute, {rk, rk}}, "还没轮到这个座位"},
        {"a computer's return of too many", r, Seat::A,
         Decision{Move::return_tribute, {rk, r3, r.s.hands[Seat::A][1]}, true}, "请选择2张牌还贡！"},
        {"a pass where a lead is due", t, Seat::A, Decision::pass(), "该你出牌，不能过牌"},
        {"a return in a trick", t, Seat::A, Decision{Move::return_tribute, {king}}, "该你出牌"},
        {"a shuffle in a trick", t, Seat::A, Decision{Move::shuffle, {}}, "该你出牌"},
        {"nothing picked", t, Seat::A, Decision::play({}), "请先选牌"},
        {"no such card", t, Seat::A, Decision::play({0}), "没有这张牌"},
        {"another seat's card", t, Seat::A, Decision::play({foreign}), "这张牌不在手中"},
        {"a card twice", t, Seat::A, Decision::play({king, king}), "一张牌选了两次"},
        {"two ranks", t, Seat::A, Decision::play({king, three}), "一手牌只能有一种点数（王和2除外）"},
        {"a three led from 3 K K", t, Seat::A, Decision::play({three}), "手中还有别的牌，３不能出"},
        {"too few to follow", f, Seat::A, Decision::play({fk}), "出牌张数不对"},
        {"too many to follow", many, Seat::A, Decision::play(kkk), "出牌张数不对"},
        {"too weak to follow", weak, Seat::A, Decision::play({jj[0], jj[1]}), "压不过桌上的牌"},
        {"a hold-back with no challenge", f, Seat::A, Decision{Move::hold_back, {}}, "没有瑟柯牌，不能扣牌"},
        {"a pass with cards", f, Seat::A, Decision{Move::pass, {fk}}, "这一步不出牌"},
        {"a pass on a challenge", follow("K", "A A", true), Seat::A, Decision::pass(), "瑟柯牌只能接牌或扣牌"},
        {"a play when a return is owed", r, Seat::A, Decision::play({rk}), "请先还贡"},
        {"a return of too few", r, Seat::A, Decision{Move::return_tribute, {rk}}, "请选择2张牌还贡！"},
        {"a return of too many", r, Seat::A, Decision{Move::return_tribute, {rk, r3, r.s.hands[Seat::A][1]}},
         "请选择2张牌还贡！"},
        {"a three returned", r, Seat::A, Decision{Move::return_tribute, {rk, r3}}, "手中还有别的牌，３不能还"},
        {"a play to the partner's question", asked(Ask::take_partner_tribute), Seat::A, Decision::pass(),
         "请回答要不要同帮的进贡"},
    };
}

}  // namespace tav::test
