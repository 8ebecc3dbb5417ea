#include "server/transport.h"

#include <boost/asio.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>
#include <condition_variable>
#include <csignal>
#include <deque>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <type_traits>
#include <unordered_map>
#include <utility>

#include "web/site.h"

namespace tav::server {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;

net::Time wall_clock() {
    return std::chrono::duration_cast<net::Time>(std::chrono::system_clock::now().time_since_epoch());
}

namespace {

// A connection as the transport holds it, whatever its stream.
class Link {
public:
    virtual ~Link() = default;
    virtual void send(std::string text) = 0;
    // Closes with `code` once the frames queued before are written.
    virtual void close(int code) = 0;
    // Drops the connection at once (the server stops).
    virtual void shut() = 0;
};

std::string endpoint_text(const tcp::endpoint& e) {
    const std::string address = e.address().to_string();
    const std::string port = std::to_string(e.port());
    return e.address().is_v6() ? "[" + address + "]:" + port : address + ":" + port;
}

using Request = http::request<http::empty_body>;
using Response = http::response<http::span_body<const char>>;

// A header named more than once, as one comma-separated list.
std::string joined(const Request& request, http::field name) {
    std::string all;
    for (auto [it, end] = request.equal_range(name); it != end; ++it) {
        if (!all.empty()) all += ", ";
        all += it->value();
    }
    return all;
}

// Beast's HTTP message from the page's answer: its bytes are not copied.
void fill(Response& response, const web::Reply& r, bool keep_alive) {
    response.result(static_cast<unsigned>(r.status));
    if (!r.content_type.empty()) response.set(http::field::content_type, r.content_type);
    if (r.gzip) response.set(http::field::content_encoding, "gzip");
    for (const auto& [name, value] : r.headers) response.insert(name, value);
    if (r.status != 304) response.content_length(r.content_length);
    response.body() = {r.body.data(), r.body.size()};
    response.keep_alive(keep_alive);
}

}  // namespace

struct Transport::Impl {
    Impl(TransportOptions o, Service& s, Keeper* k, Log l)
        : options(std::move(o)), service(s), keeper(k), log(std::move(l)) {}

    TransportOptions options;
    Service& service;
    Keeper* keeper;
    Log log;
    asio::io_context io{1};
    tcp::acceptor acceptor{io};
    std::optional<asio::ssl::context> tls;
    asio::steady_timer ticker{io};
    asio::steady_timer accept_pause{io};
    asio::signal_set signals{io};
    std::unordered_map<net::Connection, std::shared_ptr<Link>> links;
    std::vector<net::Sent> pending;   // answers not yet kept and sent
    std::vector<std::string> closed;  // tables closed whose journals are not yet forgotten
    bool flush_posted = false, failed = false, stopping = false;

    // What one commit keeps, and what is sent once it is kept.
    struct Batch {
        std::vector<net::Sent> sents;
        std::vector<std::string> forgotten;
        std::size_t opened = 0;  // tables made
    };
    // The journal's own thread: one commit at a time, and everything that
    // arrives meanwhile grouped into the next, so that this thread never
    // waits on the disk. It touches nothing but the keeper.
    Batch committing_batch;
    bool committing = false;
    std::thread writer;
    std::mutex writer_mutex;
    std::condition_variable writer_wakes;
    std::optional<std::pair<std::vector<net::JournalEntry>, std::vector<std::string>>> writer_job;
    bool writer_quits = false;

    void accept();
    void schedule_tick();
    // An answer of the service: kept and sent in the next flush.
    void answer(net::Sent sent);
    // Tables the service closed: forgotten in the next flush, even a quiet one.
    void closed_tables();
    void post_flush();
    void flush();
    Batch take_batch();
    void start_commit();
    void committed(const std::string& error);
    void deliver(Batch& batch);
    void write_journal();
    void shutdown();
    void finish();
    // Runs a handler's body: nothing it throws reaches Asio.
    template <class F>
    void guarded(std::string_view where, F&& f) {
        try {
            f();
        } catch (const std::exception& e) {
            log(std::string("error in ") + std::string(where) + ": " + e.what());
        } catch (...) {
            log(std::string("error in ") + std::string(where));
        }
    }
};

namespace {

template <class Stream>
class Session final : public Link, public std::enable_shared_from_this<Session<Stream>> {
public:
    static constexpr bool kTls = !std::is_same_v<Stream, beast::tcp_stream>;

