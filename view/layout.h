// Where things lie on the table, in table units (a card picture is 325 × 384).
#pragma once

#include <array>
#include <cmath>

#include "model/seat.h"

namespace tav::layout {

struct Point {
    int x = 0, y = 0;
};

inline constexpr int kCardWidth = 325, kCardHeight = 384;
inline constexpr int kRaise = 42;     // a picked card stands this much above the hand
inline constexpr int kPlayStep = 68;  // cards of a play side by side
inline constexpr int kHandRows = 36;  // the row shows at most this many cards

// Card n of the hand row (from 1); the human's row runs left to right at the
// bottom, the others are fanned along their edge of the table.
inline Point hand_slot(game::Seat seat, int n) {
    switch (seat) {
        case game::Seat::A: return {70 * n - 32, 1696};
        case game::Seat::B: return {2521, 1285 - 8 * n};
        case game::Seat::C: return {2521, 583 - 8 * n};
        case game::Seat::D: return {790 + 28 * n, 30};
        case game::Seat::E: return {30, 300 + 8 * n};
        case game::Seat::F: break;
    }
    return {30, 1000 + 8 * n};
}

// The i-th card of the deal (1..216): where it is staged beside its seat and
// where it comes to rest.
inline int at_sixth(int a, int b, int i) { return static_cast<int>(std::floor(a + b * i / 6.0)); }
inline Point deal_staging(game::Seat seat, int i) {
    switch (seat) {
        case game::Seat::A: return {at_sixth(0, 70, i), 1500};
        case game::Seat::B: return {2400, 300};
        case game::Seat::C: return {2400, 1000};
        case game::Seat::D: return {at_sixth(790, 28, i), 420};
        case game::Seat::E: return {300, 300};
        case game::Seat::F: break;
    }
    return {300, 1000};
}
inline Point deal_rest(game::Seat seat, int i) {
    switch (seat) {
        case game::Seat::A: return {at_sixth(0, 70, i), 1696};
        case game::Seat::B: return {2521, at_sixth(1285, -8, i)};
        case game::Seat::C: return {2521, at_sixth(583, -8, i)};
        case game::Seat::D: return {at_sixth(790, 28, i), 30};
        case game::Seat::E: return {30, at_sixth(300, 8, i)};
        case game::Seat::F: break;
    }
    return {30, at_sixth(1000, 8, i)};
}

// The first card of a seat's play; the others follow kPlayStep apart.
inline Point play_spot(game::Seat seat) {
    static constexpr std::array<Point, 6> spots{
        {{1168, 1045}, {1800, 1045}, {1800, 570}, {1000, 570}, {510, 570}, {510, 1045}}};
    return spots[game::array_index(seat)];
}
// Cards handed in a tribute or a return, by the giver: card i (from 1) at x + 68 i.
inline Point handing_spot(game::Seat seat) {
    static constexpr std::array<Point, 6> spots{
        {{1000, 1045}, {1800, 1045}, {1800, 570}, {1000, 570}, {510, 570}, {510, 1045}}};
    return spots[game::array_index(seat)];
}
// A three and its payment, shown where the seat trades.
inline Point exchange_spot(game::Seat seat) {
    static constexpr std::array<Point, 6> spots{
        {{1068, 1045}, {1868, 1045}, {1868, 570}, {1068, 570}, {578, 570}, {578, 1045}}};
    return spots[game::array_index(seat)];
}

// The face-down pack in the middle: picture n (1..216) of the pack, and where
// card n waits, hidden, between deals.
inline Point pack_picture(int n) { return {490 + 7 * n, 836}; }
inline Point waiting_card(int n) { return {450 + 7 * n, 836}; }

}  // namespace tav::layout
