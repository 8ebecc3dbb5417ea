#include <algorithm>
#include <array>
#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>
#include <cstdio>
#include <deque>
#include <memory>
#include <random>
#include <variant>

#include "net/bot.h"
#include "net/mirror.h"
#include "net/protocol.h"
#include "tools/load/load.h"

namespace tav::load {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

bool parse_url(const std::string& url, LoadOptions& out, std::string& why) {
    const std::string scheme = "ws://";
    if (url.rfind(scheme, 0) != 0) {
        why = "--url must start with ws://";
        return false;
    }
    std::string rest = url.substr(scheme.size());
    if (const std::size_t slash = rest.find('/'); slash != std::string::npos) rest.resize(slash);
    const std::size_t colon = rest.rfind(':');
    if (colon == std::string::npos) {
        why = "--url needs a port";
        return false;
    }
    std::string host = rest.substr(0, colon);
    const std::string port = rest.substr(colon + 1);
    if (host == "localhost") host = "127.0.0.1";
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
    beast::error_code ec;
    const asio::ip::address address = asio::ip::make_address(host, ec);
    if (ec || !address.is_loopback()) {
        why = "--url: '" + host + "' is not a loopback address (tav-load only talks to this machine)";
        return false;
    }
    char* end = nullptr;
    const long p = std::strtol(port.c_str(), &end, 10);
    if (port.empty() || *end != '\0' || p < 1 || p > 65535) {
        why = "--url: bad port '" + port + "'";
        return false;
    }
    out.host = address.to_string();
    out.port = static_cast<std::uint16_t>(p);
    return true;
}

namespace {

struct Bot;

struct TableRun {
    std::array<std::shared_ptr<Bot>, game::kSeats> bots;
    std::string code;
    bool started = false;
};

struct Run {
    explicit Run(const LoadOptions& o) : options(o), endpoint(asio::ip::make_address(o.host), o.port) {}
    LoadOptions options;
    asio::io_context io{1};
    tcp::endpoint endpoint;
    std::vector<TableRun> tables;
    int next_table = 0, setting_up = 0, started = 0, connections = 0;
    bool measuring = false, over = false;
    Clock::time_point measure_from;
    std::vector<double> latencies;
    std::uint64_t decisions = 0, errors = 0, deals = 0;
    int errors_told = 0;

    void open_tables();
    void table_started();
    void error(const std::string& what) {
        ++errors;
        if (errors_told++ < 5) std::fprintf(stderr, "tav-load: %s\n", what.c_str());
    }
};

struct Bot : std::enable_shared_from_this<Bot> {
    Bot(Run& r, int t, int s) : run(r), table(t), seat(s), ws(r.io), delay(r.io), rng(std::uint64_t(t) * 6 + s) {}

    Run& run;
    int table, seat;
    websocket::stream<beast::tcp_stream> ws;
    beast::flat_buffer buffer;
    std::deque<std::string> out;
    bool writing = false, open = false, sat = false, start_sent = false, waiting = false;
    net::SeatMirror mirror;
    asio::steady_timer delay;
    std::mt19937_64 rng;
    std::optional<Clock::time_point> sent_at;

    TableRun& mine() { return run.tables[static_cast<std::size_t>(table)]; }

    void start() {
        beast::get_lowest_layer(ws).async_connect(run.endpoint, [self = shared_from_this()](beast::error_code ec) {
            if (ec) return self->fail("connect", ec);
            // Small frames go at once: no waiting on the server's delayed acknowledgement.
            beast::get_lowest_layer(self->ws).socket().set_option(tcp::no_delay(true));
            self->ws.async_handshake("127.0.0.1", "/", [self](beast::error_code e) {
                if (e) return self->fail("handshake", e);
                self->open = true;
                ++self->run.connections;
                self->send(net::Hello{});
                self->read();
            });
        });
    }
    void fail(const char* what, beast::error_code ec) {
        if (run.over) return;
        open = false;
        run.error(std::string(what) + ": " + ec.message());
        // A table that cannot be set up ends the run: the figures would say nothing.
        if (!run.measuring) {
            run.over = true;
            run.io.stop();
        }
    }
    void read() {
        ws.async_read(buffer, [self = shared_from_this()](beast::error_code ec, std::size_t) {
            if (ec) return self->fail("read", ec);
            self->received(beast::buffers_to_string(self->buffer.data()));
            self->buffer.consume(self->buffer.size());
            self->read();
        });
    }
    void send(const net::ClientMessage& m) {
        out.push_back(net::encode(m));
        if (!writing) write_next();
    }
    void write_next() {
        if (out.empty() || !open) return;
        writing = true;
        ws.async_write(asio::buffer(out.front()), [self = shared_from_this()](beast::error_code ec, std::size_t) {
            self->writing = false;
            if (ec) return self->fail("write", ec);
            self->out.pop_front();
            self->write_next();
        });
    }

