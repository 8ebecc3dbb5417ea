// Statistics over every game played: each deal's places and the scores after
// it, filed under the game it belongs to. A game runs from a new game (the
// menu's, or a start that does not take up a kept game) to the next; a game
// kept between runs and taken up goes on under the same key. Places are
// counted per deal (a place is won in a deal), scores per game (they run on
// from deal to deal and start from 0 with each game).
//
// The file, read strictly (anything else is refused as a whole):
//   tav statistics 1
//   deal <game key> <places of A..F> <scores of A..F>
//   ...
//   end
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

inline constexpr int kStatisticsFormat = 1;
inline constexpr int kStatSeats = 6;

struct DealResult {
    std::uint64_t game = 0;
    std::array<int, kStatSeats> places{};  // 1..6, each once
    std::array<int, kStatSeats> scores{};  // after the deal, for the game so far
    bool operator==(const DealResult&) const = default;
};

struct SeatSummary {
    int deals = 0;
    std::array<int, kStatSeats + 1> places{};  // [1..6]: how many deals ended in that place
    double average_place = 0;                  // 0 without deals
    long long total_score = 0;                 // the games' last scores added up
    int best_game = 0, worst_game = 0;         // a game's last score
};

class Statistics {
public:
    // One deal that ended; false, nothing kept, when the places are not
    // 1..6 each once.
    bool record(const DealResult& deal);
    void reset() { deals_.clear(); }

    const std::vector<DealResult>& deals() const { return deals_; }
    int games() const;
    SeatSummary seat(int seat) const;
    // A seat's score at the end of each game (the last one as it stands),
    // oldest first, at most the last `most` games.
    std::vector<int> game_scores(int seat, int most) const;

private:
    std::vector<DealResult> deals_;
};

std::string write_statistics(const Statistics& s);

struct StatisticsRead {
    Statistics stats;
    std::string error;  // "" when good
    bool ok() const { return error.empty(); }
};
StatisticsRead read_statistics(std::string_view text);

}  // namespace tav
