#include "store/game_record.h"

namespace tav {

void GameRecord::begin_deal(std::uint64_t number) { deals_.push_back({number, {}}); }

void GameRecord::add(game::notes::Entry entry) {
    if (const auto* text = std::get_if<std::string>(&entry); text && text->empty()) return;
    if (deals_.empty()) deals_.push_back({});
    deals_.back().lines.push_back(std::move(entry));
}

std::string GameRecord::heading(std::size_t nth, std::uint64_t number) {
    if (number == 0) return "开局";
    return "第" + std::to_string(nth) + "局　编号 " + std::to_string(number);
}

std::string GameRecord::text(game::notes::Wording wording) const {
    std::string out = "瑟柯牌局 牌局记录\n";
    std::size_t nth = 0;
    std::vector<std::string> lines;
    for (const DealRecord& d : deals_) {
        if (d.number != 0) ++nth;
        out += "\n" + heading(nth, d.number) + "\n";
        for (const game::notes::Entry& entry : d.lines) {
            lines.clear();
            game::notes::write(entry, wording, lines);
            for (const std::string& line : lines) out += line + "\n";
        }
    }
    return out;
}

}  // namespace tav