    template <class... Args>
    explicit Session(Transport::Impl& t, Args&&... args) : t_(t), ws_(std::forward<Args>(args)...) {}

    void start() {
        if constexpr (kTls) {
            beast::get_lowest_layer(ws_).expires_after(t_.options.handshake_timeout);
            ws_.next_layer().async_handshake(asio::ssl::stream_base::server,
                                             [self = this->shared_from_this()](beast::error_code ec) {
                                                 if (!ec) self->read_request();
                                             });
        } else {
            read_request();
        }
    }

    void send(std::string text) override {
        if (dead_ || close_code_) return;
        queued_ += text.size();
        if (queued_ > t_.options.most_queued_bytes) {
            t_.log("closing a connection that does not read its frames");
            shut();
            return;
        }
        queue_.push_back(std::move(text));
        if (!writing_) write_next();
    }

    void close(int code) override {
        if (dead_ || close_code_) return;
        close_code_ = code;
        if (!writing_) write_next();
    }

    void shut() override {
        dead_ = true;
        beast::error_code ignored;
        beast::get_lowest_layer(ws_).socket().close(ignored);
    }

private:
    // The most requests one connection may make before it is closed, and
    // the longest header read: a page's files need no more.
    static constexpr int kMostRequests = 100;
    static constexpr std::uint32_t kHeaderLimit = 8 * 1024;

    // Every connection opens with an HTTP request: a WebSocket's opening
    // handshake, or a request for one of the page's files (and then perhaps
    // more on the same connection, each within the handshake time).
    void read_request() {
        beast::get_lowest_layer(ws_).expires_after(t_.options.handshake_timeout);
        request_.emplace();
        request_->header_limit(kHeaderLimit);
        request_->body_limit(0);
        http::async_read(ws_.next_layer(), buffer_, *request_,
                         [self = this->shared_from_this()](beast::error_code ec, std::size_t) {
                             self->got_request(ec);
                         });
    }

    void got_request(beast::error_code ec) {
        if (t_.stopping) return;
        if (ec == http::error::end_of_stream) {  // closed between requests
            close_http();
            return;
        }
        if (ec) {
            // Not read to its end: refused, and the connection closed. A
            // timeout or a reset has nobody to answer.
            if (ec == http::error::body_limit || ec == http::error::unexpected_body)
                respond(web::refusal(413), false);
            else if (ec == http::error::header_limit)
                respond(web::refusal(431), false);
            else if (ec.category() == http::make_error_code(http::error::bad_target).category())  // any other
                respond(web::refusal(400), false);
            return;
        }
        const Request& request = request_->get();
        if (websocket::is_upgrade(request)) {
            accept_websocket(request);
            return;
        }
        const bool keep_alive = request.keep_alive() && ++requests_ < kMostRequests;
        respond(web::reply(request.method_string(), request.target(),
                           web::accepts_gzip(joined(request, http::field::accept_encoding)),
                           joined(request, http::field::if_none_match)),
                keep_alive);
    }

    void respond(const web::Reply& reply, bool keep_alive) {
        response_.emplace();
        response_->version(request_->get().version() == 10 ? 10 : 11);
        fill(*response_, reply, keep_alive);
        http::async_write(ws_.next_layer(), *response_,
                          [self = this->shared_from_this(), keep_alive](beast::error_code ec, std::size_t) {
                              self->response_.reset();
                              if (ec)
                                  self->shut();
                              else if (keep_alive)
                                  self->read_request();
                              else
                                  self->close_http();
                          });
    }

    // The end of an HTTP connection, within the handshake time: the client
    // is told (TLS's close_notify, or the socket's end), then what it still
    // sends is read and dropped until it closes too. Closing with bytes
    // unread would reset the connection, and the client could lose the
    // answer before reading it.
    void close_http() {
        auto& lowest = beast::get_lowest_layer(ws_);
        lowest.expires_after(t_.options.handshake_timeout);
        if constexpr (kTls) {
            // Its own close_notify ends it; anything else comes to the drain.
            ws_.next_layer().async_shutdown([self = this->shared_from_this()](beast::error_code ec) {
                if (ec)
                    self->drain();
                else
                    self->shut();
            });
        } else {
            beast::error_code ignored;
            lowest.socket().shutdown(tcp::socket::shutdown_send, ignored);
            drain();
        }
    }

