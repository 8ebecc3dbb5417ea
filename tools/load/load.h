// tav-load: tables of six bot clients played through a running tav-server
// over real sockets, on one Asio thread, to measure the server.
#pragma once

#include <cstdint>
#include <string>

namespace tav::load {

struct LoadOptions {
    std::string host = "127.0.0.1";  // a loopback address only
    std::uint16_t port = 0;
    int tables = 1;
    int seconds = 10;
    double rate = 0;  // decisions per second per table; 0: as fast as the server answers
};

struct LoadResult {
    int tables = 0;  // tables that started
    int connections = 0;
    std::uint64_t decisions = 0, errors = 0, deals = 0;
    double p50_ms = 0, p99_ms = 0, deals_per_s = 0;
};

// "ws://HOST:PORT" with HOST a loopback address (127.x.x.x, [::1] or
// localhost); false with `why` otherwise.
bool parse_url(const std::string& url, LoadOptions& out, std::string& why);

// Opens the tables, plays them for the time asked once all have started,
// and stops.
LoadResult run_load(const LoadOptions& options);

}  // namespace tav::load
