#include "server/options.h"

#include <charconv>
#include <utility>

namespace tav::server {

namespace {

const char* const kUsage =
    "usage: tav-server --listen ADDRESS:PORT [--data DIR] [--tls-cert FILE --tls-key FILE]\n"
    "Hosts tables of the six-seat card game for players over WebSocket, and on the same port the page a\n"
    "browser plays them from (http or https).\n"
    "  --listen ADDRESS:PORT  where to listen (an IPv6 address in brackets: [::1]:8080; port 0: any free port)\n"
    "  --data DIR             keep every table in DIR (a journal); tables come back after a restart\n"
    "  --tls-cert FILE        the certificate chain (PEM); with --tls-key, connections use TLS (wss)\n"
    "  --tls-key FILE         the certificate's private key (PEM)\n"
    "  --message-rate N       messages a second one connection may send, 1..100000 (default 20, bursts of 2N)\n"
    "  --help                 show this help and exit\n"
    "  --version              show the version and exit\n";

ServerCommand told(ServerCommand::Action action, std::string text) {
    ServerCommand c;
    c.action = action;
    c.text = std::move(text);
    return c;
}

ServerCommand refuse(const std::string& why) {
    return told(ServerCommand::Action::refuse, "tav-server: " + why + "\n" + kUsage);
}

}  // namespace

bool parse_endpoint(const std::string& text, Endpoint& out) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0) return false;
    std::string address = text.substr(0, colon);
    const std::string port = text.substr(colon + 1);
    if (address.front() == '[') {
        if (address.size() < 3 || address.back() != ']') return false;
        address = address.substr(1, address.size() - 2);
        if (address.find(':') == std::string::npos) return false;
    } else if (address.find(':') != std::string::npos) {
        return false;  // an IPv6 address needs its brackets
    }
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (port.empty() || ec != std::errc{} || end != port.data() + port.size() || value > 65535) return false;
    out.address = address;
    out.port = static_cast<std::uint16_t>(value);
    return true;
}

ServerCommand parse_server_command(const std::vector<std::string>& arguments, const std::string& version) {
    ServerCommand c;
    bool listen_given = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h") return told(ServerCommand::Action::help, kUsage);
        if (a == "--version") return told(ServerCommand::Action::version, "tav-server " + version + "\n");
        std::string* value = nullptr;
        if (a == "--message-rate") {
            if (i + 1 >= arguments.size()) return refuse(a + " needs a value");
            const std::string& given = arguments[++i];
            int rate = 0;
            const auto [end, ec] = std::from_chars(given.data(), given.data() + given.size(), rate);
            if (given.empty() || ec != std::errc{} || end != given.data() + given.size() || rate < 1 || rate > 100000)
                return refuse("--message-rate " + given + ": a whole number 1..100000");
            c.message_rate = rate;
            continue;
        }
        if (a == "--listen" || a == "--data" || a == "--tls-cert" || a == "--tls-key") {
            if (i + 1 >= arguments.size()) return refuse(a + " needs a value");
            std::string given = arguments[++i];
            if (given.empty()) return refuse(a + " needs a value");
            if (a == "--listen") {
                if (listen_given) return refuse("--listen given twice");
                if (!parse_endpoint(given, c.listen))
                    return refuse("--listen " + given + ": not ADDRESS:PORT (an IPv6 address as [::1]:PORT)");
                listen_given = true;
                continue;
            }
            value = a == "--data" ? &c.data : a == "--tls-cert" ? &c.tls_cert : &c.tls_key;
            if (!value->empty()) return refuse(a + " given twice");
            *value = std::move(given);
            continue;
        }
        return refuse("unknown argument '" + a + "'");
    }
    if (!listen_given) return refuse("--listen ADDRESS:PORT is required");
    if (c.tls_cert.empty() != c.tls_key.empty()) return refuse("--tls-cert and --tls-key go together");
    return c;
}

}  // namespace tav::server
