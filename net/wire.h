// The JSON under the messages, for net/protocol*.cpp only: a strict reader
// of one object (each field read once, by name, type and bounds; what is
// left unread is an unknown field) and the writing of seats, cards and events.
#pragma once

#include <boost/json.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/cards.h"
#include "model/decision.h"
#include "model/events.h"
#include "net/protocol.h"

namespace tav::net::wire {

namespace json = boost::json;

// Thrown inside the decoder only; the decode functions turn it into an Error.
struct Failure {
    Error error;
};
[[noreturn]] void fail(ErrorCode code, std::string field, std::string message);

// Reads the fields of one object. `path` names it for errors ("" for the
// message, "events[3]" for an event).
class Reader {
public:
    Reader(const json::value& v, std::string path);
    std::string field(std::string_view key) const;  // the path of one of its fields

    const json::value* optional(std::string_view key);
    const json::value& required(std::string_view key);
    std::int64_t integer(std::string_view key, std::int64_t lo, std::int64_t hi);
    bool boolean(std::string_view key);
    std::string text(std::string_view key);
    // A name or a chat line: 1..`most` characters, none of them a control character.
    std::string line(std::string_view key, int most);
    // A string of exactly `length` characters from `alphabet`.
    std::string code(std::string_view key, std::size_t length, std::string_view alphabet);
    game::Seat seat(std::string_view key);
    std::optional<game::Seat> optional_seat(std::string_view key);
    template <class E, std::size_t N>
    E choice(std::string_view key, const std::array<std::string_view, N>& names) {
        const std::string s = text(key);
        for (std::size_t i = 0; i < N; ++i)
            if (names[i] == s) return static_cast<E>(i);
        fail(ErrorCode::out_of_bounds, field(key), "not one of the names allowed");
    }
    // A card number 1..216, or none when the field is absent (a card not shown).
    game::Card card_or_hidden(std::string_view key);
    // A list of card numbers 1..216, at most `most` of them.
    std::vector<game::Card> cards(std::string_view key, std::size_t most);
    // A pile: a list of card numbers, or {"hidden": n} for n cards not shown.
    game::Hand pile(std::string_view key);
    const json::array& array(std::string_view key, std::size_t most);
    // Every field read: what is left is refused.
    void done() const;

private:
    const json::object* o_;
    std::string path_;
    std::vector<std::string_view> read_;
};

// One number or one pile found at `where`, outside any object's fields.
std::int64_t read_number(const json::value& v, const std::string& where, std::int64_t lo, std::int64_t hi);
game::Hand read_pile(const json::value& v, const std::string& where);

std::string_view seat_name(game::Seat s);
json::value pile_value(const game::Hand& p);  // a Play is the same pile

json::object event_value(const game::Event& e);
game::Event read_event(const json::value& v, const std::string& path);

// The whole text parsed as one object, refused by size, syntax or shape.
const json::object& parse_object(std::string_view text, std::size_t most, json::value& storage);
std::string to_text(const json::object& o);

}  // namespace tav::net::wire
