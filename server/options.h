// tav-server's command line, read into values (no sockets here, so the tests
// reach it directly).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tav::server {

// "ADDRESS:PORT", an IPv6 address in brackets ("[::1]:8080"): the address
// without brackets and the port, or false.
struct Endpoint {
    std::string address;
    std::uint16_t port = 0;
};
bool parse_endpoint(const std::string& text, Endpoint& out);

struct ServerCommand {
    enum class Action { serve, help, version, refuse } action = Action::serve;
    std::string text;  // the help, the version or why the line is refused
    Endpoint listen;
    std::string data;  // the journal's folder; empty: nothing kept
    std::string tls_cert, tls_key;
    // Messages a second one connection may send on average (bursts of twice
    // as many); past it the server answers rate_limited.
    int message_rate = 20;
};

// The arguments after the program's name.
ServerCommand parse_server_command(const std::vector<std::string>& arguments, const std::string& version);

}  // namespace tav::server
