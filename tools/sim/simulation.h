// One game of many deals with every seat played by the computer, the human's
// seat A included (it leads, follows and returns tribute as a computer seat
// would, and answers the same-side question Yes). Scores, the first leader
// and tributes carry from deal to deal as in the game. The simulator and the
// golden-record test both play through this.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/settings.h"
#include "model/events.h"
#include "model/rules_settings.h"

namespace tav::sim {

using PlaceCounts = std::array<std::array<long long, 7>, 7>;  // [seat 1..6][place 1..6]
using Levels = std::array<game::Level, 6>;                    // seats A..F

// The engine's rules for the rule settings, with the computer's levels.
game::Rules rules_of(const Settings& settings, const Levels& levels = {});

class Simulation {
public:
    // `check` runs the invariant checks after every action. `levels`: the
    // computer's level at each seat (classic everywhere by default). The
    // first deal is the seed's first (store/deal_numbers.h); a seed past the
    // numbered range plays unnumbered deals, its generator never seeded again.
    Simulation(const Settings& rules, std::uint64_t seed, bool check, const Levels& levels = {});
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // Told every note line of the game, in order (made only when a sink is set).
    void on_note(std::function<void(std::string_view)> sink);
    // Told every event a note line is made from, and the places and deals' ends.
    void on_event(std::function<void(const game::Event&)> sink);

    // Plays the next deal; false at the first fault (then `fault()` says what).
    bool play_deal();

    // Before the first deal: the game starts from the deal with this number
    // (as 按编号发牌 does in the window). False, nothing changed, for a
    // number no deal has or once a deal has been played.
    bool start_at(std::uint64_t number);
    // The number of the deal played last (0 before the first or unnumbered)
    // and of the one to come.
    std::uint64_t deal_number() const;
    std::uint64_t next_deal_number() const;

    const std::string& fault() const;
    long long deals_played() const;
    const PlaceCounts& places() const;
    // The places of the last deal played, seats A..F at [1..6] (0: none).
    std::array<int, 7> last_places() const;
    // Scores of seats A..F at [1..6].
    std::array<int, 7> scores() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tav::sim
