// The messages between a table's server and its clients, as values, and
// their JSON text (one WebSocket text frame each; docs/protocol.md is the
// reference a client's author builds from). Decoding is strict: a text is
// either one whole message or an error naming the field at fault, never a
// message filled in part.
//
// Cards travel as the engine's numbers 1..216 and only where the receiving
// seat may see them: a card it may not see is never named, only counted.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/cards.h"
#include "model/decision.h"
#include "model/events.h"
#include "model/rules_settings.h"
#include "model/seat.h"
#include "model/state.h"

namespace tav::net {

inline constexpr int kProtocol = 1;  // the version this program speaks

// Limits a client's messages are held to (the rates are the server's to keep).
inline constexpr std::size_t kMaxClientMessage = 4096;                    // bytes of one text frame
inline constexpr std::size_t kMaxServerMessage = 262144;                  // a snapshot late in a deal is the longest
inline constexpr int kMaxNameLength = 16;                                 // characters (code points)
inline constexpr int kMaxChatLength = 120;                                // characters
inline constexpr int kMaxSecondsPerDecision = 600;                        // 0: no limit
inline constexpr std::int64_t kMaxVersion = (std::int64_t{1} << 53) - 1;  // exact in any JSON reader
inline constexpr int kTableCodeLength = 10;
// No 0/O, 1/I/L or U: a code is read aloud and typed by hand.
inline constexpr std::string_view kTableCodeAlphabet = "23456789ABCDEFGHJKMNPQRSTVWXYZ";
inline constexpr int kSeatTokenLength = 32;  // 128 bits as lowercase hex

// ---- client to server ----
struct Hello {
    int protocol = kProtocol;
    bool operator==(const Hello&) const = default;
};
// The rules as the rules dialog offers them, for every deal at the table.
struct TableRules {
    bool threes = true;
    bool smother = false;
    bool points = false;
    bool tributes = true;  // off: scores only
    bool operator==(const TableRules&) const = default;
};
struct Create {
    std::string name;  // the host's
    TableRules rules;
    game::Level level = game::Level::classic;  // for the seats nobody sits at; never `thumb`
    int seconds = 30;                          // per decision, 0 = no limit
    bool operator==(const Create&) const = default;
};
struct Join {
    std::string code, name;
    bool operator==(const Join&) const = default;
};
struct Sit {
    game::Seat seat = game::Seat::A;
    bool operator==(const Sit&) const = default;
};
struct Start {
    bool operator==(const Start&) const = default;
};
// A decision for the connection's own seat, made for state `version`. Never
// marked as the computer's: a remote player is a human. A shuffle names no
// cards: the server draws the pack.
struct Decide {
    game::Decision decision;
    std::int64_t version = 0;
    bool operator==(const Decide&) const = default;
};
struct Say {  // a chat line
    std::string text;
    bool operator==(const Say&) const = default;
};
struct Rejoin {
    std::string code, token;
    bool operator==(const Rejoin&) const = default;
};
struct Leave {
    bool operator==(const Leave&) const = default;
};
// Stops (or, with `muted` false, resumes) the chat lines of one seat's player
// reaching this connection.
struct Mute {
    game::Seat seat = game::Seat::A;
    bool muted = true;
    bool operator==(const Mute&) const = default;
};
using ClientMessage = std::variant<Hello, Create, Join, Sit, Start, Decide, Say, Rejoin, Leave, Mute>;

// ---- server to client ----
struct Welcome {
    int protocol = kProtocol;
    bool operator==(const Welcome&) const = default;
};
enum class Occupant : std::uint8_t { open, human, computer, dropped };
struct SeatEntry {
    std::string name;  // empty for an open seat
    Occupant who = Occupant::open;
    bool operator==(const SeatEntry&) const = default;
};
struct TableInfo {
    std::string code;
    std::array<SeatEntry, game::kSeats> seats{};
    std::optional<game::Seat> host;  // none until the host sits
    bool started = false;
    TableRules rules;
    game::Level level = game::Level::classic;
    int seconds = 30;
    bool operator==(const TableInfo&) const = default;
};
struct Seated {
    game::Seat seat = game::Seat::A;
    std::string token;
    bool operator==(const Seated&) const = default;
};
// The events of one step as the receiving seat observes them.
struct StepEvents {
    std::int64_t version = 0;  // the state's version after them
    std::vector<game::Event> events;
    bool operator==(const StepEvents&) const = default;
};
struct AskSeat {
    game::Seat seat = game::Seat::A;
    game::Ask ask = game::Ask::nothing;
    std::int64_t version = 0;
    int seconds_left = 0;  // 0: no limit
    bool operator==(const AskSeat&) const = default;
};
// What a seat may see on coming back: its own hand, the others' sizes, the
// plays on the table, the deal's events so far as it observed them, places,
// scores. A spectator's has no seat and no hand.
struct SeatSnapshot {
    std::optional<game::Seat> seat;
    std::int64_t version = 0;
    game::Hand hand;
    std::array<int, game::kSeats> hand_sizes{};
    std::array<game::Play, game::kSeats> plays{};
    std::array<int, game::kSeats> places{};  // 1..6 once out, 0 while in
    std::array<int, game::kSeats> scores{};
    std::vector<game::Event> record;
    bool operator==(const SeatSnapshot&) const = default;
};
struct ChatLine {
    std::optional<game::Seat> seat;  // none: a spectator
    std::string name, text;
    bool operator==(const ChatLine&) const = default;
};

enum class ErrorCode : std::uint8_t {
    // the text itself
    not_json,
    not_object,
    too_long,
    unknown_type,
    missing_field,
    wrong_type,
    out_of_bounds,
    unknown_field,
    repeated_field,  // a key named twice in one object; `field` is the key
    // what it asks
    protocol_version,  // hello for a version the server does not speak
    not_now,           // not in this order: a decide before sitting, a second hello
    unknown_table,
    seat_taken,
    bad_token,
    stale_version,  // a decision for a state that has moved on
    refused,        // the rules refuse the decision; `message` says why
    rate_limited,
};
struct Error {
    ErrorCode code = ErrorCode::not_json;
    std::string field;  // the field at fault ("decision.cards[2]"), empty for the message as a whole
    std::string message;
    bool operator==(const Error&) const = default;
};
using ServerMessage = std::variant<Welcome, TableInfo, Seated, StepEvents, AskSeat, SeatSnapshot, ChatLine, Error>;

// The message a text holds, or why it holds none.
template <class M>
struct Decoded {
    std::optional<M> message;
    Error error;
    bool ok() const { return message.has_value(); }
};

Decoded<ClientMessage> decode_client(std::string_view text);
std::string encode(const ClientMessage& m);
Decoded<ServerMessage> decode_server(std::string_view text);
// Cards a seat may not see are left out whatever the message holds: a pile
// with a face-down card goes as a count, a face-down card dealt without its number.
std::string encode(const ServerMessage& m);

std::string_view code_name(ErrorCode c);

}  // namespace tav::net
