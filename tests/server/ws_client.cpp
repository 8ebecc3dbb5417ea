#include "tests/server/ws_client.h"
#include "tests/server/io_wait.h"

#include <boost/asio.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>
#include <variant>

namespace tav::test {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;

using Plain = websocket::stream<beast::tcp_stream>;
using Tls = websocket::stream<beast::ssl_stream<beast::tcp_stream>>;

struct WsClient::Impl {
    asio::io_context io;
    asio::ssl::context ctx{asio::ssl::context::tls_client};
    std::unique_ptr<Plain> plain;
    std::unique_ptr<Tls> tls;
    beast::flat_buffer buffer;
    bool open = false, reading = false, read_done = false;
    beast::error_code read_ec;
    std::optional<int> code;

    bool wait(const bool& done, Ms timeout) {
        return run_until(io, done, timeout, [this] { close_socket(); });
    }
    void close_socket() {
        beast::error_code ignored;
        if (plain) beast::get_lowest_layer(*plain).socket().close(ignored);
        if (tls) beast::get_lowest_layer(*tls).socket().close(ignored);
        open = false;
    }
    template <class F>
    void with(F&& f) {
        if (plain) f(*plain);
        if (tls) f(*tls);
    }
};

WsClient::WsClient(unsigned short port, bool tls, Ms timeout, std::string target) : impl_(std::make_unique<Impl>()) {
    Impl& m = *impl_;
    m.ctx.set_verify_mode(asio::ssl::verify_none);
    const tcp::endpoint to(asio::ip::make_address("127.0.0.1"), port);
    if (tls)
        m.tls = std::make_unique<Tls>(m.io, m.ctx);
    else
        m.plain = std::make_unique<Plain>(m.io);
    bool done = false;
    beast::error_code result;
    m.with([&](auto& ws) {
        beast::get_lowest_layer(ws).async_connect(to, [&](beast::error_code ec) {
            if (ec) {
                result = ec;
                done = true;
                return;
            }
            beast::get_lowest_layer(ws).socket().set_option(tcp::no_delay(true));
            auto websocket_handshake = [&] {
                ws.async_handshake("127.0.0.1", target, [&](beast::error_code e) {
                    result = e;
                    done = true;
                });
            };
            if constexpr (std::is_same_v<std::decay_t<decltype(ws)>, Tls>) {
                ws.next_layer().async_handshake(asio::ssl::stream_base::client,
                                                [&, websocket_handshake](beast::error_code e) {
                                                    if (e) {
                                                        result = e;
                                                        done = true;
                                                    } else {
                                                        websocket_handshake();
                                                    }
                                                });
            } else {
                websocket_handshake();
            }
        });
    });
    m.open = m.wait(done, timeout) && !result;
}

WsClient::~WsClient() { impl_->close_socket(); }

bool WsClient::ok() const { return impl_->open; }

bool WsClient::send(const std::string& text, bool binary) {
    Impl& m = *impl_;
    if (!m.open) return false;
    bool done = false;
    beast::error_code result;
    m.with([&](auto& ws) {
        ws.binary(binary);
        ws.async_write(asio::buffer(text), [&](beast::error_code ec, std::size_t) {
            result = ec;
            done = true;
        });
    });
    if (!m.wait(done, Ms(5000)) || result) m.open = false;
    return m.open;
}

std::optional<std::string> WsClient::receive(Ms timeout) {
    Impl& m = *impl_;
    if (!m.open) return std::nullopt;
    // A read not finished in time stays pending for the next call: a
    // websocket read cannot be cancelled without losing the connection.
    if (!m.reading) {
        m.reading = true;
        m.read_done = false;
        m.buffer.clear();
        m.with([&](auto& ws) {
            ws.async_read(m.buffer, [&m](beast::error_code ec, std::size_t) {
                m.read_ec = ec;
                m.read_done = true;
            });
        });
    }
    m.io.restart();
    const auto until = std::chrono::steady_clock::now() + timeout;
    if (timeout.count() == 0) m.io.poll();
    while (!m.read_done && std::chrono::steady_clock::now() < until) m.io.run_one_until(until);
    if (!m.read_done) return std::nullopt;
    m.reading = false;
    m.read_done = false;
    if (m.read_ec) {
        if (m.read_ec == websocket::error::closed) m.with([&](auto& ws) { m.code = ws.reason().code; });
        m.close_socket();
        return std::nullopt;
    }
    return beast::buffers_to_string(m.buffer.data());
}

std::optional<int> WsClient::close_code() const { return impl_->code; }

void WsClient::drop() { impl_->close_socket(); }

}  // namespace tav::test
