#include "ui/net_table.h"

#include "session/own_row.h"
#include "session/turning.h"
#include "ui/language.h"

namespace tav::ui {
namespace {
constexpr int kChatLinesKept = 200;
// Waits before each reconnection: about a minute and a half in all, within
// the table's grace time and the hold a restarted server gives.
constexpr int kRetryMs[] = {500, 1000, 2000, 4000, 8000, 15000, 15000, 15000, 15000, 15000};
}  // namespace

NetTable::NetTable(Session& session, QObject* parent) : QObject(parent), session_(session), marks_(session.surface()) {
    session_.go_remote([this](const game::Decision& d) { return send_decision(d); });
    connect(&client_, &NetClient::welcomed, this, [this] {
        if (tries_ > 0)
            client_.send(net::Rejoin{code_.toStdString(), mirror_.token()});
        else if (creating_)
            client_.send(*creating_);
        else
            client_.send(net::Join{code_.toStdString(), name_.toStdString()});
    });
    connect(&client_, &NetClient::received, this, &NetTable::received);
    connect(&client_, &NetClient::failed, this, [this](const QString& why) {
        // A lost connection at a seat is tried again rather than given up.
        if (!can_rejoin()) emit failed(why);
    });
    connect(&client_, &NetClient::closed, this, [this] {
        countdown_.stop();
        marks_.show_countdown(std::nullopt, 0);
        if (can_rejoin())
            lost();
        else
            emit closed();
    });
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &NetTable::reconnect);
    countdown_.setInterval(1000);
    connect(&countdown_, &QTimer::timeout, this, &NetTable::tick_countdown);
}

NetTable::~NetTable() { session_.go_remote({}); }

bool NetTable::create(const QUrl& url, const net::Create& create) {
    creating_ = create;
    url_ = url;
    name_ = QString::fromStdString(create.name);
    return client_.open(url);
}

bool NetTable::join(const QUrl& url, const QString& code, const QString& name) {
    creating_.reset();
    url_ = url;
    code_ = code.trimmed().toUpper();
    name_ = name.trimmed();
    return client_.open(url);
}

void NetTable::start() { client_.send(net::Start{}); }

void NetTable::move_to(game::Seat seat) {
    if (seat_ && !started_) client_.send(net::Sit{seat});
}

void NetTable::say(const QString& line) {
    const QString text = line.trimmed();
    if (!text.isEmpty()) client_.send(net::Say{text.left(net::kMaxChatLength).toStdString()});
}

void NetTable::mute(game::Seat seat, bool on) {
    // The table stops sending the seat's lines; those already on their way are not shown either.
    muted_[seat] = on;
    client_.send(net::Mute{seat, on});
}

void NetTable::leave() {
    leaving_ = true;
    retry_.stop();
    client_.close();
}

bool NetTable::can_rejoin() const {
    // Not after leaving, nor when the server closed the connection for
    // misbehaviour. (A table that has closed refuses the seat's token.)
    return !leaving_ && seat_ && !mirror_.token().empty() && !code_.isEmpty() &&
           client_.close_code() != QWebSocketProtocol::CloseCodePolicyViolated;
}

void NetTable::lost() {
    if (tries_ >= static_cast<int>(std::size(kRetryMs))) {
        emit failed(tx("无法重新连接到牌桌。"));
        emit closed();
        return;
    }
    if (tries_ == 0) add_chat(tx("连接断开了，正在重新连接……"));
    retry_.start(kRetryMs[tries_++]);
}

void NetTable::reconnect() {
    if (!client_.open(url_)) lost();
}

bool NetTable::send_decision(const game::Decision& d) {
    if (!seat_) return false;
    return client_.send(net::Decide{d, static_cast<std::int64_t>(mirror_.version())});
}

