// Shuffle and deal: every card drawn uniformly from those left in the pack,
// dealt round the table B, C, A, F, E, D, ...; the first seat whose fours
// reach the mark as its cards arrive leads first, unless the last deal's
// last place already does.
#include <algorithm>
#include <array>
#include <cstring>
#include <random>

#include "model/shuffle.h"
#include "rules/flow.h"

namespace tav::game {
namespace {

// The seat of the i-th card dealt, by i mod 6.
constexpr std::array<Seat, kSeats> kSeatByRest{Seat::D, Seat::B, Seat::C, Seat::A, Seat::F, Seat::E};

// A pair of one suit's four scores 1, three or four copies 2.
int fours_score(const Hand& hand) {
    std::array<int, 4> copies{};
    for (Card c : hand)
        if (rank_of(c) == kFour) ++copies[static_cast<std::size_t>(suit_of(c))];
    int total = 0;
    for (int n : copies) total += n >= 3 ? 2 : n == 2 ? 1 : 0;
    return total;
}

}  // namespace

std::array<Card, kCards> shuffle_order(std::mt19937_64& rng) {
    // The cards left close the gap of the card drawn sixteen at a time, in
    // line (a call to move a hundred bytes costs more than the move): the
    // pack has room for a block past its end, and each block is read whole
    // before it is written.
    constexpr std::size_t kBlock = 16;
    std::array<Card, kCards + kBlock> pack{};
    for (int n = 0; n < kCards; ++n) pack[static_cast<std::size_t>(n)] = static_cast<Card>(n + 1);
    std::array<Card, kCards> order{};
    int left = kCards;
    for (Card& next : order) {
        std::uniform_int_distribution<int> draw(1, left);
        const auto r = static_cast<std::size_t>(draw(rng) - 1);
        next = pack[r];
        for (std::size_t j = r; j + 1 < static_cast<std::size_t>(left); j += kBlock) {
            std::array<Card, kBlock> block;
            std::memcpy(block.data(), pack.data() + j + 1, kBlock);
            std::memcpy(pack.data() + j, block.data(), kBlock);
        }
        --left;
    }
    return order;
}

void DealSteps::deal(std::span<const Card> order) {
    ev.add(Shuffling{});
    s.ask = Ask::nothing;
    s.traded.reset();
    s.fours_mark = 2;
    for (int i = 1; i <= static_cast<int>(order.size()); ++i) {
        const Card card = order[static_cast<std::size_t>(i - 1)];
        const Seat seat = kSeatByRest[static_cast<std::size_t>(i % kSeats)];
        s.hands[seat].push(card);
        ev.add(Dealt{seat, card, i});
        // Only a four can raise a seat's fours; the mark only rises.
        if (!s.first_leader && rank_of(card) == kFour) {
            const int score = fours_score(s.hands[seat]);
            if (score >= s.fours_mark) {
                s.fours_mark = score + 1;
                s.first_leader = seat;
            }
        }
    }
    // The human's hand reads strongest-left.
    lay_out(Seat::A);
    s.phase = Phase::tribute;
    settle_from(s.settling);
}

void DealSteps::begin_play() {
    for (Seat seat : kAllSeats)
        if (seat != Seat::A) s.hands[seat].sort_by_rank();
    ev.add(PlayBegins{});
    s.phase = Phase::play;
    std::optional<Seat> leader = s.first_leader;
    if (!leader) {
        // Nobody's fours reached the mark while the cards arrived: the best
        // fours lead, the first such seat from A on a tie.
        int best = -1;
        for (Seat seat : kAllSeats)
            if (const int score = fours_score(s.hands[seat]); score > best) {
                best = score;
                leader = seat;
            }
        s.first_leader = leader;
    }
    s.steps = 0;
    ev.add(FirstLeader{*leader});
    schedule(Next::end_trick, leader);
}

}  // namespace tav::game