    void received(const std::string& text) {
        const net::Decoded<net::ServerMessage> d = net::decode_server(text);
        if (!d.ok()) return run.error("undecodable frame: " + text.substr(0, 80));
        const net::ServerMessage& m = *d.message;
        mirror.apply(m);
        if (std::holds_alternative<net::Welcome>(m)) {
            if (seat == 0)
                send(net::Create{"b" + std::to_string(table), {}, game::Level::classic, 0});
            else
                send(net::Join{mine().code, "b" + std::to_string(table) + "_" + std::to_string(seat)});
        } else if (const auto* info = std::get_if<net::TableInfo>(&m)) {
            table_told(*info);
        } else if (const auto* ev = std::get_if<net::StepEvents>(&m)) {
            if (sent_at && run.measuring) {
                run.latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - *sent_at).count());
            }
            sent_at.reset();
            if (seat == 0 && run.measuring)
                for (const game::Event& e : ev->events) run.deals += std::holds_alternative<game::DealOver>(e);
        } else if (const auto* err = std::get_if<net::Error>(&m)) {
            run.error("server: " + std::string(net::code_name(err->code)) + " " + err->field + " " + err->message);
        }
        decide();
    }

    void table_told(const net::TableInfo& info) {
        TableRun& t = mine();
        if (!sat) {
            sat = true;
            send(net::Sit{static_cast<game::Seat>(seat)});
            if (seat == 0 && t.code.empty()) {
                t.code = info.code;
                for (int s = 1; s < game::kSeats; ++s) t.bots[static_cast<std::size_t>(s)]->start();
            }
            return;
        }
        const bool full = std::all_of(info.seats.begin(), info.seats.end(),
                                      [](const net::SeatEntry& e) { return e.who == net::Occupant::human; });
        if (seat == 0 && full && !start_sent) {
            start_sent = true;
            send(net::Start{});
            t.started = true;
            run.table_started();
        }
    }

    void decide() {
        if (waiting || run.over) return;
        if (!net::bot_decision(mirror, rng)) return;
        if (run.options.rate <= 0) return send_decision();
        waiting = true;
        delay.expires_after(std::chrono::microseconds(static_cast<long>(1e6 / run.options.rate)));
        delay.async_wait([self = shared_from_this()](beast::error_code ec) {
            self->waiting = false;
            if (!ec) self->send_decision();
        });
    }
    void send_decision() {
        const std::optional<net::Decide> d = net::bot_decision(mirror, rng);
        if (!d || run.over) return;
        if (run.measuring) ++run.decisions;
        sent_at = Clock::now();
        send(*d);
    }
};

// Tables are set up a few at a time, so that the server's backlog never overflows.
constexpr int kSettingUp = 16;

void Run::open_tables() {
    while (setting_up < kSettingUp && next_table < static_cast<int>(tables.size())) {
        const int t = next_table++;
        for (int s = 0; s < game::kSeats; ++s)
            tables[static_cast<std::size_t>(t)].bots[static_cast<std::size_t>(s)] = std::make_shared<Bot>(*this, t, s);
        ++setting_up;
        tables[static_cast<std::size_t>(t)].bots[0]->start();
    }
}

void Run::table_started() {
    --setting_up;
    ++started;
    if (started == static_cast<int>(tables.size())) {
        measuring = true;
        measure_from = Clock::now();
    }
    open_tables();
}

double percentile(std::vector<double>& v, double p) {
    if (v.empty()) return 0;
    const std::size_t i = std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())));
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(i), v.end());
    return v[i];
}

}  // namespace

LoadResult run_load(const LoadOptions& options) {
    Run run(options);
    run.tables.resize(static_cast<std::size_t>(options.tables));
    run.open_tables();
    // Setting up is bounded too: a minute, and a tenth of a second a table.
    const auto setup_limit = Clock::now() + std::chrono::seconds(60 + options.tables / 10);
    asio::steady_timer watch(run.io);
    std::function<void()> check = [&] {
        watch.expires_after(std::chrono::milliseconds(100));
        watch.async_wait([&](beast::error_code) {
            const auto now = Clock::now();
            const bool done =
                run.measuring ? now - run.measure_from >= std::chrono::seconds(options.seconds) : now > setup_limit;
            if (done) {
                if (!run.measuring) run.error("tables still setting up when the time ran out");
                run.over = true;
                run.io.stop();
                return;
            }
            check();
        });
    };
    check();
    run.io.run();
    LoadResult r;
    r.tables = run.started;
    r.connections = run.connections;
    r.decisions = run.decisions;
    r.errors = run.errors;
    r.deals = run.deals;
    r.p50_ms = percentile(run.latencies, 0.50);
    r.p99_ms = percentile(run.latencies, 0.99);
    const double seconds = run.measuring ? std::chrono::duration<double>(Clock::now() - run.measure_from).count() : 0;
    r.deals_per_s = seconds > 0 ? static_cast<double>(run.deals) / seconds : 0;
    return r;
}

}  // namespace tav::load