    void drain() {
        auto done = [self = this->shared_from_this()](beast::error_code ec, std::size_t) {
            ec ? self->shut() : self->drain();
        };
        beast::get_lowest_layer(ws_).async_read_some(buffer_.prepare(4096), std::move(done));
    }

    void accept_websocket(const Request& request) {
        // Bytes read past the request are not a frame: a client waits for
        // the handshake's answer before it sends one.
        buffer_.consume(buffer_.size());
        beast::get_lowest_layer(ws_).expires_never();
        auto timeouts = websocket::stream_base::timeout::suggested(beast::role_type::server);
        timeouts.handshake_timeout = t_.options.handshake_timeout;
        timeouts.idle_timeout = t_.options.idle_timeout;
        timeouts.keep_alive_pings = true;
        ws_.set_option(timeouts);
        ws_.read_message_max(t_.options.read_limit);
        ws_.auto_fragment(false);
        ws_.async_accept(request, [self = this->shared_from_this()](beast::error_code ec) { self->accepted(ec); });
    }

    void accepted(beast::error_code ec) {
        if (ec || t_.stopping) return;
        t_.guarded("connect", [&] {
            id_ = t_.service.connect(wall_clock());
            if (id_) t_.links[*id_] = this->shared_from_this();
        });
        if (!id_) {
            // Full: refused as the protocol's "try again later".
            close_code_ = 1013;
            write_next();
        }
        read();
    }

    void read() {
        ws_.async_read(buffer_,
                       [self = this->shared_from_this()](beast::error_code ec, std::size_t) { self->got(ec); });
    }

    void got(beast::error_code ec) {
        if (ec) {
            gone();
            return;
        }
        // After the service asked to close, frames still read are not its business.
        if (id_ && !close_code_ && !dead_ && !t_.stopping) {
            const auto data = buffer_.cdata();
            const std::string_view text(static_cast<const char*>(data.data()), data.size());
            const bool binary = !ws_.got_text();
            t_.guarded("receive", [&] { t_.answer(t_.service.receive(*id_, text, binary, wall_clock())); });
        }
        buffer_.consume(buffer_.size());
        read();
    }

    // The read loop ended: the connection is gone, told to the service once.
    void gone() {
        dead_ = true;
        if (!id_) return;
        const net::Connection c = *std::exchange(id_, std::nullopt);
        t_.links.erase(c);
        if (!t_.stopping) t_.guarded("disconnect", [&] { t_.answer(t_.service.disconnect(c, wall_clock())); });
    }

    void write_next() {
        if (dead_) return;
        if (queue_.empty()) {
            if (close_code_ && !close_sent_) {
                close_sent_ = true;
                writing_ = true;
                ws_.async_close(websocket::close_reason(static_cast<std::uint16_t>(*close_code_)),
                                [self = this->shared_from_this()](beast::error_code) { self->writing_ = false; });
            }
            return;
        }
        writing_ = true;
        ws_.text(true);
        ws_.async_write(asio::buffer(queue_.front()),
                        [self = this->shared_from_this()](beast::error_code ec, std::size_t) { self->written(ec); });
    }

    void written(beast::error_code ec) {
        writing_ = false;
        if (ec) {
            shut();
            return;
        }
        queued_ -= queue_.front().size();
        queue_.pop_front();
        write_next();
    }

