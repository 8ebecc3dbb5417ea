// The people at a table: who holds each seat, and the small checks on what
// they send (names, seat tokens).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "net/news.h"

namespace tav::net {

struct SeatHolder {
    Holder holder = Holder::computer;
    std::string name;
    Connection connection = 0;  // while connected
    Token token{};              // while a human holds or may reclaim the seat
    Time dropped_at{};
    int rejoins = 0;  // within the minute from `rejoins_since`
    Time rejoins_since{};
    // Sat down while a deal ran: the computer plays the seat, and its hand
    // stays hidden from the newcomer, until the next deal.
    bool next_deal = false;
    // After a server restart: until then the seat waits for its player, the
    // computer does not play it, and no clock runs for it.
    std::optional<Time> held_until;
};

// Equal tokens, compared in time that does not depend on where they differ.
bool same_token(const Token& a, const Token& b);
// A token as it travels and is kept: 32 lowercase hex digits; and back
// (none for a text that is not one).
std::string token_text(const Token& t);
std::optional<Token> token_from_text(std::string_view text);

// Why a player's name is refused (empty, too long, control characters, not
// UTF-8 as far as its lead bytes tell); empty when it is fine.
std::string name_refused(std::string_view name);

inline constexpr std::size_t kMaxNameBytes = 48;

}  // namespace tav::net
