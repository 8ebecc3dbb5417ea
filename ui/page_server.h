// The browser page served by the table hosted in the program, on the same
// port as its WebSocket: each connection's request is looked at before it is
// read; a WebSocket upgrade goes on to the WebSocket server untouched, any
// other request gets the page's file and the connection is closed.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;
class QWebSocketServer;

namespace tav::ui {

// The bytes of the answer to one HTTP request head (request line and
// headers, up to the blank line); the connection closes after it.
QByteArray page_response(const QByteArray& head);

class PageServer : public QObject {
    Q_OBJECT
public:
    // Hands WebSocket connections to `websockets`, which does not listen itself.
    PageServer(QWebSocketServer& websockets, QObject* parent = nullptr);
    QTcpServer& tcp() { return tcp_; }
    const QTcpServer& tcp() const { return tcp_; }

private:
    void accept();
    void look(QTcpSocket* socket);

    QWebSocketServer& websockets_;
    QTcpServer tcp_;
};

}  // namespace tav::ui
