// One connection to a table's server over a WebSocket: the protocol's
// messages out, each text frame received decoded and handed on. It never
// waits: connecting, sending and closing all go through the event loop.
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QWebSocket>

#include "net/protocol.h"

namespace tav::ui {

class NetClient : public QObject {
    Q_OBJECT
public:
    explicit NetClient(QObject* parent = nullptr);
    ~NetClient() override;

    // Connects to a ws:// or wss:// address and says hello once open. False,
    // nothing started, for another scheme or while a connection is open.
    bool open(const QUrl& url);
    // Sends one message; false when not connected (nothing is queued).
    bool send(const net::ClientMessage& m);
    // Says goodbye and closes; `closed` follows from the event loop.
    void close();
    // Ends the connection at once, with no goodbye, as a broken network does.
    void drop() { socket_.abort(); }
    // Why the server ended the connection last (normal also when the
    // connection was lost).
    QWebSocketProtocol::CloseCode close_code() const { return socket_.closeCode(); }
    bool connected() const { return welcomed_; }

    // "ws://host:port" from what a player types: a bare "host" or
    // "host:port" gets ws:// and the usual port; an empty or malformed
    // address gives an invalid URL.
    static QUrl address_url(const QString& typed, int default_port);

signals:
    void welcomed();  // the server answered hello
    void received(const net::ServerMessage& m);
    // The connection failed or a frame could not be read; `why` is for the
    // player (Chinese, shown through the translation).
    void failed(const QString& why);
    void closed();

private:
    void frame(const QString& text);
    QWebSocket socket_;
    bool open_ = false;      // between open() and closed
    bool welcomed_ = false;  // hello answered
};

}  // namespace tav::ui
