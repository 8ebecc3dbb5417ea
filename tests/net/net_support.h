// What the tests of the server's tables share: their randomness, the player
// a table waits for, and a client's decision.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "net/table.h"
#include "rules/gate.h"

namespace tav::test {

inline net::Entropy entropy(std::uint64_t seed) {
    return [rng = std::mt19937_64(seed)]() mutable { return rng(); };
}

// The connection of the seat asked, when a connected human is asked (not a
// seat taken for the next deal, which the computer plays until then).
inline std::optional<net::Connection> asked_connection(const net::Table& t) {
    const std::optional<game::Seat> seat = t.started() ? game::current_seat(t.state()) : std::nullopt;
    if (!seat || !t.state().human[*seat]) return std::nullopt;
    const net::SeatHolder& h = t.holder(*seat);
    if (h.holder != net::Holder::human || h.next_deal) return std::nullopt;
    return h.connection;
}

// A legal decision at random, as a client sends it (a shuffle with no pack).
inline game::Decision random_decision(const game::State& s, std::mt19937_64& rng) {
    if (s.ask == game::Ask::shuffle) return {game::Move::shuffle, {}};
    const std::vector<game::Decision> legal = game::legal_decisions(s);
    return legal[std::uniform_int_distribution<std::size_t>(0, legal.size() - 1)(rng)];
}

}  // namespace tav::test
