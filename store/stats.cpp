#include "store/stats.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace tav {
namespace {

constexpr std::string_view kHeader = "tav statistics ";
constexpr long long kScoreLimit = 1'000'000;

bool places_once_each(const std::array<int, kStatSeats>& places) {
    std::array<bool, kStatSeats + 1> seen{};
    for (int p : places) {
        if (p < 1 || p > kStatSeats || seen[static_cast<std::size_t>(p)]) return false;
        seen[static_cast<std::size_t>(p)] = true;
    }
    return true;
}

// The last deal of each game, in the order the games began.
std::vector<const DealResult*> game_ends(const std::vector<DealResult>& deals) {
    std::vector<const DealResult*> ends;
    std::unordered_map<std::uint64_t, std::size_t> at;
    for (const DealResult& d : deals) {
        const auto [it, fresh] = at.emplace(d.game, ends.size());
        if (fresh)
            ends.push_back(&d);
        else
            ends[it->second] = &d;
    }
    return ends;
}

template <class T>
bool word_to(std::string_view& line, T& out, long long lo, long long hi) {
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    const std::size_t sp = line.find(' ');
    const std::string_view w = line.substr(0, sp);
    line.remove_prefix(sp == std::string_view::npos ? line.size() : sp);
    T v{};
    const auto [p, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
    if (w.empty() || ec != std::errc() || p != w.data() + w.size()) return false;
    if constexpr (std::is_signed_v<T>)
        if (v < lo || v > hi) return false;
    out = v;
    return true;
}

}  // namespace

bool Statistics::record(const DealResult& deal) {
    if (!places_once_each(deal.places)) return false;
    deals_.push_back(deal);
    return true;
}

int Statistics::games() const { return static_cast<int>(game_ends(deals_).size()); }

SeatSummary Statistics::seat(int seat) const {
    SeatSummary sum;
    if (seat < 0 || seat >= kStatSeats) return sum;
    const auto i = static_cast<std::size_t>(seat);
    long long place_total = 0;
    for (const DealResult& d : deals_) {
        ++sum.deals;
        ++sum.places[static_cast<std::size_t>(d.places[i])];
        place_total += d.places[i];
    }
    if (sum.deals > 0) sum.average_place = static_cast<double>(place_total) / sum.deals;
    bool first = true;
    for (const DealResult* end : game_ends(deals_)) {
        const int score = end->scores[i];
        sum.total_score += score;
        sum.best_game = first ? score : std::max(sum.best_game, score);
        sum.worst_game = first ? score : std::min(sum.worst_game, score);
        first = false;
    }
    return sum;
}

std::vector<int> Statistics::game_scores(int seat, int most) const {
    std::vector<int> out;
    if (seat < 0 || seat >= kStatSeats || most <= 0) return out;
    const std::vector<const DealResult*> ends = game_ends(deals_);
    const std::size_t from = ends.size() > static_cast<std::size_t>(most) ? ends.size() - most : 0;
    for (std::size_t g = from; g < ends.size(); ++g) out.push_back(ends[g]->scores[static_cast<std::size_t>(seat)]);
    return out;
}

std::string statistics_line(const DealResult& d) {
    std::string out = "deal " + std::to_string(d.game);
    for (int p : d.places) out += " " + std::to_string(p);
    for (int v : d.scores) out += " " + std::to_string(v);
    return out + "\n";
}

std::string write_statistics(const Statistics& s) {
    std::string out = std::string(kHeader) + std::to_string(kStatisticsFormat) + "\n";
    for (const DealResult& d : s.deals()) out += statistics_line(d);
    return out;
}

StatisticsRead read_statistics(std::string_view text) {
    StatisticsRead r;
    auto refuse = [&r](const char* why, int line = 0) {
        r.stats.reset();
        r.error = why;
        r.line = line;
        r.whole = 0;
        return r;
    };
    std::size_t nl = text.find('\n');
    if (nl == std::string_view::npos || text.substr(0, kHeader.size()) != kHeader)
        return refuse("不是本程序的统计文件");
    std::string_view head = text.substr(kHeader.size(), nl - kHeader.size());
    int version = 0;
    if (!word_to(head, version, 0, 1'000'000) || !head.empty()) return refuse("统计文件的版本号已损坏");
    if (version != 1 && version != kStatisticsFormat) return refuse("统计文件来自另一个版本的程序");
    r.version = version;
    const std::size_t size = text.size();
    text.remove_prefix(nl + 1);
    for (int line_no = 2;; ++line_no) {
        nl = text.find('\n');
        if (nl == std::string_view::npos) {
            // The journal's last line, cut short as it was appended, is not
            // counted; a whole file of the old version ends with its end line.
            if (version == 1) return refuse("统计文件不完整（缺少结束行）");
            r.whole = size - text.size();
            return r;
        }
        std::string_view line = text.substr(0, nl);
        text.remove_prefix(nl + 1);
        if (version == 1 && line == "end") break;
        if (line.substr(0, 5) != "deal ") return refuse("统计文件中有一行不是一盘的记录", line_no);
        line.remove_prefix(5);
        DealResult d;
        bool good = word_to(line, d.game, 0, 0);
        for (int& p : d.places) good = good && word_to(line, p, 1, kStatSeats);
        for (int& v : d.scores) good = good && word_to(line, v, -kScoreLimit, kScoreLimit);
        if (!good || !line.empty()) return refuse("统计文件中有一行已损坏", line_no);
        if (!r.stats.record(d)) return refuse("统计文件中有一行的名次重复", line_no);
    }
    if (!text.empty()) return refuse("统计文件在结束行之后还有内容");
    r.whole = size;
    return r;
}

}  // namespace tav
