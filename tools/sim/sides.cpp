#include "tools/sim/sides.h"

#include <cmath>
#include <cstdio>

#include "model/seat.h"

namespace tav::sim {
namespace {

using game::Level;

std::string signed_fixed(double v, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "%+.*f", digits, v);
    return text;
}

constexpr std::array<const char*, 2> kSideName{"A,C,E", "B,D,F"};

}  // namespace

std::string_view level_name(Level level) { return level == Level::strong ? "strong" : "classic"; }

std::string parse_levels(std::string_view text, Levels& levels) {
    if (text.empty()) return "--level needs a list such as A=strong,C=strong";
    Levels chosen = levels;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        const std::size_t eq = item.find('=');
        if (eq == std::string_view::npos) return "level \"" + std::string(item) + "\" has no seat=level form";
        const std::string_view seat_text = item.substr(0, eq), name = item.substr(eq + 1);
        const auto seat = seat_text.size() == 1 ? game::seat_from_letter(seat_text[0]) : std::nullopt;
        if (!seat) return "unknown seat \"" + std::string(seat_text) + "\" (A to F)";
        if (name != "strong" && name != "classic")
            return "unknown level \"" + std::string(name) + "\" (classic or strong)";
        chosen[game::array_index(*seat)] = name == "strong" ? Level::strong : Level::classic;
    }
    levels = chosen;
    return "";
}

void SideStats::add_deal(const std::array<int, 7>& change, const std::array<int, 7>& places) {
    ++deals_;
    for (int seat = 1; seat <= 6; ++seat)
        score_sum_[static_cast<std::size_t>(seat)] += change[static_cast<std::size_t>(seat)];
    for (int which = 0; which < 2; ++which) {
        double sum = 0;
        int top_three = 0;
        bool first = false;
        for (int seat = 1 + which; seat <= 6; seat += 2) {
            sum += change[static_cast<std::size_t>(seat)];
            const int place = places[static_cast<std::size_t>(seat)];
            if (place >= 1 && place <= 3) ++top_three;
            if (place == 1) first = true;
        }
        const double per_seat = sum / 3;
        side_sum_[static_cast<std::size_t>(which)] += per_seat;
        side_square_sum_[static_cast<std::size_t>(which)] += per_seat * per_seat;
        if (first) ++first_[static_cast<std::size_t>(which)];
        if (top_three == 3) ++sweeps_[static_cast<std::size_t>(which)];
    }
}

double SideStats::seat_mean(int seat) const {
    return deals_ > 0 ? static_cast<double>(score_sum_[static_cast<std::size_t>(seat)]) / static_cast<double>(deals_)
                      : 0;
}

SideStats::Side SideStats::side(int which) const {
    Side s;
    const auto w = static_cast<std::size_t>(which);
    s.first_places = first_[w];
    s.sweeps = sweeps_[w];
    if (deals_ == 0) return s;
    const auto n = static_cast<double>(deals_);
    s.mean = side_sum_[w] / n;
    if (deals_ > 1) {
        const double variance = std::max(0.0, (side_square_sum_[w] - n * s.mean * s.mean) / (n - 1));
        s.half_width = 1.96 * std::sqrt(variance / n);
    }
    return s;
}

void SideStats::print_text(std::ostream& out, const Levels& levels) const {
    out << "levels:";
    for (int seat = 1; seat <= 6; ++seat)
        out << " " << game::letter_of(game::seat_at(seat - 1)) << " "
            << level_name(levels[static_cast<std::size_t>(seat - 1)]);
    out << "\nmean score per deal:";
    for (int seat = 1; seat <= 6; ++seat)
        out << " " << game::letter_of(game::seat_at(seat - 1)) << " " << signed_fixed(seat_mean(seat), 3);
    out << "\n";
    const auto n = static_cast<double>(deals_ > 0 ? deals_ : 1);
    for (int which = 0; which < 2; ++which) {
        const Side s = side(which);
        out << "side " << kSideName[static_cast<std::size_t>(which)] << ": per seat per deal "
            << signed_fixed(s.mean, 3) << " +- " << signed_fixed(s.half_width, 3).substr(1) << " (95 %), 头科 "
            << s.first_places << " (" << signed_fixed(100.0 * static_cast<double>(s.first_places) / n, 1).substr(1)
            << " %), sweeps " << s.sweeps << " ("
            << signed_fixed(100.0 * static_cast<double>(s.sweeps) / n, 1).substr(1) << " %)\n";
    }
}

void SideStats::print_json(std::ostream& out, const Levels& levels) const {
    out << "\"levels\":{";
    for (int seat = 1; seat <= 6; ++seat)
        out << (seat > 1 ? "," : "") << "\"" << game::letter_of(game::seat_at(seat - 1)) << "\":\""
            << level_name(levels[static_cast<std::size_t>(seat - 1)]) << "\"";
    out << "},\"mean_scores\":{";
    for (int seat = 1; seat <= 6; ++seat)
        out << (seat > 1 ? "," : "") << "\"" << game::letter_of(game::seat_at(seat - 1))
            << "\":" << signed_fixed(seat_mean(seat), 4).substr(seat_mean(seat) >= 0 ? 1 : 0);
    out << "},\"sides\":{";
    for (int which = 0; which < 2; ++which) {
        const Side s = side(which);
        out << (which > 0 ? "," : "") << "\"" << kSideName[static_cast<std::size_t>(which)]
            << "\":{\"mean\":" << signed_fixed(s.mean, 4).substr(s.mean >= 0 ? 1 : 0)
            << ",\"ci95\":" << signed_fixed(s.half_width, 4).substr(1) << ",\"first_places\":" << s.first_places
            << ",\"sweeps\":" << s.sweeps << "}";
    }
    out << "}";
}

}  // namespace tav::sim
