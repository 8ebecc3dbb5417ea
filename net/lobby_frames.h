// What a table tells a connection, as the protocol's frames: an update
// becomes `events`, `ask` and `table`; a snapshot becomes `seated`, `table`,
// `snapshot` and `ask`. Every frame is made from what the table already
// cut to the receiver's view, or from the deal's record cut here the same way.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/events.h"
#include "net/news.h"
#include "net/protocol.h"
#include "net/table.h"

namespace tav::net {

// The table's version as the wire carries it.
std::int64_t wire_version(std::uint64_t v);
TableInfo table_info(const std::string& code, const Table& table);
// A text frame holding the error.
std::string error_text(ErrorCode code, std::string field, std::string message);

// The frames of one message of the table `code`; `record` is this deal's
// events so far, as they happened.
void add_frames(const Message& m, const std::string& code, const Table& table, std::span<const game::Event> record,
                Time now, std::vector<std::string>& out);

}  // namespace tav::net
