#include "model/seat.h"

namespace tav::game {

std::string_view name_of(Seat s) {
    static constexpr std::array<std::string_view, kSeats> names{"钟离云", "柳烟", "石坚", "花月容", "雷虎", "月琴"};
    return names[array_index(s)];
}

std::string_view padded_name_of(Seat s) {
    static constexpr std::array<std::string_view, kSeats> names{"钟离云", "柳    烟", "石    坚",
                                                                "花月容", "雷    虎", "月    琴"};
    return names[array_index(s)];
}

char letter_of(Seat s) { return static_cast<char>('A' + index_of(s)); }

std::optional<Seat> seat_from_letter(char c) {
    if (c >= 'A' && c <= 'F') return seat_at(c - 'A');
    if (c >= 'a' && c <= 'f') return seat_at(c - 'a');
    return std::nullopt;
}

}  // namespace tav::game
