// What a table tells a connection, as the protocol's frames: an update
// becomes `events`, `ask` and `table`; a snapshot becomes `seated`, `table`,
// `snapshot` and `ask`. Every frame is made from what the table already
// cut to the receiver's view, or from the deal's record cut here the same way.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/events.h"
#include "net/event_record.h"
#include "net/news.h"
#include "net/protocol.h"
#include "net/table.h"

namespace tav::net {

// The table's version as the wire carries it.
std::int64_t wire_version(std::uint64_t v);
TableInfo table_info(const std::string& code, const Table& table);
// A text frame holding the error.
std::string error_text(ErrorCode code, std::string field, std::string message);

// The texts of one call's outcome that are the same for many receivers,
// written once: the table, the ask, and each different view of the events.
struct FrameCache {
    std::string table, ask;
    std::vector<std::pair<std::vector<game::Event>, std::string>> events;
};

// The frames of one message of the table `code`, from the outcome of one
// call (whose texts `cache` keeps); `record` is this deal's events so far,
// as they happened.
void add_frames(const Message& m, const std::string& code, const Table& table, const EventRecord& record, Time now,
                std::vector<std::string>& out, FrameCache& cache);

}  // namespace tav::net
