#include <gtest/gtest.h>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>

#include "tests/ui/window_support.h"
#include "ui/net_host.h"
#include "ui/page_server.h"

namespace tav::ui {
namespace {

// The status line of an answer: "HTTP/1.1 200 OK" gives 200.
int status_of(const QByteArray& answer) { return answer.mid(9, 3).toInt(); }

TEST(PageServer, EachRequestHeadGetsItsAnswerAndTheConnectionCloses) {
    struct Case {
        const char* head;
        int status;
        const char* has;  // a line the answer must hold
    };
    const Case cases[] = {
        {"GET / HTTP/1.1\r\nHost: x", 200, "Content-Security-Policy: default-src 'none'; script-src 'self'"},
        {"GET /index.html?code=K7QXM4TB9C HTTP/1.1\r\nAccept-Encoding: gzip", 200, "Content-Encoding: gzip"},
        {"HEAD / HTTP/1.1", 200, "Content-Type: text/html"},
        {"GET /js/main.js HTTP/1.0", 200, "X-Content-Type-Options: nosniff"},
        {"GET /cards/h2.svg HTTP/1.1", 200, "Content-Type: image/svg+xml"},
        {"GET /../CMakeLists.txt HTTP/1.1", 404, "Connection: close"},
        {"POST / HTTP/1.1\r\nContent-Length: 0", 405, "Allow: GET, HEAD"},
        {"GET / HTTP/1.1\r\nContent-Length: 5", 413, "Connection: close"},
        {"GET / HTTP/1.1\r\nTransfer-Encoding: chunked", 413, "Connection: close"},
        {"GET /", 400, "Connection: close"},
        {"\x16\x03\x01 binary", 400, "Connection: close"},
    };
    for (const Case& c : cases) {
        const QByteArray answer = page_response(c.head);
        EXPECT_EQ(status_of(answer), c.status) << c.head;
        EXPECT_TRUE(answer.contains(c.has)) << c.head << "\n" << answer.left(400).toStdString();
    }
    // HEAD names the length a GET would get and sends no body.
    const QByteArray head = page_response("HEAD / HTTP/1.1"), get = page_response("GET / HTTP/1.1");
    EXPECT_TRUE(head.endsWith("\r\n\r\n"));
    EXPECT_EQ(get.size() - get.indexOf("\r\n\r\n") - 4,
              head.mid(head.indexOf("Content-Length: ") + 16).split('\r').first().toInt());
}

// The table hosted in the program serves the page on its own port, and a
// WebSocket on that port still reaches the table.
TEST(PageServer, TheHostsPortServesThePageAndTheTable) {
    NetHost host;
    ASSERT_TRUE(host.listen(QHostAddress(QHostAddress::LocalHost), 0));
    QTcpSocket page;
    page.connectToHost(QHostAddress::LocalHost, host.port());
    ASSERT_TRUE(page.waitForConnected(5000));
    page.write("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray answer;
    WAIT_UNTIL((answer += page.readAll(),
                page.state() == QAbstractSocket::UnconnectedState || answer.contains("</html>")),
               5000);
    EXPECT_EQ(status_of(answer), 200);
    EXPECT_TRUE(answer.contains("js/main.js"));

    // A head that never ends is closed, not kept.
    QTcpSocket endless;
    endless.connectToHost(QHostAddress::LocalHost, host.port());
    ASSERT_TRUE(endless.waitForConnected(5000));
    endless.write("GET / HTTP/1.1\r\nX: " + QByteArray(9000, 'a'));
    WAIT_UNTIL((answer = endless.readAll(), !answer.isEmpty() || endless.state() == QAbstractSocket::UnconnectedState),
               5000);
    EXPECT_EQ(status_of(answer), 431);

    QWebSocket ws;
    ws.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(host.port())));
    QString said;
    QObject::connect(&ws, &QWebSocket::textMessageReceived, [&](const QString& t) { said = t; });
    WAIT_UNTIL(ws.state() == QAbstractSocket::ConnectedState, 5000);
    ws.sendTextMessage(R"({"type":"hello","protocol":1})");
    WAIT_UNTIL(said.contains("welcome"), 5000);
}

}  // namespace
}  // namespace tav::ui
