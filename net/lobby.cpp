// The lobby's connections: each frame checked against the limits, decoded,
// and answered; the table calls it asks for carried out.
#include "net/lobby.h"

#include <array>

#include "net/lobby_frames.h"
#include "net/lobby_impl.h"
#include "net/refusals.h"

namespace tav::net {

namespace {

// The table's refusals the protocol names by their own codes, and the field
// at fault; any other refusal is the rules' (`refused`).
Error refusal_error(std::string_view why) {
    const std::string message(why);
    if (why == refusal::kSeatTaken) return {ErrorCode::seat_taken, "seat", message};
    if (why == refusal::kNoSuchToken) return {ErrorCode::bad_token, "token", message};
    if (why == refusal::kMovedOn) return {ErrorCode::stale_version, "version", message};
    constexpr std::array kOutOfOrder{refusal::kNotYourTurn, refusal::kNoSeat,     refusal::kNotStarted,
                                     refusal::kOnlyTheHost, refusal::kStarted,    refusal::kNextDeal,
                                     refusal::kHoldsASeat,  refusal::kAtTheTable, refusal::kNotAtTheTable};
    if (std::ranges::find(kOutOfOrder, why) != kOutOfOrder.end()) return {ErrorCode::not_now, "", message};
    return {ErrorCode::refused, "", message};
}

Error not_now(std::string message) { return {ErrorCode::not_now, "", std::move(message)}; }

std::optional<game::Seat> seat_of(const Table& t, Connection c) {
    for (game::Seat s : game::kAllSeats)
        if (t.holder(s).holder == Holder::human && t.holder(s).connection == c) return s;
    return std::nullopt;
}

}  // namespace

void Lobby::release_events() {
    for (const std::string& code : impl_->touched)
        if (const auto it = impl_->tables.find(code); it != impl_->tables.end()) it->second.table->release_events();
    impl_->touched.clear();
}

Lobby::Lobby(LobbyOptions options, Entropy entropy) : impl_(std::make_unique<Impl>()) {
    impl_->options = options;
    impl_->entropy = std::move(entropy);
}

Lobby::~Lobby() = default;

std::optional<Connection> Lobby::connect(Time) {
    if (impl_->peers.size() >= impl_->options.most_connections) return std::nullopt;
    const Connection c = impl_->next_connection++;
    impl_->peers.emplace(c, Peer(impl_->options));
    return c;
}

Sent Lobby::receive(Connection c, std::string_view text, bool binary, Time now) {
    Sent sent;
    const auto it = impl_->peers.find(c);
    if (it == impl_->peers.end() || it->second.closing) return sent;
    try {
        impl_->receive(c, it->second, text, binary, now, sent);
    } catch (const std::exception&) {  // out of memory, in the end: the connection goes, the lobby stays
        sent.frames.clear();
        sent.closing.push_back({c, 1011});
        it->second.closing = true;
    }
    return sent;
}

Sent Lobby::disconnect(Connection c, Time now) {
    Sent sent;
    const auto it = impl_->peers.find(c);
    if (it == impl_->peers.end()) return sent;
    if (OpenTable* t = impl_->table_of(it->second)) {
        Outcome out = impl_->call(*t, Call{.kind = CallKind::drop, .connection = c, .time = now}, sent);
        if (out.ok()) impl_->deliver(*t, out, now, sent);
    }
    impl_->peers.erase(c);
    return sent;
}

OpenTable* Lobby::Impl::table_of(const Peer& p) {
    if (p.table.empty()) return nullptr;
    const auto it = tables.find(p.table);
    return it == tables.end() ? nullptr : &it->second;
}

void Lobby::Impl::refuse(Connection c, Peer& p, const Error& e, Time now, Sent& sent) {
    sent.frames.push_back({c, encode(e)});
    const bool counts = e.code <= ErrorCode::repeated_field || e.code == ErrorCode::rate_limited;
    if (counts && p.refusals.count(now)) {
        sent.closing.push_back({c, 1008});
        p.closing = true;
    }
}

void Lobby::Impl::receive(Connection c, Peer& p, std::string_view text, bool binary, Time now, Sent& sent) {
    if (text.size() > kMaxClientMessage)
        return refuse(c, p, {ErrorCode::too_long, "", "longer than " + std::to_string(kMaxClientMessage) + " bytes"},
                      now, sent);
    if (binary) return refuse(c, p, {ErrorCode::not_json, "", "binary frames are refused"}, now, sent);
    if (!p.messages.take(now)) return refuse(c, p, {ErrorCode::rate_limited, "", "too many messages"}, now, sent);
    const Decoded<ClientMessage> d = decode_client(text);
    if (!d.ok()) return refuse(c, p, d.error, now, sent);
    handle(c, p, *d.message, now, sent);
}

void Lobby::Impl::handle(Connection c, Peer& p, const ClientMessage& m, Time now, Sent& sent) {
    auto answer = [&](std::string text) { sent.frames.push_back({c, std::move(text)}); };
    auto refused = [&](const Error& e) { refuse(c, p, e, now, sent); };
    if (const auto* hello = std::get_if<Hello>(&m)) {
        if (p.greeted) return refused(not_now("hello was said"));
        if (hello->protocol != kProtocol) {
            answer(error_text(ErrorCode::protocol_version, "protocol",
                              "this server speaks protocol " + std::to_string(kProtocol)));
            sent.closing.push_back({c, 1000});
            p.closing = true;
            return;
        }
        p.greeted = true;
        return answer(encode(Welcome{}));
    }
    if (!p.greeted) return refused(not_now("hello first"));
    OpenTable* at = table_of(p);
    const bool to_a_table =
        std::holds_alternative<Create>(m) || std::holds_alternative<Join>(m) || std::holds_alternative<Rejoin>(m);
    if (to_a_table && at) return refused(not_now("already at a table"));
    if (!to_a_table && !at) return refused(not_now("not at a table"));
    // A table call: carried out, journalled, and its outcome sent.
    auto act = [&](OpenTable& t, Call call) {
        call.connection = c;
        call.time = now;
        Outcome out = this->call(t, std::move(call), sent);
        if (!out.ok()) {
            refused(refusal_error(out.refused));
            return false;
        }
        deliver(t, out, now, sent);
        return true;
    };
    if (const auto* create = std::get_if<Create>(&m)) {
        TableOptions o;
        o.rules = {create->rules.threes, create->rules.smother, create->rules.points, create->rules.tributes, {}};
        o.level = create->level;
        o.seconds_per_decision = create->seconds;
        o.grace = options.grace;
        o.rejoin_cap = options.rejoin_cap;
        if (std::string why = options_refused(o); !why.empty()) return refused({ErrorCode::refused, "", why});
        const std::string code = tables.size() < options.most_tables ? draw_code() : "";
        if (code.empty()) return refused({ErrorCode::refused, "", std::string(refusal::kNoRoomForTables)});
        OpenTable& t = open(code, o, c, now, sent);
        // The host watches its table until it sits, so that it sees the others come.
        Call watch{.kind = CallKind::watch, .connection = c, .time = now};
        if (!this->call(t, watch, sent).ok()) return;
        p.table = code;
        p.name = create->name;
        return answer(encode(table_info(code, *t.table)));
    }
    if (const auto* join = std::get_if<Join>(&m)) {
        const auto it = tables.find(join->code);
        if (it == tables.end()) return refused({ErrorCode::unknown_table, "code", "no table with that code"});
        if (!act(it->second, {.kind = CallKind::watch})) return;
        p.table = join->code;
        p.name = join->name;
        return;
    }
    if (const auto* rejoin = std::get_if<Rejoin>(&m)) {
        const auto it = tables.find(rejoin->code);
        if (it == tables.end()) return refused({ErrorCode::unknown_table, "code", "no table with that code"});
        // The decoder let only 32 hex digits through.
        const Token token = token_from_text(rejoin->token).value_or(Token{});
        if (!act(it->second, {.kind = CallKind::rejoin, .token = token})) return;
        p.table = rejoin->code;
        if (const std::optional<game::Seat> s = seat_of(*it->second.table, c))
            p.name = it->second.table->holder(*s).name;
        return;
    }
    OpenTable& t = *at;
    if (const auto* sit = std::get_if<Sit>(&m)) {
        act(t, {.kind = CallKind::sit, .seat = sit->seat, .name = p.name});
    } else if (std::holds_alternative<Start>(m)) {
        act(t, {.kind = CallKind::start});
    } else if (const auto* decide = std::get_if<Decide>(&m)) {
        act(t, {.kind = CallKind::decide,
                .version = static_cast<std::uint64_t>(decide->version),
                .decision = decide->decision});
    } else if (const auto* say = std::get_if<Say>(&m)) {
        if (!p.chat.take(now)) return refused({ErrorCode::rate_limited, "", "too many chat lines"});
        const std::optional<game::Seat> seat = seat_of(*t.table, c);
        const std::string line = encode(ChatLine{seat, p.name, say->text});
        for (Connection to : t.members) {
            const auto peer = peers.find(to);
            const bool muted = seat && peer != peers.end() && peer->second.muted[game::index_of(*seat)];
            if (!muted) sent.frames.push_back({to, line});
        }
    } else if (const auto* mute = std::get_if<Mute>(&m)) {
        p.muted.set(game::index_of(mute->seat), mute->muted);
    } else if (std::holds_alternative<Leave>(m)) {
        if (!act(t, {.kind = CallKind::leave})) return;
        p.table.clear();
        p.muted.reset();
        sent.closing.push_back({c, 1000});
        p.closing = true;
    }
}

}  // namespace tav::net
