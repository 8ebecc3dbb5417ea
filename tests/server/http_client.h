// An HTTP client for the server's tests: requests written byte for byte as
// given (so a test can send what no browser would), answers read with
// Beast's parser, every call bounded in time (loopback only).
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tav::test {

class HttpClient {
public:
    using Ms = std::chrono::milliseconds;
    struct Response {
        int status = 0;
        std::map<std::string, std::string> headers;  // names in lower case; one named twice joined by ", "
        std::string body;
        // The header's value, empty when absent.
        std::string operator[](const std::string& lower_case_name) const;
    };

    // Connects to 127.0.0.1:port (TLS when `tls`, trusting any certificate).
    explicit HttpClient(unsigned short port, bool tls = false, Ms timeout = Ms(5000));
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    bool ok() const;
    bool send(const std::string& bytes);
    // The next answer (to a HEAD: its header, no body read), or none when
    // the connection closed or nothing came in time.
    std::optional<Response> receive(bool head = false, Ms timeout = Ms(5000));
    // The server closed the connection within the time (nothing more came).
    bool closed(Ms timeout = Ms(3000));

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A gzip member's content (as gzip -n writes it: no name, no comment), or
// none when the bytes are not one.
std::optional<std::string> gunzip(std::string_view gzip);

}  // namespace tav::test
