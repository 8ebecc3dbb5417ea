// What the window keeps between runs: the statistics of every deal played
// (a line appended to their journal as each deal ends), the game in progress
// (saved after every action that changed it, and as the program is told to
// end, offered back at the next start) and the settings (saved when a
// settings dialog closes and when the window closes). With no folder given,
// the statistics are kept in memory only and nothing is read or written:
// the window tests and the pictures see a game from nothing.
//
// One copy of the program at a time keeps its files: the folder is locked
// while the window is open. A second copy is told so and plays a game that
// is not saved, writing nothing. A save that fails (a read-only folder, a
// full disk) leaves the file before it as it was; the player is told once a
// run for each kind of file, and the game goes on.
#pragma once

#include <QElapsedTimer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/settings.h"
#include "session/session.h"
#include "store/stats.h"

namespace tav::ui {

class Keeping {
public:
    // Boxes that do not stop the game open beside `window`.
    Keeping(Session& session, Settings& settings, QWidget* window = nullptr);
    ~Keeping();

    // Without a person at the screen (the kill test): the saved game is taken
    // up without asking, and what the player would be told goes to stderr
    // too, in a box that does not wait for an answer.
    void set_unattended(bool on) { unattended_ = on; }

    // From now on the files in `folder` (and the remembered settings) are
    // read and written, unless another copy holds them. Reads the
    // statistics, then offers a saved game back.
    void start(const QString& folder);
    bool active() const { return !folder_.isEmpty(); }
    // Another copy of the program holds the folder: this one keeps nothing.
    bool second_copy() const { return second_copy_; }
    QString saved_game_path() const { return folder_ + "/saved-game.txt"; }
    QString statistics_path() const { return folder_ + "/statistics.txt"; }

    const Statistics& statistics() const { return stats_; }
    void reset_statistics();

    // A deal has ended with these places: they and the scores are recorded.
    void deal_over(const game::PerSeat<std::uint8_t>& places);
    // The game changed: it is saved once the action is over.
    void game_changed();
    // The game as it stands saved now (the program is told to end); nothing
    // while an action is being shown, the save before it then stands.
    void save_game();
    bool save_due() const { return save_due_; }  // a save waits for its turn
    void new_game();                             // a new game begins: its deals are filed under a new key
    void settings_changed();
    void closing();  // the game (if one is under way) and the settings are saved

private:
    enum Kind { game_file, statistics_file, settings_file, kinds };
    void load_statistics();
    void offer_saved_game();
    bool write_statistics_lines();
    // A refused file is renamed aside and the player told why; one that
    // cannot be moved is left as it is and not written over this run.
    void refuse_file(Kind kind, const QString& path, const QString& what, const QString& why);
    void failed(Kind kind, const QString& why);
    // At the start, a box to answer; later, one beside the game.
    void tell(const QString& text, bool at_start);

    Session& session_;
    Settings& settings_;  // the session's, with the window's own choices
    QWidget* window_;
    QString folder_;
    Statistics stats_;
    std::uint64_t game_key_ = 0;
    bool unattended_ = false, second_copy_ = false, save_due_ = false;
    std::unique_ptr<QLockFile> lock_;
    std::array<bool, kinds> told_{};      // a failed save of this kind was told
    std::array<bool, kinds> barred_{};    // not written this run
    std::vector<std::string> unwritten_;  // deal lines waiting to be appended
    std::string last_saved_;              // the saved game as last written
    QElapsedTimer clock_;
    qint64 next_save_ms_ = 0;  // on clock_: no save before (saving kept to a tenth of the time)
    QObject guard_;            // the deferred save goes with the keeping
};

}  // namespace tav::ui