void NetTable::received(const net::ServerMessage& m) {
    if (const auto* e = std::get_if<net::Error>(&m)) {
        refused(*e);
        return;
    }
    hand_before_ = seat_ ? mirror_.known().hands[*seat_] : game::Hand{};
    mirror_.apply(m);
    if (const auto* t = std::get_if<net::TableInfo>(&m)) {
        info_ = *t;
        has_info_ = true;
        started_ = started_ || t->started;
        code_ = QString::fromStdString(t->code);
        if (!seat_ && !sitting_)
            for (game::Seat s : game::kAllSeats)
                if (t->seats[game::array_index(s)].who == net::Occupant::open) {
                    sitting_ = client_.send(net::Sit{s});
                    break;
                }
        seats_changed();
        emit table_changed();
    } else if (const auto* s = std::get_if<net::Seated>(&m)) {
        seat_ = s->seat;
        seats_changed();
        emit table_changed();
    } else if (const auto* snap = std::get_if<net::SeatSnapshot>(&m)) {
        if (tries_ > 0) {
            tries_ = 0;
            add_chat(tx("已重新连接。"));
        }
        stepped(snap->record, true);
    } else if (const auto* ev = std::get_if<net::StepEvents>(&m)) {
        stepped(ev->events, false);
        if (!started_ && !ev->events.empty()) {
            started_ = true;
            emit table_changed();
        }
    } else if (const auto* a = std::get_if<net::AskSeat>(&m)) {
        counting_ = turned(a->seat, local());
        seconds_left_ = a->seconds_left;
        marks_.show_countdown(counting_, seconds_left_);
        if (seconds_left_ > 0)
            countdown_.start();
        else
            countdown_.stop();
    } else if (const auto* c = std::get_if<net::ChatLine>(&m)) {
        if (c->seat && muted_[*c->seat]) return;
        add_chat(QString::fromStdString(c->name) + "：" + QString::fromStdString(c->text));
    }
}

void NetTable::add_chat(const QString& line) {
    chat_ << line;
    if (chat_.size() > kChatLinesKept) chat_.removeFirst();
    emit chat_added(line);
}

void NetTable::stepped(const std::vector<game::Event>& events, bool at_once) {
    // The count belongs to the ask before: the next ask starts it again.
    countdown_.stop();
    counting_.reset();
    marks_.show_countdown(std::nullopt, 0);
    std::vector<game::Event> shown_events;
    shown_events.reserve(events.size());
    for (const game::Event& e : events) shown_events.push_back(turned(e, local()));
    shown_events = stand_ins_.shown(shown_events);
    // The player's hand lies sorted by rank, as in a game alone (the table
    // sorts only its own seat A's): once dealt, and whenever laid out again.
    game::State known = stand_ins_.shown(turned(mirror_.known(), local()));
    known.hands[game::Seat::A].sort_by_rank();
    shown_events = own_row_laid_out(shown_events, hand_before_);
    session_.remote_step(known, std::move(shown_events), at_once);
}

void NetTable::seats_changed() {
    if (!has_info_) return;
    game::PerSeat<game::Seat> named;
    for (game::Seat x : game::kAllSeats) named[x] = unturned(x, local());
    session_.view().name_seats(named);
    for (game::Seat s : game::kAllSeats) {
        const net::SeatEntry& e = info_.seats[game::array_index(s)];
        const game::Seat at = turned(s, local());
        // An empty seat goes by the table's own name for it, in every window.
        const std::string name = e.name.empty() ? std::string(game::name_of(s)) : e.name;
        marks_.show_seat(at, name, e.who == net::Occupant::dropped);
    }
}

void NetTable::refused(const net::Error& e) {
    if (tries_ > 0 && (e.code == net::ErrorCode::bad_token || e.code == net::ErrorCode::unknown_table)) {
        // The seat is no longer this player's: its grace time is over, or the table has closed.
        leaving_ = true;
        emit failed(tx("无法重新连接到牌桌。"));
        client_.close();
        return;
    }
    switch (e.code) {
        case net::ErrorCode::refused: session_.remote_refused(e.message); return;
        case net::ErrorCode::stale_version:
        case net::ErrorCode::not_now:
            // Raced by the table (the time ran out, another seat moved): its
            // step shows what happened; a decision still waiting is given back.
            if (session_.waiting_remote()) session_.remote_refused("牌桌已经变了，请重新出牌。");
            return;
        case net::ErrorCode::seat_taken: sitting_ = false; return;  // the next table message offers another seat
        case net::ErrorCode::unknown_table: emit failed(tx("没有这个代码的牌桌。")); break;
        case net::ErrorCode::rate_limited: emit failed(tx("消息发得太快了，请稍候。")); return;
        default:
            emit failed(tx("服务器拒绝了本程序的消息：%1")
                            .arg(QString::fromStdString(std::string(net::code_name(e.code)))));
            return;
    }
    client_.close();
}

void NetTable::tick_countdown() {
    if (seconds_left_ > 0) --seconds_left_;
    marks_.show_countdown(counting_, seconds_left_);
    if (seconds_left_ <= 0) countdown_.stop();
}

}  // namespace tav::ui
