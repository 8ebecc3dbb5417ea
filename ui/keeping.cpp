#include "ui/keeping.h"
#include "ui/language.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QSysInfo>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <random>

#include "store/saved_game.h"
#include "ui/keep_files.h"

namespace tav::ui {
namespace {

std::uint64_t fresh_key() {
    std::random_device rd;
    return (static_cast<std::uint64_t>(rd()) << 32) ^ rd();
}

// The copy that made the lock is gone: it names no owner (a crash as it was
// being made), or a process of this machine that no longer runs.
bool owner_gone(const QLockFile& lock) {
    qint64 pid = 0;
    QString host, app;
    if (!lock.getLockInfo(&pid, &host, &app)) return true;
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) return false;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

Keeping::Keeping(Session& session, Settings& settings, QWidget* window)
    : session_(session), settings_(settings), window_(window) {
    clock_.start();
}

Keeping::~Keeping() = default;

void Keeping::start(const QString& folder) {
    game_key_ = fresh_key();
    // The table was drawn before the remembered settings could say which background.
    session_.view().paint_background(settings_.background_style);
    QDir().mkpath(folder);
    lock_ = std::make_unique<QLockFile>(folder + "/tav.lock");
    // Held only while a copy runs: the lock of a copy that crashed names a
    // process that is gone, and is taken over.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        if (lock_->error() == QLockFile::LockFailedError && !owner_gone(*lock_)) {
            lock_.reset();
            second_copy_ = true;
            tell(tx("瑟柯牌局已经打开了。这个窗口中的牌局不会保存，统计也不会记录。"), true);
            return;
        }
        // Qt takes a stale lock over only with room for a file beside it:
        // without it (a full disk) the stale one is removed here. A folder
        // that cannot be written is still read; its saves fail and are told.
        if (!(lock_->removeStaleLockFile() && lock_->tryLock(0))) lock_.reset();
    }
    folder_ = folder;
    if (const QString refused = settings_refusal(); !refused.isEmpty()) tell(refused, true);
    load_statistics();
    offer_saved_game();
}

