// The page over real sockets on 127.0.0.1, plain and TLS: the port of the
// table's WebSocket also answers a browser's requests for the page's files,
// refuses a request it will not read and closes that connection, and still
// opens the table's WebSocket from any path, even after a page's request.
#include <gtest/gtest.h>

#include <thread>

#include "net/lobby.h"
#include "net/protocol.h"
#include "server/lobby_service.h"
#include "server/transport.h"
#include "tests/net/net_support.h"
#include "tests/server/certificate.h"
#include "tests/server/http_client.h"
#include "tests/server/in_process.h"
#include "tests/server/ws_client.h"
#include "web/assets.h"

namespace tav::test {
namespace {

using Ms = std::chrono::milliseconds;

// The transport's options for a page server, plain or TLS.
server::TransportOptions page_options(bool tls) {
    server::TransportOptions o = InProcessServer::fast();
    o.handshake_timeout = std::chrono::seconds(1);
    if (tls) {
        o.tls_cert = ::testing::TempDir() + "tav_page_cert.pem";
        o.tls_key = ::testing::TempDir() + "tav_page_key.pem";
        EXPECT_TRUE(make_self_signed(o.tls_cert, o.tls_key));
    }
    return o;
}

std::string request(const std::string& method, const std::string& target, const std::string& more = "") {
    return method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + more + "\r\n";
}

// A hello answered with a welcome, over a WebSocket to `target`.
bool welcomed(unsigned short port, bool tls, const std::string& target) {
    WsClient ws(port, tls, Ms(5000), target);
    if (!ws.ok() || !ws.send(net::encode(net::ClientMessage{net::Hello{}}))) return false;
    const std::optional<std::string> frame = ws.receive();
    if (!frame) return false;
    const auto decoded = net::decode_server(*frame);
    return decoded.ok() && std::holds_alternative<net::Welcome>(*decoded.message);
}

constexpr bool kBoth[] = {false, true};

TEST(ServedPage, OneConnectionGetsThePageInEachFormAndItsRefusals) {
    const web::detail::Asset* built = web::detail::find_asset("/index.html");
    ASSERT_NE(built, nullptr);
    const web::detail::Asset& index = *built;
    const std::string raw(index.raw);
    enum class Body { raw, gzip, none, text };
    struct Step {
        const char* what;
        std::string request;
        int status;
        Body body;
        bool head = false;
    };
    const std::vector<Step> steps = {
        {"the page", request("GET", "/"), 200, Body::raw},
        {"compressed", request("GET", "/index.html?v=2", "Accept-Encoding: gzip, deflate, br\r\n"), 200, Body::gzip},
        {"HEAD", request("HEAD", "/"), 200, Body::none, true},
        {"the file it has", request("GET", "/", "If-None-Match: " + std::string(index.etag) + "\r\n"), 304, Body::none},
        {"no such file", request("GET", "/nope"), 404, Body::text},
        {"out of the page's folder", request("GET", "/../CMakeLists.txt"), 404, Body::text},
        {"escaped dots", request("GET", "/%2e%2e/x"), 404, Body::text},
        {"a method not answered", request("POST", "/", "Content-Length: 0\r\n"), 405, Body::text},
        {"after them all, the page", request("GET", "/"), 200, Body::raw},
    };
    for (const bool tls : kBoth) {
        SCOPED_TRACE(tls ? "TLS" : "plain");
        InProcessServer server(net::LobbyOptions{}, page_options(tls), 7);
        HttpClient c(server.port, tls);
        ASSERT_TRUE(c.ok());
        for (const Step& s : steps) {
            SCOPED_TRACE(s.what);
            ASSERT_TRUE(c.send(s.request));
            const auto r = c.receive(s.head);
            ASSERT_TRUE(r);
            EXPECT_EQ(r->status, s.status);
            EXPECT_EQ((*r)["content-security-policy"].rfind("default-src 'none'; script-src 'self';", 0), 0u);
            EXPECT_EQ((*r)["x-content-type-options"], "nosniff");
            EXPECT_EQ((*r)["connection"], "");  // kept open
            EXPECT_EQ((*r)["allow"], s.status == 405 ? "GET, HEAD" : "");
            if (s.status == 200 || s.status == 304) {
                EXPECT_EQ((*r)["etag"], s.body == Body::gzip ? index.gzip_etag : index.etag);
                EXPECT_EQ((*r)["cache-control"], "no-cache");
                EXPECT_EQ((*r)["vary"], "Accept-Encoding");
            }
            if (s.status == 200) {
                EXPECT_EQ((*r)["content-type"], "text/html; charset=utf-8");
            }
            EXPECT_EQ((*r)["content-encoding"], s.body == Body::gzip ? "gzip" : "");
            switch (s.body) {
                case Body::raw: EXPECT_EQ(r->body, raw); break;
                case Body::gzip:
                    ASSERT_GE(r->body.size(), 2u);
                    EXPECT_EQ(r->body.substr(0, 2), "\x1f\x8b");
                    EXPECT_NE(r->body, raw);
                    EXPECT_EQ(gunzip(r->body), raw);
                    break;
                case Body::none: EXPECT_EQ(r->body, ""); break;
                case Body::text:
                    EXPECT_EQ((*r)["content-type"], "text/plain; charset=utf-8");
                    EXPECT_NE(r->body, "");
                    break;
            }
            // A HEAD says how long the page is; a 304 sends no length.
            if (s.status == 304) {
                EXPECT_EQ((*r)["content-length"], "");
            } else {
                EXPECT_EQ((*r)["content-length"], std::to_string(s.head ? raw.size() : r->body.size()));
            }
        }
        // Two requests written at once are answered in order.
        ASSERT_TRUE(c.send(request("GET", "/app.css") + request("GET", "/js/main.js")));
        const auto css = c.receive(), js = c.receive();
        ASSERT_TRUE(css && js);
        EXPECT_EQ((*css)["content-type"], "text/css; charset=utf-8");
        EXPECT_EQ((*js)["content-type"], "text/javascript; charset=utf-8");
        // Asked to close: answered, then closed.
        ASSERT_TRUE(c.send(request("GET", "/", "Connection: close\r\n")));
        const auto last = c.receive();
        ASSERT_TRUE(last);
        EXPECT_EQ(last->status, 200);
        EXPECT_EQ((*last)["connection"], "close");
        EXPECT_TRUE(c.closed());
    }
}

TEST(ServedPage, ARequestNotReadToItsEndIsRefusedAndItsConnectionClosed) {
    struct Case {
        const char* what;
        std::string bytes;
        int status;
    };
    const std::vector<Case> cases = {
        {"a body", "POST / HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 4\r\n\r\nabcd", 413},
        {"a GET with a body", request("GET", "/", "Content-Length: 10\r\n") + "0123456789", 413},
        {"a chunked body", request("PUT", "/x", "Transfer-Encoding: chunked\r\n") + "4\r\nabcd\r\n0\r\n\r\n", 413},
        // Sent whole before the answer is read: the server reads it all away.
        {"a large body", request("POST", "/", "Content-Length: 1048576\r\n") + std::string(1 << 20, 'b'), 413},
        {"a header past 8 KiB", request("GET", "/", "X-Long: " + std::string(9000, 'x') + "\r\n"), 431},
        {"not HTTP", "HELLO THERE\r\n\r\n", 400},
        {"a header line without a colon", "GET / HTTP/1.1\r\nHost 127.0.0.1\r\n\r\n", 400},
    };
    for (const bool tls : kBoth) {
        SCOPED_TRACE(tls ? "TLS" : "plain");
        InProcessServer server(net::LobbyOptions{}, page_options(tls), 7);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            HttpClient client(server.port, tls);
            ASSERT_TRUE(client.ok());
            ASSERT_TRUE(client.send(c.bytes));
            const auto r = client.receive();
            ASSERT_TRUE(r);
            EXPECT_EQ(r->status, c.status);
            EXPECT_EQ((*r)["connection"], "close");
            EXPECT_EQ((*r)["content-type"], "text/plain; charset=utf-8");
            EXPECT_EQ((*r)["x-content-type-options"], "nosniff");
            EXPECT_NE((*r)["content-security-policy"], "");
            EXPECT_TRUE(client.closed());
        }
        HttpClient after(server.port, tls);
        ASSERT_TRUE(after.ok() && after.send(request("GET", "/")));
        const auto r = after.receive();
        ASSERT_TRUE(r);
        EXPECT_EQ(r->status, 200);
    }
}

TEST(ServedPage, AConnectionEndsAfterAHundredRequestsWhenIdleOrWhenHttp10) {
    for (const bool tls : kBoth) {
        SCOPED_TRACE(tls ? "TLS" : "plain");
        InProcessServer server(net::LobbyOptions{}, page_options(tls), 7);
        HttpClient c(server.port, tls);
        ASSERT_TRUE(c.ok());
        for (int i = 1; i <= 100; ++i) {
            ASSERT_TRUE(c.send(request("HEAD", "/app.css"))) << i;
            const auto r = c.receive(true);
            ASSERT_TRUE(r) << i;
            ASSERT_EQ((*r)["connection"], i < 100 ? "" : "close") << i;
        }
        EXPECT_TRUE(c.closed());

        // Nothing more asked within the handshake time (a second here).
        HttpClient idle(server.port, tls);
        ASSERT_TRUE(idle.ok() && idle.send(request("GET", "/")));
        ASSERT_TRUE(idle.receive());
        EXPECT_TRUE(idle.closed(Ms(4000)));

        // HTTP/1.0 closes unless asked to keep the connection.
        HttpClient old(server.port, tls);
        ASSERT_TRUE(old.ok() && old.send("GET / HTTP/1.0\r\n\r\n"));
        const auto once = old.receive();
        ASSERT_TRUE(once);
        EXPECT_EQ(once->status, 200);
        EXPECT_TRUE(old.closed(Ms(500)));
        HttpClient kept(server.port, tls);
        ASSERT_TRUE(kept.ok() && kept.send("GET / HTTP/1.0\r\nConnection: keep-alive\r\n\r\n"));
        const auto first = kept.receive();
        ASSERT_TRUE(first);
        EXPECT_EQ((*first)["connection"], "keep-alive");
        ASSERT_TRUE(kept.send("GET /app.css HTTP/1.0\r\n\r\n"));
        EXPECT_TRUE(kept.receive());
    }
}

TEST(ServedPage, TheTablesWebSocketStillOpensOnTheSamePortFromAnyPath) {
    for (const bool tls : kBoth) {
        SCOPED_TRACE(tls ? "TLS" : "plain");
        InProcessServer server(net::LobbyOptions{}, page_options(tls), 7);
        EXPECT_TRUE(welcomed(server.port, tls, "/"));
        EXPECT_TRUE(welcomed(server.port, tls, "/play?table=X"));
        // A page's request first, then the upgrade on the same connection.
        HttpClient c(server.port, tls);
        ASSERT_TRUE(c.ok() && c.send(request("GET", "/")));
        ASSERT_TRUE(c.receive());
        ASSERT_TRUE(c.send(request("GET", "/",
                                   "Connection: Upgrade\r\nUpgrade: websocket\r\nSec-WebSocket-Version: 13\r\n"
                                   "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n")));
        const auto switched = c.receive();
        ASSERT_TRUE(switched);
        EXPECT_EQ(switched->status, 101);
        EXPECT_EQ((*switched)["sec-websocket-accept"], "s3pPLMBiTxaQ9kYGzzhZRbK+xOo=");
        // A broken upgrade is Beast's to refuse; the server goes on.
        HttpClient broken(server.port, tls);
        ASSERT_TRUE(broken.ok() && broken.send(request("GET", "/", "Connection: Upgrade\r\nUpgrade: websocket\r\n")));
        const auto refused = broken.receive();
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->status, 400);
        EXPECT_TRUE(welcomed(server.port, tls, "/"));
    }
}

}  // namespace
}  // namespace tav::test
