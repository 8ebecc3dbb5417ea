// A deal's events kept compactly for the snapshots a table sends: an event
// is a few bytes here against a hundred as a value (its piles' empty slots
// are runs of zeros, and runs of zeros are kept as their length). A table
// keeps one for as long as a deal lasts, so this is most of its memory.
#pragma once

#include <cstdint>
#include <vector>

#include "model/events.h"

namespace tav::net {

class EventRecord {
public:
    void clear() {
        bytes_.clear();
        count_ = 0;
    }
    void push(const game::Event& e);
    std::size_t size() const { return count_; }
    // Every event kept, in order, exactly as pushed.
    std::vector<game::Event> events() const;

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t count_ = 0;
};

}  // namespace tav::net