void Keeping::tell(const QString& text, bool at_start) {
    if (unattended_ || !at_start) std::fprintf(stderr, "tav: %s\n", qPrintable(text));
    if (at_start && !unattended_) {
        session_.platform.message("提示信息", text.toStdString());
        return;
    }
    // The game goes on: the box waits beside the table for the player to read it.
    auto* box = new QMessageBox(QMessageBox::Information, shown("提示信息"), text, QMessageBox::Ok, window_);
    box->setObjectName("box_keeping");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

void Keeping::failed(Kind kind, const QString& why) {
    if (told_[kind]) return;
    told_[kind] = true;
    switch (kind) {
        case game_file: tell(tx("牌局无法保存：%1。游戏继续，之前保存的牌局保持不变。").arg(why), false); break;
        case statistics_file: tell(tx("统计无法保存：%1。游戏继续。").arg(why), false); break;
        default: tell(tx("设置无法保存：%1。").arg(why), false); break;
    }
}

void Keeping::refuse_file(Kind kind, const QString& path, const QString& what, const QString& why) {
    const QString aside = move_aside(path);
    QString text = tx("%1无法读取：%2。").arg(what, why) + "\n";
    if (aside.isEmpty()) {
        // Left where it is, it is not written over either.
        barred_[kind] = true;
        text += tx("这个文件无法改名，本次运行不会写入它，以免覆盖。");
    } else {
        text += tx("原文件已改名为 %1 。").arg(aside);
    }
    tell(text, true);
}

void Keeping::load_statistics() {
    const QString path = statistics_path();
    QString error;
    const std::optional<std::string> text = read_whole_file(path, &error);
    if (!text) {
        if (!error.isEmpty()) refuse_file(statistics_file, path, tx("统计文件"), error);
        return;
    }
    StatisticsRead read = read_statistics(*text);
    if (!read.ok()) {
        QString why = shown(read.error);
        if (read.line > 0) why = tx("%1（第%2行）").arg(why).arg(read.line);
        refuse_file(statistics_file, path, tx("统计文件"), why + tx("；统计从零开始"));
        return;
    }
    stats_ = std::move(read.stats);
    QString why;
    if (read.version != kStatisticsFormat) {
        // The old file, written whole, carried over to the journal whole; it
        // stays as it was until the new one is in its place.
        if (!write_whole_file(path, write_statistics(stats_), &why)) {
            barred_[statistics_file] = true;
            failed(statistics_file, why);
        }
    } else if (read.cut_short(text->size()) && !cut_file(path, static_cast<qint64>(read.whole))) {
        // The next line would be glued to the half one.
        barred_[statistics_file] = true;
        failed(statistics_file, tx("最后一行只写了一半，无法去掉"));
    }
}

void Keeping::offer_saved_game() {
    QString error;
    const std::optional<std::string> text = read_whole_file(saved_game_path(), &error);
    if (!text) {
        if (!error.isEmpty()) refuse_file(game_file, saved_game_path(), tx("上次保存的牌局"), error);
        return;
    }
    const SavedGameRead read = read_saved_game(*text);
    if (!read.ok()) {
        refuse_file(game_file, saved_game_path(), tx("上次保存的牌局"), shown(read.error) + tx("；开始新的牌局"));
        return;
    }
    // Taken up or declined, the file stays until a save replaces it: a
    // crash before then loses nothing, and a declined game is offered again
    // until another is played.
    last_saved_ = *text;
    if (unattended_ || session_.platform.ask_yes_no("提示信息", "上次的牌局还没有打完，要接着打吗？")) {
        session_.resume(read.game);
        game_key_ = read.game.game_key;
        if (unattended_) std::fprintf(stderr, "tav: saved game taken up\n");
    }
}

void Keeping::deal_over(const game::PerSeat<std::uint8_t>& places) {
    const game::State& s = session_.state();
    DealResult d;
    d.game = game_key_;
    for (game::Seat seat : game::kAllSeats) {
        d.places[game::array_index(seat)] = places[seat];
        d.scores[game::array_index(seat)] = s.scores[seat];
    }
    if (!stats_.record(d)) return;
    unwritten_.push_back(statistics_line(d));
    write_statistics_lines();
}

bool Keeping::write_statistics_lines() {
    if (!active() || barred_[statistics_file] || unwritten_.empty()) return !barred_[statistics_file];
    std::string lines;
    for (const std::string& line : unwritten_) lines += line;
    QString why;
    // A new journal starts whole with its first line; then lines are only appended.
    const bool ok = QFile::exists(statistics_path())
                        ? append_to_file(statistics_path(), lines, &why)
                        : write_whole_file(statistics_path(), write_statistics({}) + lines, &why);
    if (!ok) {
        // Kept for the next deal's append: a disk with room again takes them all.
        failed(statistics_file, why);
        return false;
    }
    // The kill test checks that every deal told here is in the file after a kill.
    if (unattended_) std::fprintf(stderr, "tav: deal filed, %zu lines\n", unwritten_.size());
    unwritten_.clear();
    return true;
}

void Keeping::reset_statistics() {
    stats_.reset();
    unwritten_.clear();
    if (!active() || barred_[statistics_file]) return;
    // The one time the statistics are written whole.
    QString why;
    if (!write_whole_file(statistics_path(), write_statistics(stats_), &why)) failed(statistics_file, why);
}

void Keeping::game_changed() {
    if (!active() || save_due_) return;
    // Once the action is over (the deal's numbers are set after it is
    // dealt), and with saving kept to about a tenth of the time: after a
    // save that took t the next waits until 10 t have passed. At a person's
    // pace every action is saved as it is made; auto-play without pauses on
    // a slow disk saves every few actions.
    save_due_ = true;
    const qint64 wait = std::max<qint64>(0, next_save_ms_ - clock_.elapsed());
    QTimer::singleShot(static_cast<int>(std::min<qint64>(wait, 1000)), &guard_, [this] {
        save_due_ = false;
        save_game();
    });
}

void Keeping::save_game() {
    if (!active() || barred_[game_file] || session_.busy() || !game_started(session_.state())) return;
    QElapsedTimer clock;
    clock.start();
    SavedGame g = session_.keep();
    g.game_key = game_key_;
    const std::string text = write_saved_game(g);
    if (text == last_saved_) return;
    QString why;
    if (!write_whole_file(saved_game_path(), text, &why)) {
        failed(game_file, why);
        return;
    }
    last_saved_ = text;
    next_save_ms_ = clock_.elapsed() + 9 * (clock.nsecsElapsed() / 1'000'000);
    // The kill test counts the saves and what they cost.
    if (unattended_)
        std::fprintf(stderr, "tav: game saved, %zu bytes, %lld us\n", text.size(), clock.nsecsElapsed() / 1000);
}

void Keeping::new_game() {
    game_key_ = fresh_key();
    // The player has put the game aside: its file goes, the new game's first
    // deal is saved in its place.
    if (!active() || barred_[game_file]) return;
    QFile::remove(saved_game_path());
    last_saved_.clear();
}

void Keeping::settings_changed() {
    if (!active()) return;
    QString why;
    if (!save_settings(settings_, &why)) failed(settings_file, why);
}

void Keeping::closing() {
    if (!active()) return;
    settings_changed();
    // With no game under way nothing is written: a game declined at the start stays.
    save_game();
    // The window has closed: the folder is free for the next copy, and
    // nothing more is written by this one.
    folder_.clear();
    lock_.reset();
}

}  // namespace tav::ui
