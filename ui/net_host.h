// A table hosted in the program, for friends on the same network: a
// WebSocket server on a port of this machine (which also serves the browser
// page, so a friend without the program plays in a browser), driving one lobby in the event
// loop. The lobby does the table's work; this only carries frames between
// it and the sockets, and lets time pass for it. Nothing is journalled: a
// table hosted here lives as long as the program does.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QWebSocketServer>
#include <memory>

#include "net/lobby.h"
#include "ui/page_server.h"

class QWebSocket;

namespace tav::ui {

class NetHost : public QObject {
    Q_OBJECT
public:
    explicit NetHost(QObject* parent = nullptr);
    ~NetHost() override;

    // Listens on `address` (every interface by default, so friends on the
    // network can come) at `port` (0: one the system picks). False, with
    // the reason in `error()`, when the port cannot be had.
    bool listen(const QHostAddress& address = QHostAddress::Any, quint16 port = 0);
    quint16 port() const;
    QString error() const { return page_.tcp().errorString(); }
    // The addresses friends can type, "ws://192.168.1.20:47000" (loopback
    // only when this machine has no other).
    QStringList addresses() const;
    // Closes every connection and stops listening.
    void stop();

    std::size_t connections() const { return lobby_ ? lobby_->connections() : 0; }

private:
    void accept();
    void carry(const net::Sent& sent);
    net::Time now() const;

    QWebSocketServer server_;  // handshakes only: the page server listens and hands them over
    PageServer page_;
    std::unique_ptr<net::Lobby> lobby_;
    QHash<net::Connection, QWebSocket*> sockets_;
    QTimer ticker_;
    QElapsedTimer clock_;
};

}  // namespace tav::ui
