// What a table tells each connection after a call, as plain values: the
// protocol's encoder turns them into messages. Every value here is made from
// what the receiving seat may observe; no hand card of another seat, no
// shuffle order and no generator state is ever put into one.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "model/events.h"
#include "model/rules_settings.h"
#include "model/state.h"

namespace tav::net {

// A connection as the server numbers it.
using Connection = std::uint64_t;
// A moment on the caller's clock (any fixed epoch): the table keeps no clock.
using Time = std::chrono::milliseconds;
// Brings a dropped player back to its seat.
using Token = std::array<std::uint8_t, 16>;

// Who holds a seat: nobody (the computer plays it), a connected human, or a
// human who dropped (the computer plays for it until it rejoins or its grace
// time runs out).
enum class Holder : std::uint8_t { computer, human, dropped };

struct SeatInfo {
    Holder holder = Holder::computer;
    std::string name;  // the player's; empty for the computer
    bool operator==(const SeatInfo&) const = default;
};

// Who must decide now, what, and until when.
struct Asking {
    std::optional<game::Seat> seat;  // none when nothing is asked
    game::Ask ask = game::Ask::nothing;
    int owed = 0;                  // cards to give back, when a return is asked
    std::optional<Time> deadline;  // none: no time limit
    bool operator==(const Asking&) const = default;
};

// The events of one call as the receiver observes them.
struct Update {
    std::uint64_t version = 0;
    std::vector<game::Event> events;
    Asking asking;
    std::optional<game::PerSeat<SeatInfo>> seats;  // when someone sat, left, dropped or came back
    // The version moved in this call (perhaps with no event this receiver
    // sees: seats becoming the humans' between deals): a client must hear
    // of it, or its next decision carries an old version.
    bool moved = false;
};

// Everything the receiver may see of the table now: sent on sitting,
// watching and rejoining, so that a client needs nothing from before.
struct Snapshot {
    std::optional<game::Seat> seat;  // none for a spectator
    std::optional<Token> token;      // only to the player who just sat
    std::uint64_t version = 0;
    bool started = false;
    game::Rules rules;
    int seconds_per_decision = 0;
    game::PerSeat<SeatInfo> seats;
    game::Phase phase = game::Phase::between_deals;
    std::vector<game::Card> hand;  // the receiver's own; empty for a spectator
    game::PerSeat<int> hand_sizes{};
    game::PerSeat<std::vector<game::Card>> plays;
    std::vector<game::Card> cleared;
    game::PerSeat<std::uint8_t> places{};
    game::PerSeat<int> scores{};
    Asking asking;
};

using Payload = std::variant<Update, Snapshot>;

struct Message {
    Connection to = 0;
    Payload payload;
};

// The answer to every call: refused with a reason and nothing changed, or
// done; and what each connection is to be sent. `closed`: the table closed
// in this call (nobody was at it for the grace time) and takes no more calls.
struct Outcome {
    std::string refused;
    std::vector<Message> messages;
    bool closed = false;
    // A connection that lost its seat to the seat's token brought back on
    // another (the old one is presumably dead): the server may close it.
    std::optional<Connection> released;
    bool ok() const { return refused.empty(); }
};

}  // namespace tav::net
