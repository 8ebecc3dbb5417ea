// The player's place at a network table: the connection, what its seat
// knows of the game, and the session that shows it. The table's steps come
// in as messages; the session shows them turned so that the player's seat is
// at the bottom; the player's decisions go out through the connection.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <optional>

#include "net/mirror.h"
#include "net/protocol.h"
#include "session/session.h"
#include "session/stand_ins.h"
#include "ui/net_client.h"
#include "view/net_marks.h"

namespace tav::ui {

class NetTable : public QObject {
    Q_OBJECT
public:
    // `session` shows the table (it goes remote now) and outlives this.
    NetTable(Session& session, QObject* parent = nullptr);
    ~NetTable() override;

    // Opens a new table (the player becomes its host) or joins one by its
    // code, then sits at the first free seat. False when already connecting.
    bool create(const QUrl& url, const net::Create& create);
    bool join(const QUrl& url, const QString& code, const QString& name);
    void start();  // the host deals the first deal
    // Before the first deal: to another free seat (the table is turned to it).
    void move_to(game::Seat seat);
    void say(const QString& line);
    // Chat lines from `seat` (the table's own letter) stop coming while muted.
    void mute(game::Seat seat, bool on);
    bool muted(game::Seat seat) const { return muted_[seat]; }
    void leave();

    NetClient& client() { return client_; }
    const net::SeatMirror& mirror() const { return mirror_; }
    const net::TableInfo& info() const { return info_; }
    bool has_info() const { return has_info_; }
    std::optional<game::Seat> seat() const { return seat_; }
    bool hosting() const { return seat_ && info_.host == seat_; }
    // The host has started the game (the first deal's events have come).
    bool started() const { return started_; }
    const QStringList& chat_lines() const { return chat_; }
    // A decision for the player's seat as the table names seats (tests).
    bool send_decision(const game::Decision& d);

signals:
    void table_changed();  // who sits where, started
    void chat_added(const QString& line);
    void failed(const QString& why);
    void closed();

private:
    void received(const net::ServerMessage& m);
    void seats_changed();
    void stepped(const std::vector<game::Event>& events, bool at_once);
    void refused(const net::Error& e);
    void tick_countdown();
    void add_chat(const QString& line);
    // A connection lost at a seat is opened again and the seat taken back
    // with its token, a few times over a minute or so.
    bool can_rejoin() const;
    void lost();
    void reconnect();
    game::Seat local() const { return seat_.value_or(game::Seat::A); }

    Session& session_;
    NetClient client_;
    net::SeatMirror mirror_;
    NetMarks marks_;
    StandIns stand_ins_;      // pictures for the other seats' face-down cards
    game::Hand hand_before_;  // the seat's hand before the message being read
    net::TableInfo info_;
    bool has_info_ = false;
    std::optional<game::Seat> seat_;
    bool sitting_ = false;
    bool started_ = false;  // a seat asked for, not yet answered
    std::optional<net::Create> creating_;
    QUrl url_;
    QString code_, name_;
    bool leaving_ = false;
    int tries_ = 0;  // reconnections tried since the connection was lost
    QTimer retry_;
    game::PerSeat<bool> muted_{};
    QStringList chat_;
    // The count near the seat to act, kept by a local clock between asks.
    QTimer countdown_;
    std::optional<game::Seat> counting_;
    int seconds_left_ = 0;
};

}  // namespace tav::ui
