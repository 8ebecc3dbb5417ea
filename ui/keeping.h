// What the window keeps between runs: the statistics of every deal played
// (recorded as each deal ends), the game in progress (saved when the window
// closes, offered back at the next start) and the settings (saved when a
// settings dialog closes and when the window closes). With no folder given,
// the statistics are kept in memory only and nothing is read or written:
// the window tests and the pictures see a game from nothing.
#pragma once

#include <QString>
#include <cstdint>

#include "app/stats.h"
#include "table/session.h"

namespace tav::ui {

class Keeping {
public:
    explicit Keeping(Session& session) : session_(session) {}

    // From now on the files in `folder` (and the remembered settings) are
    // read and written. Reads the statistics, then offers a saved game back.
    void start(const QString& folder);
    bool active() const { return !folder_.isEmpty(); }
    QString saved_game_path() const { return folder_ + "/saved-game.txt"; }
    QString statistics_path() const { return folder_ + "/statistics.txt"; }

    const Statistics& statistics() const { return stats_; }
    void reset_statistics();

    // A deal has ended with these places: they and the scores are recorded.
    void deal_over(const game::PerSeat<std::uint8_t>& places);
    void new_game();  // a new game begins: its deals are filed under a new key
    void settings_changed();
    void closing();  // the game (if one is under way) and the settings are saved

private:
    void load_statistics();
    void offer_saved_game();
    void save_statistics();
    // A refused file is renamed aside and the player told why.
    void refuse_file(const QString& path, const QString& what, const QString& why);

    Session& session_;
    QString folder_;
    Statistics stats_;
    std::uint64_t game_key_ = 0;
};

}  // namespace tav::ui
