// A WebSocket client for the server's tests: one connection on its own
// thread-less io_context, every call bounded in time (loopback only).
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace tav::test {

class WsClient {
public:
    using Ms = std::chrono::milliseconds;
    // Connects to 127.0.0.1:port (TLS when `tls`, trusting any certificate:
    // the tests make their own), asking for `target`. Check ok() after.
    explicit WsClient(unsigned short port, bool tls = false, Ms timeout = Ms(5000), std::string target = "/");
    ~WsClient();
    WsClient(const WsClient&) = delete;
    WsClient& operator=(const WsClient&) = delete;

    bool ok() const;
    bool send(const std::string& text, bool binary = false);
    // The next frame, or none when the connection closed or nothing came in time.
    std::optional<std::string> receive(Ms timeout = Ms(5000));
    // The close code the server sent, once a receive found the connection closed.
    std::optional<int> close_code() const;
    // Drops the connection without a close handshake.
    void drop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tav::test
