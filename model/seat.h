// Seats and sides. The human sits at A, at the bottom; going round, B is
// right-lower, C right-upper, D top, E left-upper, F left-lower. A, C, E play
// against B, D, F. Play goes A, B, C, D, E, F, A ...
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tav::game {

enum class Seat : std::uint8_t { A, B, C, D, E, F };
inline constexpr int kSeats = 6;
inline constexpr std::array<Seat, kSeats> kAllSeats{Seat::A, Seat::B, Seat::C, Seat::D, Seat::E, Seat::F};

constexpr int index_of(Seat s) { return static_cast<int>(s); }
// The same index typed for subscripting per-seat arrays.
constexpr std::size_t array_index(Seat s) { return static_cast<std::size_t>(s); }
constexpr Seat seat_at(int index) { return static_cast<Seat>(((index % kSeats) + kSeats) % kSeats); }
// The seat that plays after `s`, seats that are out not skipped.
constexpr Seat next_seat(Seat s) { return seat_at(index_of(s) + 1); }
// A-D, B-E, C-F.
constexpr Seat opposite(Seat s) { return seat_at(index_of(s) + 3); }
constexpr bool same_side(Seat a, Seat b) { return (index_of(a) - index_of(b)) % 2 == 0; }

// The seats' fixed names, plain ("柳烟") and padded as in the score labels ("柳    烟").
std::string_view name_of(Seat s);
std::string_view padded_name_of(Seat s);
// "A".."F".
char letter_of(Seat s);
// A seat from its letter, either case.
std::optional<Seat> seat_from_letter(char c);

// Per-seat values indexed by seat.
template <class T>
struct PerSeat {
    std::array<T, kSeats> v{};
    T& operator[](Seat s) { return v[array_index(s)]; }
    const T& operator[](Seat s) const { return v[array_index(s)]; }
    bool operator==(const PerSeat&) const = default;
};

}  // namespace tav::game
