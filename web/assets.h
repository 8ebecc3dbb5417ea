// The page's files as built into the program: web/embed.cmake writes the
// table at build time, web/site.cpp answers from it. Nothing else needs it.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace tav::web::detail {

struct Asset {
    std::string_view path;          // as requested: "/index.html", "/cards/h2.svg"
    std::string_view content_type;  // "text/html; charset=utf-8" ...
    std::string_view raw;
    std::string_view gzip;  // empty when compressing would not make it smaller
    // Each form's strong validator, quoted as sent: its own bytes' SHA-256.
    std::string_view etag, gzip_etag;
};

// Every file, in the order given to the build; valid for the program's life.
std::span<const Asset> assets();

// The file served at `path` ("/" is "/index.html"), or null.
const Asset* find_asset(std::string_view path);

}  // namespace tav::web::detail
