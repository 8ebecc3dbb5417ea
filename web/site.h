// The page a browser plays from, served on the same port as the table's
// WebSocket by tav-server and by the desktop program when it hosts. The
// files are built into the program (compressed once, at build time); this
// is all a server needs of them. No Beast, no Qt: both servers use it.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace tav::web {

// Everything a Reply points to lives as long as the program: a server may
// write it out without copying.
struct Reply {
    int status = 404;               // 200, 304, 404 or 405; from refusal(): 400, 413 or 431
    std::string_view content_type;  // "text/html; charset=utf-8" ...; empty for 304
    std::string_view body;          // empty for HEAD, 304, and errors with no text
    // The body's length as a GET gets it: Content-Length, also for HEAD
    // (whose body is empty). Not sent with a 304.
    std::size_t content_length = 0;
    bool gzip = false;  // the body is gzip-compressed: send Content-Encoding: gzip
    // Every other header to send, in order (Content-Security-Policy,
    // X-Content-Type-Options, Cache-Control, ETag, Vary, Allow ...).
    std::vector<std::pair<std::string_view, std::string_view>> headers;
};

// The answer to an HTTP request for `target` (path, perhaps with a query,
// which is ignored). `accepts_gzip`: the request's Accept-Encoding allows
// gzip. `if_none_match`: the request's If-None-Match, empty when absent.
// Only GET and HEAD are answered (405 otherwise); a path outside the page's
// files is 404.
Reply reply(std::string_view method, std::string_view target, bool accepts_gzip, std::string_view if_none_match);

// Whether an Accept-Encoding header allows gzip: named (or "*") with a
// q-value above zero. Empty (no header): no.
bool accepts_gzip(std::string_view accept_encoding);

// The answer to a request not read to its end, after which the server
// closes the connection: 400 (not HTTP), 413 (it has a body: nothing here
// takes one) or 431 (its header is too long). Any other status is a 400.
Reply refusal(int status);

}  // namespace tav::web
