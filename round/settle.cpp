// Settling the tribute ledger once the next deal is dealt, slot by slot: the
// payer's strongest jokers and 2s (never a card it was itself paid) go to the
// receiver, who gives as many weak cards back. A human receiver is asked
// whether to take a partner's tribute (a computer seat takes it); every
// receiver is asked for its return.
#include <stdexcept>

#include "rules/flow.h"

namespace tav::game {
namespace {

// The payer's cards owed for a slot: its wild cards not received in a
// tribute, strongest first, as many as owed and it has.
std::vector<Card> tribute_cards(const State& s, Seat payer, int owed) {
    Hand wild;
    for (Card c : s.hands[payer])
        if (is_wild(rank_of(c)) && !s.traded[c]) wild.push(c);
    wild.sort_by_rank();
    const int n = std::min(std::max(owed, 0), wild.size());
    return {wild.begin(), wild.begin() + n};
}

// The cards shown in a handing, as the event carries them.
Play pile_of(std::span<const Card> cards) {
    Play p;
    for (Card c : cards) p.push(c);
    return p;
}

// A card from one hand to another: taken only once the other hand holds it.
// A hand too full to take it (a state no game reaches, refused by the state's
// reader) leaves the card where it was and refuses the whole action, which
// the window then undoes.
void hand_over(Hand& from, Hand& to, Card c) {
    if (!from.contains(c)) return;
    if (!to.push(c)) throw std::length_error("a hand is too full to take a tribute card");
    from.remove(c);
}

}  // namespace

void DealSteps::settle_from(int first) {
    for (int slot = first;; ++slot) {
        s.settling = slot;
        if (slot > kLedgerSlots || slot < 1 || !s.rules.tributes) {
            // The ledger holds the debts of the deal just played: once they
            // are settled (or tributes are off) it is emptied for the next one.
            s.ledger = {};
            if (s.rules.threes) buy_threes();
            begin_play();
            return;
        }
        Debt& debt = s.ledger[static_cast<std::size_t>(slot)];
        if (!debt.payer || !debt.receiver || debt.payer == debt.receiver) continue;  // half filed: nothing to settle
        const Seat payer = *debt.payer, receiver = *debt.receiver;
        const std::vector<Card> cards = tribute_cards(s, payer, debt.count);
        debt.count = static_cast<int>(cards.size());
        if (ev.wants<TributeHanded>()) ev.add(TributeHanded{payer, kind_of_slot(slot), false, pile_of(cards)});
        if (debt.count == 0) continue;  // nothing paid: nothing to take, nothing owed back
        if (s.human[receiver] && same_side(payer, receiver)) {
            ask(receiver, Ask::take_partner_tribute);  // the answer goes on in pay_slot
            return;
        }
        pay_slot(slot);
        return;  // the receiver owes a return
    }
}

void DealSteps::pay_slot(int slot) {
    Debt& debt = s.ledger[static_cast<std::size_t>(slot)];
    const Seat payer = *debt.payer, receiver = *debt.receiver;
    for (Card c : tribute_cards(s, payer, debt.count)) {
        hand_over(s.hands[payer], s.hands[receiver], c);
        s.traded.set(c);
    }
    // The receiver picks its return (a human confirms it with the return button).
    if (s.human[receiver]) ev.add(Prompted{receiver, Ask::return_tribute});
    ask(receiver, Ask::return_tribute);
}

void DealSteps::answer_partner(bool take) {
    s.ask = Ask::nothing;
    if (take) {
        pay_slot(s.settling);
        if (s.ask == Ask::nothing) settle_from(s.settling + 1);
        return;
    }
    ev.add(TributeRefused{*s.ledger[static_cast<std::size_t>(s.settling)].receiver});
    lay_out(*s.ledger[static_cast<std::size_t>(s.settling)].payer);
    settle_from(s.settling + 1);
}

void DealSteps::answer_return(std::span<const Card> cards, bool by_human) {
    s.ask = Ask::nothing;
    hand_back(s.settling, cards, by_human);
    settle_from(s.settling + 1);
}

void DealSteps::hand_back(int slot, std::span<const Card> cards, bool by_human) {
    Debt& debt = s.ledger[static_cast<std::size_t>(slot)];
    const Seat payer = *debt.payer, receiver = *debt.receiver;
    for (Card c : cards) {
        hand_over(s.hands[receiver], s.hands[payer], c);
        s.traded.set(c, !by_human);
    }
    // The computer's return may give fewer cards than owed: the debt says what went.
    if (!by_human) debt.count = std::min(debt.count, static_cast<int>(cards.size()));
    if (ev.wants<TributeHanded>()) ev.add(TributeHanded{receiver, kind_of_slot(slot), true, pile_of(cards)});
    lay_out(payer);
    lay_out(receiver);
}

}  // namespace tav::game
