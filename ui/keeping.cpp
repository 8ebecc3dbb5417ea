#include "ui/keeping.h"
#include "ui/language.h"

#include <QFile>
#include <cstdio>
#include <random>

#include "table/saved_game.h"
#include "ui/keep_files.h"

namespace tav::ui {
namespace {

std::uint64_t fresh_key() {
    std::random_device rd;
    return (static_cast<std::uint64_t>(rd()) << 32) ^ rd();
}

}  // namespace

void Keeping::start(const QString& folder) {
    folder_ = folder;
    game_key_ = fresh_key();
    // The table was drawn before the remembered settings could say which background.
    session_.background_changed(session_.settings.background_style);
    load_statistics();
    offer_saved_game();
}

void Keeping::refuse_file(const QString& path, const QString& what, const QString& why) {
    const QString aside = move_aside(path);
    QString text = tx("%1无法读取：%2。").arg(what, why) + "\n";
    text += aside.isEmpty() ? tx("这个文件无法改名，下次保存时也不会覆盖它。") : tx("原文件已改名为 %1 。").arg(aside);
    session_.platform.message("提示信息", text.toStdString());
}

void Keeping::load_statistics() {
    QString error;
    const std::optional<std::string> text = read_whole_file(statistics_path(), &error);
    if (!text) {
        if (!error.isEmpty()) refuse_file(statistics_path(), tx("统计文件"), error);
        return;
    }
    StatisticsRead read = read_statistics(*text);
    if (!read.ok()) {
        refuse_file(statistics_path(), tx("统计文件"), QString::fromStdString(read.error) + tx("；统计从零开始"));
        return;
    }
    stats_ = std::move(read.stats);
}

void Keeping::offer_saved_game() {
    QString error;
    const std::optional<std::string> text = read_whole_file(saved_game_path(), &error);
    if (!text) {
        if (!error.isEmpty()) refuse_file(saved_game_path(), tx("上次保存的牌局"), error);
        return;
    }
    const SavedGameRead read = read_saved_game(*text);
    if (!read.ok()) {
        refuse_file(saved_game_path(), tx("上次保存的牌局"), QString::fromStdString(read.error) + tx("；开始新的牌局"));
        return;
    }
    if (session_.platform.ask_yes_no("提示信息", "上次的牌局还没有打完，要接着打吗？")) {
        session_.resume(read.game);
        game_key_ = read.game.game_key;
    }
    // Taken up or declined, the file has served: the game is saved afresh when the window closes.
    QFile::remove(saved_game_path());
}

void Keeping::deal_over(const game::PerSeat<std::uint8_t>& places) {
    const game::State& s = session_.state();
    DealResult d;
    d.game = game_key_;
    for (game::Seat seat : game::kAllSeats) {
        d.places[game::slot_of(seat)] = places[seat];
        d.scores[game::slot_of(seat)] = s.scores[seat];
    }
    if (stats_.record(d)) save_statistics();
}

void Keeping::new_game() { game_key_ = fresh_key(); }

void Keeping::reset_statistics() {
    stats_.reset();
    save_statistics();
}

void Keeping::save_statistics() {
    if (!active()) return;
    if (!write_whole_file(statistics_path(), write_statistics(stats_)))
        std::fprintf(stderr, "tav: the statistics could not be written to %s\n", qPrintable(statistics_path()));
}

void Keeping::settings_changed() {
    if (active()) save_settings(session_.settings);
}

void Keeping::closing() {
    if (!active()) return;
    save_settings(session_.settings);
    // With no game under way nothing is written (a saved game was already
    // taken up or declined at the start).
    if (!game_started(session_.state())) return;
    SavedGame g = session_.keep();
    g.game_key = game_key_;
    if (!write_whole_file(saved_game_path(), write_saved_game(g)))
        std::fprintf(stderr, "tav: the game could not be saved to %s\n", qPrintable(saved_game_path()));
}

}  // namespace tav::ui
