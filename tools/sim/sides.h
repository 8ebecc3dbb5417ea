// The simulator's levels per seat (--level A=strong,C=strong) and what each
// side made of its deals: mean score per seat per deal with its 95 %
// confidence interval, 头科 and sweeps won.
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <string_view>

#include "tools/sim/simulation.h"

namespace tav::sim {

// "A=strong,C=strong,E=classic" into `levels` (seats not named stay as
// they are); "" when accepted, else what is wrong (nothing changed then).
std::string parse_levels(std::string_view text, Levels& levels);
std::string_view level_name(game::Level level);

class SideStats {
public:
    // One deal: each seat's score change and place, seats A..F at [1..6].
    void add_deal(const std::array<int, 7>& change, const std::array<int, 7>& places);

    long long deals() const { return deals_; }
    // Seat 1..6's mean score change per deal.
    double seat_mean(int seat) const;

    struct Side {
        double mean = 0;        // score change per seat per deal
        double half_width = 0;  // of its 95 % confidence interval
        long long first_places = 0, sweeps = 0;
    };
    // Side 0 is A, C, E; side 1 is B, D, F.
    Side side(int which) const;

    void print_text(std::ostream& out, const Levels& levels) const;
    // The members `"levels":{..},"mean_scores":{..},"sides":{..}`, no braces around.
    void print_json(std::ostream& out, const Levels& levels) const;

private:
    long long deals_ = 0;
    std::array<long long, 7> score_sum_{};
    std::array<double, 2> side_sum_{}, side_square_sum_{};
    std::array<long long, 2> first_{}, sweeps_{};
};

}  // namespace tav::sim