    Transport::Impl& t_;
    websocket::stream<Stream> ws_;
    beast::flat_buffer buffer_;
    std::deque<std::string> queue_;
    std::size_t queued_ = 0;
    std::optional<net::Connection> id_;
    std::optional<int> close_code_;
    bool writing_ = false, close_sent_ = false, dead_ = false;
    // The HTTP request being read, kept until its WebSocket is accepted;
    // the answer being written; how many were answered.
    std::optional<http::request_parser<http::empty_body>> request_;
    std::optional<Response> response_;
    int requests_ = 0;
};

using PlainSession = Session<beast::tcp_stream>;
using TlsSession = Session<beast::ssl_stream<beast::tcp_stream>>;

}  // namespace

void Transport::Impl::accept() {
    acceptor.async_accept([this](beast::error_code ec, tcp::socket socket) {
        if (stopping) return;
        if (ec) {
            // Out of open files, say: try again a little later rather than
            // spin on the same failure.
            log("accept failed: " + ec.message());
            accept_pause.expires_after(std::chrono::milliseconds(100));
            accept_pause.async_wait([this](beast::error_code e) {
                if (!e && !stopping) accept();
            });
            return;
        }
        guarded("accept", [&] {
            socket.set_option(tcp::no_delay(true));
            if (tls)
                std::make_shared<TlsSession>(*this, std::move(socket), *tls)->start();
            else
                std::make_shared<PlainSession>(*this, std::move(socket))->start();
        });
        accept();
    });
}

void Transport::Impl::schedule_tick() {
    ticker.expires_after(options.tick);
    ticker.async_wait([this](beast::error_code ec) {
        if (ec || stopping) return;
        guarded("tick", [&] {
            answer(service.tick(wall_clock()));
            closed_tables();
        });
        schedule_tick();
    });
}

void Transport::Impl::answer(net::Sent sent) {
    if (sent.journal.empty() && sent.frames.empty() && sent.closing.empty()) return;
    pending.push_back(std::move(sent));
    post_flush();
}

void Transport::Impl::closed_tables() {
    std::vector<std::string> codes = service.closed_tables();
    if (codes.empty()) return;
    closed.insert(closed.end(), codes.begin(), codes.end());
    post_flush();
}

void Transport::Impl::post_flush() {
    if (flush_posted) return;
    flush_posted = true;
    asio::post(io, [this] { flush(); });
}

void Transport::Impl::flush() {
    flush_posted = false;
    guarded("flush", [&] {
        std::vector<std::string> codes = service.closed_tables();
        closed.insert(closed.end(), codes.begin(), codes.end());
    });
    if (keeper == nullptr) {
        Batch batch = take_batch();
        deliver(batch);
    } else if (!committing && !failed) {
        start_commit();
    }
}

Transport::Impl::Batch Transport::Impl::take_batch() {
    Batch b;
    b.sents = std::exchange(pending, {});
    b.forgotten = std::exchange(closed, {});
    for (const net::Sent& s : b.sents)
        for (const net::JournalEntry& e : s.journal) b.opened += e.sequence == 0;
    return b;
}

void Transport::Impl::start_commit() {
    if (pending.empty() && closed.empty()) {
        if (stopping) finish();
        return;
    }
    committing_batch = take_batch();
    std::vector<net::JournalEntry> entries;
    for (net::Sent& s : committing_batch.sents)
        for (net::JournalEntry& e : s.journal) entries.push_back(std::move(e));
    committing = true;
    {
        std::lock_guard lock(writer_mutex);
        writer_job.emplace(std::move(entries), committing_batch.forgotten);
    }
    writer_wakes.notify_one();
}

void Transport::Impl::write_journal() {
    for (;;) {
        std::unique_lock lock(writer_mutex);
        writer_wakes.wait(lock, [this] { return writer_job.has_value() || writer_quits; });
        if (!writer_job) return;
        auto [entries, forgotten] = std::move(*writer_job);
        writer_job.reset();
        lock.unlock();
        std::string error;
        try {
            if (!entries.empty()) keeper->append(entries);
            for (const std::string& code : forgotten) keeper->forget(code);
            if (!entries.empty() || !forgotten.empty()) keeper->commit();
        } catch (const std::exception& e) {
            error = e.what();
            if (error.empty()) error = "unknown failure";
        }
        asio::post(io, [this, error] { committed(error); });
    }
}

void Transport::Impl::committed(const std::string& error) {
    committing = false;
    if (!error.empty()) {
        // Nothing may be sent that is not kept: the server stops.
        log("journal failed, stopping: " + error);
        failed = true;
        stopping = true;
        finish();
        return;
    }
    deliver(committing_batch);
    committing_batch = {};
    // What came in during the commit goes in the next one.
    start_commit();
}

void Transport::Impl::deliver(Batch& batch) {
    guarded("send", [&] {
        for (net::Sent& s : batch.sents) {
            for (net::Frame& f : s.frames)
                if (const auto it = links.find(f.to); it != links.end()) it->second->send(std::move(f.text));
            for (const net::Closing& c : s.closing)
                if (const auto it = links.find(c.connection); it != links.end()) it->second->close(c.code);
        }
    });
    // Tables are counted, never named in the log: a code lets anyone watch.
    if (batch.opened > 0 || !batch.forgotten.empty()) {
        const std::size_t now = service.tables();
        for (std::size_t i = 0; i < batch.opened; ++i) log("table opened (" + std::to_string(now) + " open)");
        for (std::size_t i = 0; i < batch.forgotten.size(); ++i) log("table closed (" + std::to_string(now) + " open)");
    }
}

void Transport::Impl::shutdown() {
    if (stopping) return;
    stopping = true;
    beast::error_code ignored;
    acceptor.close(ignored);
    ticker.cancel();
    accept_pause.cancel();
    signals.cancel();
    // What is pending is kept (and sent) before the end.
    if (keeper == nullptr) {
        Batch batch = take_batch();
        deliver(batch);
        finish();
    } else if (!committing) {
        start_commit();
    }
}

void Transport::Impl::finish() {
    for (auto& [c, link] : std::exchange(links, {})) link->shut();
    io.stop();
}

Transport::Transport(TransportOptions options, Service& service, Keeper* keeper, Log log)
    : impl_(std::make_unique<Impl>(std::move(options), service, keeper, std::move(log))) {}

Transport::~Transport() = default;

std::string Transport::listen() {
    Impl& t = *impl_;
    if (t.options.tls_cert.empty() != t.options.tls_key.empty())
        throw std::runtime_error("TLS needs both a certificate and a key");
    if (!t.options.tls_cert.empty()) {
        t.tls.emplace(asio::ssl::context::tls_server);
        t.tls->set_options(asio::ssl::context::default_workarounds | asio::ssl::context::no_sslv2 |
                           asio::ssl::context::no_sslv3 | asio::ssl::context::no_tlsv1 |
                           asio::ssl::context::no_tlsv1_1);
        try {
            t.tls->use_certificate_chain_file(t.options.tls_cert);
            t.tls->use_private_key_file(t.options.tls_key, asio::ssl::context::pem);
        } catch (const std::exception& e) {
            throw std::runtime_error("cannot read the TLS certificate or key: " + std::string(e.what()));
        }
    }
    beast::error_code ec;
    const asio::ip::address address = asio::ip::make_address(t.options.address, ec);
    if (ec) throw std::runtime_error("not an address: " + t.options.address);
    const tcp::endpoint endpoint(address, t.options.port);
    t.acceptor.open(endpoint.protocol(), ec);
    if (!ec) t.acceptor.set_option(asio::socket_base::reuse_address(true), ec);
    if (!ec) t.acceptor.bind(endpoint, ec);
    if (!ec) t.acceptor.listen(asio::socket_base::max_listen_connections, ec);
    if (ec) throw std::runtime_error("cannot listen on " + endpoint_text(endpoint) + ": " + ec.message());
    return endpoint_text(t.acceptor.local_endpoint());
}

bool Transport::run() {
    Impl& t = *impl_;
    if (t.options.stop_on_signals) {
        t.signals.add(SIGINT);
        t.signals.add(SIGTERM);
        t.signals.async_wait([&t](beast::error_code ec, int) {
            if (!ec) t.shutdown();
        });
    }
    if (t.keeper != nullptr) t.writer = std::thread([&t] { t.write_journal(); });
    t.accept();
    t.schedule_tick();
    t.io.run();
    if (t.writer.joinable()) {
        {
            std::lock_guard lock(t.writer_mutex);
            t.writer_quits = true;
        }
        t.writer_wakes.notify_one();
        t.writer.join();
    }
    return !t.failed;
}

void Transport::stop() {
    asio::post(impl_->io, [&t = *impl_] { t.shutdown(); });
}

}  // namespace tav::server
