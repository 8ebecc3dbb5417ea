// The lobby behind the real transport on a thread of its own, listening on
// 127.0.0.1 at a free port: a whole server in the test's process.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "net/lobby.h"
#include "server/lobby_service.h"
#include "server/transport.h"
#include "tests/net/net_support.h"

namespace tav::test {

struct InProcessServer {
    InProcessServer(net::LobbyOptions lobby_options, server::TransportOptions options, std::uint64_t seed = 2024)
        : lobby(lobby_options, entropy(seed)),
          service(lobby),
          transport(options, service, nullptr, [](std::string_view) {}) {
        const std::string bound = transport.listen();
        port = static_cast<unsigned short>(std::stoi(bound.substr(bound.rfind(':') + 1)));
        thread = std::thread([this] { transport.run(); });
    }
    ~InProcessServer() {
        transport.stop();
        thread.join();
    }
    // Ticks often, so that the tests' clocks need not wait long.
    static server::TransportOptions fast() {
        server::TransportOptions o;
        o.tick = std::chrono::milliseconds(20);
        return o;
    }
    net::Lobby lobby;
    server::LobbyService service;
    server::Transport transport;
    unsigned short port = 0;
    std::thread thread;
};

}  // namespace tav::test
