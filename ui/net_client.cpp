#include "ui/net_client.h"

#include <QRegularExpression>

#include "ui/language.h"

namespace tav::ui {

NetClient::NetClient(QObject* parent) : QObject(parent) {
    socket_.setParent(this);
    socket_.setMaxAllowedIncomingMessageSize(net::kMaxServerMessage);
    socket_.setMaxAllowedIncomingFrameSize(net::kMaxServerMessage);
    connect(&socket_, &QWebSocket::connected, this, [this] { send(net::Hello{}); });
    connect(&socket_, &QWebSocket::textMessageReceived, this, &NetClient::frame);
    connect(&socket_, &QWebSocket::binaryMessageReceived, this, [this] {
        emit failed(tx("服务器发来了无法读取的消息。"));
        close();
    });
    connect(&socket_, QOverload<QAbstractSocket::SocketError>::of(&QWebSocket::error), this,
            [this](QAbstractSocket::SocketError) {
                emit failed(tx("网络连接出错：%1").arg(socket_.errorString()));
                // A connection that never opened ends here too (no disconnect
                // need follow), so that it can be opened again.
                if (open_ && socket_.state() == QAbstractSocket::UnconnectedState) {
                    open_ = welcomed_ = false;
                    emit closed();
                }
            });
    connect(&socket_, &QWebSocket::disconnected, this, [this] {
        const bool was_open = open_;
        open_ = welcomed_ = false;
        if (was_open) emit closed();
    });
}

NetClient::~NetClient() {
    // No signal reaches a half-destroyed owner.
    socket_.disconnect(this);
    socket_.abort();
}

QUrl NetClient::address_url(const QString& typed, int default_port) {
    QString text = typed.trimmed();
    if (text.isEmpty() || text.contains(QRegularExpression("\\s"))) return {};
    if (!text.contains("://")) text = "ws://" + text;
    QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || (url.scheme() != "ws" && url.scheme() != "wss")) return {};
    if (url.port() == -1) url.setPort(default_port);
    return url;
}

bool NetClient::open(const QUrl& url) {
    if (open_ || !url.isValid() || (url.scheme() != "ws" && url.scheme() != "wss")) return false;
    open_ = true;
    welcomed_ = false;
    socket_.open(url);
    return true;
}

bool NetClient::send(const net::ClientMessage& m) {
    if (!open_ || socket_.state() != QAbstractSocket::ConnectedState) return false;
    if (!welcomed_ && !std::holds_alternative<net::Hello>(m)) return false;
    socket_.sendTextMessage(QString::fromStdString(net::encode(m)));
    return true;
}

void NetClient::close() {
    if (!open_) return;
    if (welcomed_) send(net::Leave{});
    socket_.close();
}

void NetClient::frame(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    net::Decoded<net::ServerMessage> d = net::decode_server(std::string_view(utf8.constData(), utf8.size()));
    if (!d.ok()) {
        // A server that speaks another tongue is not answered on: the
        // connection would only drift.
        emit failed(tx("服务器发来了无法读取的消息。"));
        close();
        return;
    }
    if (!welcomed_) {
        const auto* w = std::get_if<net::Welcome>(&*d.message);
        if (!w) {
            const auto* e = std::get_if<net::Error>(&*d.message);
            emit failed(e && e->code == net::ErrorCode::protocol_version ? tx("服务器的协议版本与本程序不同。")
                                                                         : tx("服务器发来了无法读取的消息。"));
            close();
            return;
        }
        welcomed_ = true;
        emit welcomed();
        return;
    }
    emit received(*d.message);
}

}  // namespace tav::ui
