// The test clients' one way of waiting on their sockets.
#pragma once

#include <boost/asio/io_context.hpp>
#include <chrono>

namespace tav::test {

// Runs `io` until `done` or the time is up; on time up `drop` closes the
// connection and the cancelled operation is let finish.
template <class Drop>
bool run_until(boost::asio::io_context& io, const bool& done, std::chrono::milliseconds timeout, Drop drop) {
    io.restart();
    const auto until = std::chrono::steady_clock::now() + timeout;
    while (!done && std::chrono::steady_clock::now() < until) io.run_one_until(until);
    if (!done) {
        drop();
        io.restart();
        io.run_for(std::chrono::milliseconds(200));
    }
    return done;
}

}  // namespace tav::test
