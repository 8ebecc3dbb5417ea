#include "ui/page_server.h"

#include <QTcpSocket>
#include <QTimer>
#include <QWebSocketServer>

#include "web/site.h"

namespace tav::ui {
namespace {

constexpr qsizetype kMostHead = 8 * 1024;  // a request head longer than this is refused
constexpr int kHeadWaitMs = 10000;         // a connection that says nothing is closed

QByteArray header(const QList<QByteArray>& lines, const QByteArray& name) {
    for (const QByteArray& line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

bool has_token(const QByteArray& value, const QByteArray& token) {
    for (const QByteArray& part : value.split(','))
        if (part.trimmed().compare(token, Qt::CaseInsensitive) == 0) return true;
    return false;
}

QByteArray written(const web::Reply& r) {
    QByteArray out = "HTTP/1.1 " + QByteArray::number(r.status) + ' ';
    switch (r.status) {
        case 200: out += "OK"; break;
        case 304: out += "Not Modified"; break;
        case 404: out += "Not Found"; break;
        case 405: out += "Method Not Allowed"; break;
        case 413: out += "Content Too Large"; break;
        case 431: out += "Request Header Fields Too Large"; break;
        default: out += "Bad Request"; break;
    }
    out += "\r\n";
    const auto line = [&out](std::string_view k, std::string_view v) {
        out.append(k.data(), static_cast<qsizetype>(k.size()));
        out += ": ";
        out.append(v.data(), static_cast<qsizetype>(v.size()));
        out += "\r\n";
    };
    if (!r.content_type.empty()) line("Content-Type", r.content_type);
    if (r.gzip) line("Content-Encoding", "gzip");
    for (const auto& [k, v] : r.headers) line(k, v);
    if (r.status != 304) line("Content-Length", std::to_string(r.content_length));
    line("Connection", "close");
    out += "\r\n";
    out.append(r.body.data(), static_cast<qsizetype>(r.body.size()));
    return out;
}

bool is_upgrade(const QList<QByteArray>& lines) {
    return has_token(header(lines, "Connection"), "upgrade") &&
           header(lines, "Upgrade").compare("websocket", Qt::CaseInsensitive) == 0;
}

}  // namespace

QByteArray page_response(const QByteArray& head) {
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> request = lines.value(0).trimmed().split(' ');
    if (request.size() != 3 || !request[2].startsWith("HTTP/1.")) return written(web::refusal(400));
    const QByteArray length = header(lines, "Content-Length");
    if ((!length.isEmpty() && length != "0") || !header(lines, "Transfer-Encoding").isEmpty())
        return written(web::refusal(413));
    const QByteArray accept = header(lines, "Accept-Encoding"), match = header(lines, "If-None-Match");
    return written(web::reply(request[0].toStdString(), request[1].toStdString(),
                              web::accepts_gzip(accept.toStdString()), match.toStdString()));
}

PageServer::PageServer(QWebSocketServer& websockets, QObject* parent) : QObject(parent), websockets_(websockets) {
    tcp_.setParent(this);
    connect(&tcp_, &QTcpServer::newConnection, this, &PageServer::accept);
}

void PageServer::accept() {
    while (QTcpSocket* socket = tcp_.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { look(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [socket] { socket->deleteLater(); });
        QTimer::singleShot(kHeadWaitMs, socket, [socket] {
            if (socket->property("tav_answered").isNull()) socket->abort();
        });
        if (socket->bytesAvailable() > 0) look(socket);
    }
}

void PageServer::look(QTcpSocket* socket) {
    if (!socket->property("tav_answered").isNull()) return;
    // Peeked, not read: a WebSocket handshake must reach its server whole.
    const QByteArray seen = socket->peek(kMostHead + 4);
    const qsizetype end = seen.indexOf("\r\n\r\n");
    if (end < 0) {
        if (seen.size() > kMostHead) {
            socket->setProperty("tav_answered", true);
            socket->write(written(web::refusal(431)));
            socket->disconnectFromHost();
        }
        return;
    }
    socket->setProperty("tav_answered", true);
    const QByteArray head = seen.left(end);
    if (is_upgrade(head.split('\n'))) {
        disconnect(socket, nullptr, this, nullptr);
        socket->setParent(nullptr);
        websockets_.handleConnection(socket);
        return;
    }
    socket->read(end + 4);
    socket->write(page_response(head));
    socket->disconnectFromHost();
}

}  // namespace tav::ui
