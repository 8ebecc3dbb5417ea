// The whole record of a game: every note entry the engine wrote, grouped by
// deal with the deal's number. The note area on the table keeps only the
// newest lines; this keeps them all, for the record window and its file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/notes.h"

namespace tav {

struct DealRecord {
    std::uint64_t number = 0;  // 0: the lines before the first deal
    std::vector<game::notes::Entry> lines;
    bool operator==(const DealRecord&) const = default;
};

class GameRecord {
public:
    // Lines from now on belong to the deal with this number.
    void begin_deal(std::uint64_t number);
    void add(game::notes::Entry entry);
    void clear() { deals_.clear(); }
    // A record kept between runs, back as it was.
    void restore(std::vector<DealRecord> deals) { deals_ = std::move(deals); }
    const std::vector<DealRecord>& deals() const { return deals_; }
    // How a deal is headed in the window and the file: "第3局　编号 2024003".
    static std::string heading(std::size_t nth, std::uint64_t number);
    // The whole record as UTF-8 text, one line a line, each deal after its
    // heading; the lines in `wording`'s language (the file's are Chinese).
    std::string text(game::notes::Wording wording = &game::notes::write) const;

    bool operator==(const GameRecord&) const = default;

private:
    std::vector<DealRecord> deals_;
};

}  // namespace tav
