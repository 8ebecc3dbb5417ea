#include "tests/server/http_client.h"
#include "tests/server/io_wait.h"

#include <boost/asio.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/zlib.hpp>
#include <cctype>
#include <cstdint>

namespace tav::test {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

struct HttpClient::Impl {
    asio::io_context io;
    asio::ssl::context ctx{asio::ssl::context::tls_client};
    std::unique_ptr<beast::tcp_stream> plain;
    std::unique_ptr<beast::ssl_stream<beast::tcp_stream>> tls;
    beast::flat_buffer buffer;
    bool open = false;

    bool wait(const bool& done, Ms timeout) {
        return run_until(io, done, timeout, [this] { close_socket(); });
    }
    void close_socket() {
        beast::error_code ignored;
        if (plain) plain->socket().close(ignored);
        if (tls) beast::get_lowest_layer(*tls).socket().close(ignored);
        open = false;
    }
    template <class F>
    void with(F&& f) {
        if (plain) f(*plain);
        if (tls) f(*tls);
    }
};

std::string HttpClient::Response::operator[](const std::string& lower_case_name) const {
    const auto it = headers.find(lower_case_name);
    return it == headers.end() ? std::string() : it->second;
}

HttpClient::HttpClient(unsigned short port, bool tls, Ms timeout) : impl_(std::make_unique<Impl>()) {
    Impl& m = *impl_;
    m.ctx.set_verify_mode(asio::ssl::verify_none);
    if (tls)
        m.tls = std::make_unique<beast::ssl_stream<beast::tcp_stream>>(m.io, m.ctx);
    else
        m.plain = std::make_unique<beast::tcp_stream>(m.io);
    bool done = false;
    beast::error_code result;
    beast::tcp_stream& lowest = tls ? beast::get_lowest_layer(*m.tls) : *m.plain;
    lowest.async_connect(tcp::endpoint(asio::ip::make_address("127.0.0.1"), port), [&](beast::error_code ec) {
        if (ec || !m.tls) {
            result = ec;
            done = true;
            return;
        }
        m.tls->async_handshake(asio::ssl::stream_base::client, [&](beast::error_code e) {
            result = e;
            done = true;
        });
    });
    m.open = m.wait(done, timeout) && !result;
}

HttpClient::~HttpClient() { impl_->close_socket(); }

bool HttpClient::ok() const { return impl_->open; }

bool HttpClient::send(const std::string& bytes) {
    Impl& m = *impl_;
    if (!m.open) return false;
    bool done = false;
    beast::error_code result;
    m.with([&](auto& stream) {
        asio::async_write(stream, asio::buffer(bytes), [&](beast::error_code ec, std::size_t) {
            result = ec;
            done = true;
        });
    });
    if (!m.wait(done, Ms(5000)) || result) m.open = false;
    return m.open;
}

std::optional<HttpClient::Response> HttpClient::receive(bool head, Ms timeout) {
    Impl& m = *impl_;
    if (!m.open) return std::nullopt;
    http::response_parser<http::string_body> parser;
    parser.skip(head);
    bool done = false;
    beast::error_code result;
    m.with([&](auto& stream) {
        http::async_read(stream, m.buffer, parser, [&](beast::error_code ec, std::size_t) {
            result = ec;
            done = true;
        });
    });
    if (!m.wait(done, timeout) || result) {
        m.close_socket();
        return std::nullopt;
    }
    Response r;
    const auto& message = parser.get();
    r.status = static_cast<int>(message.result_int());
    for (const auto& field : message) {
        std::string name(field.name_string());
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::string& value = r.headers[name];
        value += (value.empty() ? "" : ", ") + std::string(field.value());
    }
    r.body = message.body();
    return r;
}

bool HttpClient::closed(Ms timeout) {
    Impl& m = *impl_;
    if (!m.open) return true;
    if (m.buffer.size() > 0) return false;  // bytes already came after the last answer
    bool done = false;
    beast::error_code result;
    m.with([&](auto& stream) {
        stream.async_read_some(m.buffer.prepare(1024), [&](beast::error_code ec, std::size_t n) {
            m.buffer.commit(n);
            result = ec;
            done = true;
        });
    });
    const bool ended = m.wait(done, timeout) && result;
    if (ended) m.close_socket();
    return ended;
}

std::optional<std::string> gunzip(std::string_view gzip) {
    // Magic, deflate, no flags (so no name or comment to skip); then the
    // deflate stream, then its CRC-32 (not checked: the tests compare the
    // content whole) and its length.
    if (gzip.size() < 18 || gzip.substr(0, 4) != std::string_view("\x1f\x8b\x08\x00", 4)) return std::nullopt;
    beast::zlib::inflate_stream inflate;
    beast::zlib::z_params z;
    z.next_in = gzip.data() + 10;
    z.avail_in = gzip.size() - 18;
    std::string out;
    for (;;) {
        char chunk[4096];
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        beast::error_code ec;
        inflate.write(z, beast::zlib::Flush::sync, ec);
        out.append(chunk, sizeof chunk - z.avail_out);
        if (ec == beast::zlib::error::end_of_stream) {
            const auto* size = reinterpret_cast<const unsigned char*>(gzip.data() + gzip.size() - 4);
            const std::uint32_t length = size[0] | size[1] << 8 | size[2] << 16 | std::uint32_t{size[3]} << 24;
            if (z.avail_in != 0 || length != static_cast<std::uint32_t>(out.size())) return std::nullopt;
            return out;
        }
        if (ec && ec != beast::zlib::error::need_buffers) return std::nullopt;
        if (z.avail_in == 0 && z.avail_out != 0) return std::nullopt;  // the stream stopped short
    }
}

}  // namespace tav::test
