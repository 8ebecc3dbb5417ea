// The page a browser plays from, served on the same port as the table's
// WebSocket by tav-server and by the desktop program when it hosts. The
// files are built into the program (compressed once, at build time); this
// is all a server needs of them. No Beast, no Qt: both servers use it.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace tav::web {

struct Reply {
    int status = 404;                // 200, 304, 404 or 405
    std::string_view content_type;   // "text/html; charset=utf-8" ...
    std::string_view body;           // empty for HEAD, 304, and errors with no text
    bool gzip = false;               // the body is gzip-compressed: send Content-Encoding: gzip
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

}  // namespace tav::web
