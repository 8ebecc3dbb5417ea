// The lobby as the transport's service (apart from transport.h, so that the
// transport's own tests need no lobby).
#pragma once

#include "net/lobby.h"
#include "server/transport.h"

namespace tav::server {

// The lobby as a service.
class LobbyService final : public Service {
public:
    explicit LobbyService(net::Lobby& lobby) : lobby_(lobby) {}
    std::optional<net::Connection> connect(net::Time now) override { return lobby_.connect(now); }
    net::Sent receive(net::Connection c, std::string_view text, bool binary, net::Time now) override {
        return released(lobby_.receive(c, text, binary, now));
    }
    net::Sent disconnect(net::Connection c, net::Time now) override { return released(lobby_.disconnect(c, now)); }
    net::Sent tick(net::Time now) override { return released(lobby_.tick(now)); }
    std::vector<std::string> closed_tables() override { return lobby_.closed_tables(); }
    std::size_t tables() const override { return lobby_.tables(); }

private:
    // The frames are made: the tables' events are not held until their next call.
    net::Sent released(net::Sent sent) {
        lobby_.release_events();
        return sent;
    }
    net::Lobby& lobby_;
};

}  // namespace tav::server
