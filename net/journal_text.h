// One call on a table as the journal keeps it, and its text. Replaying a
// table's calls in order, with the same times and the same randomness,
// rebuilds the table exactly; the version each call left is kept to prove it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/decision.h"
#include "model/seat.h"
#include "net/news.h"
#include "net/table.h"

namespace tav::net {

enum class CallKind : std::uint8_t { create, sit, watch, leave, drop, rejoin, start, decide, tick };

struct Call {
    CallKind kind = CallKind::tick;
    Connection connection = 0;  // the caller; for `create`, the host
    Time time{};
    TableOptions options{};              // create
    game::Seat seat{};                   // sit
    std::string name{};                  // sit
    Token token{};                       // rejoin
    std::uint64_t version = 0;           // decide: the version the decision was made for
    game::Decision decision{};           // decide
    std::vector<std::uint64_t> words{};  // drawn from the table's entropy during the call
    std::uint64_t after = 0;             // the table's version after the call
};

std::string call_text(const Call& call);
// The call a text holds, or none with `why` saying what is wrong with it.
std::optional<Call> read_call(std::string_view text, std::string& why);

}  // namespace tav::net
