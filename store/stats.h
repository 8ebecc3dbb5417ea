// Statistics over every game played: each deal's places and the scores after
// it, filed under the game it belongs to. A game runs from a new game (the
// menu's, or a start that does not take up a kept game) to the next; a game
// kept between runs and taken up goes on under the same key. Places are
// counted per deal (a place is won in a deal), scores per game (they run on
// from deal to deal and start from 0 with each game).
//
// The file is a journal: a deal's line is appended as the deal ends, and the
// file is written whole only when the statistics are reset (or carried over
// from an older version). Anything else is refused as a whole, with one
// exception: a last line without its line end was cut short by a crash or a
// full disk as it was appended, and the lines before it count.
//   tav statistics 2
//   deal <game key> <places of A..F> <scores of A..F>
//   ...
// Version 1 was the same with an `end` line, written whole at every deal; it
// is still read.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

inline constexpr int kStatisticsFormat = 2;
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

// The whole file as this version writes it; its first line alone for none.
std::string write_statistics(const Statistics& s);
// One deal's line, to be appended to the file.
std::string statistics_line(const DealResult& d);

struct StatisticsRead {
    Statistics stats;
    std::string error;  // "" when good; a fixed text, the line apart
    int line = 0;       // the line refused, 0 when the file as a whole is
    int version = 0;    // as the file says, when it says one this program reads
    // Bytes up to the end of the last whole line: less than the text when
    // a last line was cut short (it is not counted).
    std::size_t whole = 0;
    bool ok() const { return error.empty(); }
    bool cut_short(std::size_t text_size) const { return ok() && whole < text_size; }
};
StatisticsRead read_statistics(std::string_view text);

}  // namespace tav
