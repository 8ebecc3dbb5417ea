#include "ui/net_host.h"

#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QWebSocket>
#include <string>

#include "net/protocol.h"

namespace tav::ui {
namespace {
constexpr int kTickMs = 250;  // the lobby wants time at least once a second
}  // namespace

NetHost::NetHost(QObject* parent)
    : QObject(parent), server_(QStringLiteral("tav"), QWebSocketServer::NonSecureMode), page_(server_) {
    server_.setParent(this);
    page_.setParent(this);
    clock_.start();
    net::LobbyOptions options;
    options.most_tables = 1;  // the host's own; others join it
    options.most_connections = 64;
    // Codes, seat tokens and shuffles from the system's cryptographic source.
    lobby_ = std::make_unique<net::Lobby>(options, [] { return QRandomGenerator::system()->generate64(); });
    connect(&server_, &QWebSocketServer::newConnection, this, &NetHost::accept);
    connect(&ticker_, &QTimer::timeout, this, [this] { carry(lobby_->tick(now())); });
    ticker_.setInterval(kTickMs);
}

NetHost::~NetHost() { stop(); }

net::Time NetHost::now() const { return net::Time(clock_.elapsed()); }

bool NetHost::listen(const QHostAddress& address, quint16 port) {
    if (page_.tcp().isListening()) return true;
    if (!page_.tcp().listen(address, port)) return false;
    ticker_.start();
    return true;
}

quint16 NetHost::port() const { return page_.tcp().serverPort(); }

QStringList NetHost::addresses() const {
    QStringList out;
    const QHostAddress at = page_.tcp().serverAddress();
    const auto url = [this](const QHostAddress& a) {
        const QString host = a.protocol() == QAbstractSocket::IPv6Protocol ? "[" + a.toString() + "]" : a.toString();
        return QStringLiteral("ws://%1:%2").arg(host).arg(port());
    };
    if (at != QHostAddress::Any && at != QHostAddress::AnyIPv4 && at != QHostAddress::AnyIPv6) return {url(at)};
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (!a.isLoopback() && a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLinkLocal()) out << url(a);
    if (out.isEmpty()) out << url(QHostAddress(QHostAddress::LocalHost));
    return out;
}

void NetHost::stop() {
    ticker_.stop();
    for (QWebSocket* s : std::as_const(sockets_)) {
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
    sockets_.clear();
    page_.tcp().close();
}

void NetHost::accept() {
    while (QWebSocket* socket = server_.nextPendingConnection()) {
        const std::optional<net::Connection> id = lobby_->connect(now());
        if (!id) {  // full
            socket->close(QWebSocketProtocol::CloseCodeGoingAway);
            socket->deleteLater();
            continue;
        }
        const net::Connection c = *id;
        socket->setParent(this);
        // A frame past the limit still reaches the lobby, which answers it;
        // far past it, the socket refuses it unread.
        socket->setMaxAllowedIncomingMessageSize(net::kMaxClientMessage * 16);
        sockets_.insert(c, socket);
        connect(socket, &QWebSocket::textMessageReceived, this, [this, c](const QString& text) {
            const QByteArray utf8 = text.toUtf8();
            carry(lobby_->receive(c, std::string_view(utf8.constData(), utf8.size()), false, now()));
        });
        connect(socket, &QWebSocket::binaryMessageReceived, this, [this, c](const QByteArray& bytes) {
            carry(lobby_->receive(c, std::string_view(bytes.constData(), bytes.size()), true, now()));
        });
        connect(socket, &QWebSocket::disconnected, this, [this, c, socket] {
            sockets_.remove(c);
            socket->deleteLater();
            carry(lobby_->disconnect(c, now()));
        });
    }
}

void NetHost::carry(const net::Sent& sent) {
    // The journal's entries are not kept: see the class comment.
    for (const net::Frame& f : sent.frames)
        if (QWebSocket* s = sockets_.value(f.to)) s->sendTextMessage(QString::fromStdString(f.text));
    for (const net::Closing& c : sent.closing)
        if (QWebSocket* s = sockets_.value(c.connection)) s->close(static_cast<QWebSocketProtocol::CloseCode>(c.code));
}

}  // namespace tav::ui
