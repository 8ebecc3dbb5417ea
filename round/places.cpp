// Places and the end of a deal. A seat that empties its hand takes the next
// place (头科 .. 大落) with its score change and files the place tributes;
// when five seats are out and only a human is left, that human is placed
// last at once and the deal ends. A side whose three seats are all out before
// any seat of the other side has swept it: the place tributes become three
// one-card tributes between opposite seats.
#include <array>

#include "rules/flow.h"

namespace tav::game {
namespace {

constexpr std::array<int, 7> kScoreChange{0, 2, 1, 0, 0, -1, -2};
constexpr std::size_t kFirstPlaceSlot = 13, kSecondPlaceSlot = 14, kThirdSweepSlot = 15;

}  // namespace

void DealSteps::place_and_file_sweeps() {
    if (!s.trick.turn) return;
    const Seat seat = *s.trick.turn;
    if (s.hands[seat].empty() && !s.is_out(seat)) {
        ++s.out_count;
        take_place(seat, s.out_count);
    }
    // Asked after every play: the seat left in play is looked for only once five are out.
    if (s.out_count == 5)
        if (const std::optional<Seat> last = in_play_after(seat); last && s.human[*last]) {
            // A human is left alone: placed last without playing again.
            s.out_count = 6;
            take_place(*last, 6);
            schedule(Next::end_trick, std::nullopt);
            return;  // nothing of this deal runs after its end
        }
    auto all = [this](std::array<Seat, 3> side, bool out) {
        for (Seat x : side)
            if (s.is_out(x) != out) return false;
        return true;
    };
    auto sweep = [this](std::array<Seat, 3> payers, std::array<Seat, 3> receivers) {
        for (std::size_t k = 0; k < 3; ++k) s.ledger[kFirstPlaceSlot + k] = {payers[k], receivers[k], 1};
    };
    if (all({Seat::A, Seat::C, Seat::E}, false) && all({Seat::B, Seat::D, Seat::F}, true)) {
        ev.add(Swept{true});
        sweep({Seat::E, Seat::A, Seat::C}, {Seat::B, Seat::D, Seat::F});
    } else if (all({Seat::B, Seat::D, Seat::F}, false) && all({Seat::A, Seat::C, Seat::E}, true)) {
        ev.add(Swept{false});
        sweep({Seat::B, Seat::D, Seat::F}, {Seat::E, Seat::A, Seat::C});
    }
}

void DealSteps::take_place(Seat seat, int place) {
    s.places[seat] = static_cast<std::uint8_t>(place);
    Debt& first = s.ledger[kFirstPlaceSlot];
    Debt& second = s.ledger[kSecondPlaceSlot];
    switch (place) {
        case 1:
            if (!first.receiver) {
                first.receiver = seat;
                first.count = 2;
            }
            break;
        case 2:
            if (!second.receiver) {
                second.receiver = seat;
                second.count = 1;
            }
            break;
        case 5:
            if (!second.payer) second.payer = seat;
            break;
        case 6:
            if (!first.payer) first.payer = seat;
            s.first_leader = seat;  // the last place leads the next deal
            break;
        default: break;
    }
    s.scores[seat] += kScoreChange[static_cast<std::size_t>(place)];
    ev.add(Scored{seat, s.scores[seat]});
    ev.add(Placed{seat, place});
}

void DealSteps::file_point_tributes_and_list() {
    if (s.rules.points) {
        // A seat that never declined a challenge owes its opposite a card.
        for (Seat seat : kAllSeats) {
            if (s.open_point[seat]) continue;
            for (std::size_t slot = 7; slot <= 12; ++slot) {
                if (s.ledger[slot].receiver) continue;
                s.ledger[slot] = {seat, opposite(seat), 1};
                break;
            }
        }
    }
    for (int slot = 1; slot <= kLedgerSlots; ++slot) {
        const Debt& d = s.ledger[static_cast<std::size_t>(slot)];
        if (!d.payer) continue;
        ev.add(TributeFiled{*d.payer, d.receiver, kind_of_slot(slot), d.count});
    }
}

void DealSteps::reset_table() {
    ev.add(TableReset{});
    for (Seat seat : kAllSeats) {
        s.hands[seat].clear();
        s.plays[seat].clear();
    }
    s.cleared.clear();
    s.trick.standing.reset();
    s.trick.turn.reset();
    s.trick.challenge = false;
    s.trick.passes = 0;
    s.places = {};
    s.open_point = {};  // open points belong to one deal; the listing has read them
    s.out_count = 0;
    s.settling = 1;
    s.phase = Phase::between_deals;
    ev.add(Prompted{Seat::A, Ask::shuffle});
    ask(s.shuffler(), Ask::shuffle);
}

void DealSteps::lay_out(Seat seat) {
    if (seat == Seat::A) s.hands[seat].sort_by_rank();
    if (ev.wants<LaidOut>()) ev.add(LaidOut{seat, s.hands[seat]});
}

}  // namespace tav::game
