#include "web/site.h"

#include "web/assets.h"

#include <optional>

namespace tav::web {

namespace {

// The page runs its own files and nothing else: no inline script, no eval,
// no frame around it, and it talks only to the server it came from.
constexpr std::string_view kPolicy =
    "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self' data:; connect-src 'self'; "
    "manifest-src 'self'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
constexpr std::string_view kText = "text/plain; charset=utf-8";

bool is_space(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
    return s;
}

bool same_letters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// A q-value (RFC 9110: "0", "0.5", "1.000"): above zero, or not a q-value at all.
std::optional<bool> above_zero(std::string_view q) {
    if (q.empty() || (q[0] != '0' && q[0] != '1') || q.size() > 5) return std::nullopt;
    if (q.size() > 1 && (q[1] != '.')) return std::nullopt;
    bool fraction = false;
    for (std::size_t i = 2; i < q.size(); ++i) {
        if (q[i] < '0' || q[i] > '9' || (q[0] == '1' && q[i] != '0')) return std::nullopt;
        fraction = fraction || q[i] != '0';
    }
    return q[0] == '1' || fraction;
}

// Every answer's guard: the page's policy, no guessing at a type.
void guard(Reply& r) {
    r.headers.emplace_back("Content-Security-Policy", kPolicy);
    r.headers.emplace_back("X-Content-Type-Options", "nosniff");
    r.headers.emplace_back("Referrer-Policy", "no-referrer");
}

Reply text(int status, std::string_view body) {
    Reply r;
    r.status = status;
    r.content_type = kText;
    r.body = body;
    r.content_length = body.size();
    guard(r);
    return r;
}

// If-None-Match: "*", or a list of entity tags compared weakly (W/"x"
// matches "x"), as RFC 9110 asks of this header. A list that is not one
// matches nothing: the file is sent.
bool listed(std::string_view list, std::string_view etag) {
    list = trimmed(list);
    if (list == "*") return true;
    std::size_t i = 0;
    while (i < list.size()) {
        if (is_space(list[i]) || list[i] == ',') {
            ++i;
            continue;
        }
        if (list.compare(i, 2, "W/") == 0) i += 2;
        if (i >= list.size() || list[i] != '"') return false;
        const std::size_t end = list.find('"', i + 1);
        if (end == std::string_view::npos) return false;
        if (list.substr(i, end + 1 - i) == etag) return true;
        i = end + 1;
    }
    return false;
}

}  // namespace

const detail::Asset* detail::find_asset(std::string_view path) {
    if (path == "/") path = "/index.html";
    for (const detail::Asset& a : detail::assets())
        if (a.path == path) return &a;
    return nullptr;
}

Reply reply(std::string_view method, std::string_view target, bool accepts_gzip, std::string_view if_none_match) {
    const bool head = method == "HEAD";
    if (method != "GET" && !head) {
        Reply r = text(405, "only GET and HEAD are answered here\n");
        r.headers.emplace_back("Allow", "GET, HEAD");
        return r;
    }
    // Only the exact paths of the page's files: nothing is joined to a
    // folder or decoded, so "..", "%2e" and the like name no file.
    const detail::Asset* a = detail::find_asset(target.substr(0, target.find('?')));
    Reply r;
    if (a == nullptr) {
        r = text(404, "no such file\n");
    } else {
        const bool gzip = accepts_gzip && !a->gzip.empty();
        const std::string_view etag = gzip ? a->gzip_etag : a->etag;
        guard(r);
        // No-cache: kept, but asked after every time, so a new build is
        // seen at once and an unchanged file costs a 304.
        r.headers.emplace_back("Cache-Control", "no-cache");
        r.headers.emplace_back("ETag", etag);
        r.headers.emplace_back("Vary", "Accept-Encoding");
        if (!if_none_match.empty() && listed(if_none_match, etag)) {
            r.status = 304;
            return r;
        }
        r.status = 200;
        r.content_type = a->content_type;
        r.gzip = gzip;
        r.body = gzip ? a->gzip : a->raw;
        r.content_length = r.body.size();
    }
    if (head) r.body = {};
    return r;
}

bool accepts_gzip(std::string_view accept_encoding) {
    std::optional<bool> named, any;
    while (!accept_encoding.empty()) {
        const std::size_t comma = accept_encoding.find(',');
        std::string_view item = accept_encoding.substr(0, comma);
        accept_encoding = comma == std::string_view::npos ? std::string_view() : accept_encoding.substr(comma + 1);
        const std::size_t semicolon = item.find(';');
        const std::string_view coding = trimmed(item.substr(0, semicolon));
        std::optional<bool> wanted = true;
        for (std::string_view params = semicolon == std::string_view::npos ? std::string_view()
                                                                           : item.substr(semicolon);
             !params.empty();) {
            params.remove_prefix(1);  // the ';'
            const std::size_t next = params.find(';');
            const std::string_view param = trimmed(params.substr(0, next));
            params = next == std::string_view::npos ? std::string_view() : params.substr(next);
            const std::size_t equals = param.find('=');
            if (equals != std::string_view::npos && same_letters(trimmed(param.substr(0, equals)), "q"))
                wanted = above_zero(trimmed(param.substr(equals + 1)));
        }
        if (!wanted) continue;  // a q-value that is none: the coding is not counted
        if (same_letters(coding, "gzip") || same_letters(coding, "x-gzip"))
            named = *wanted;
        else if (coding == "*")
            any = *wanted;
    }
    return named ? *named : any.value_or(false);
}

Reply refusal(int status) {
    switch (status) {
        case 413: return text(413, "a request here has no body\n");
        case 431: return text(431, "the request's header is too long\n");
        default: return text(400, "not an HTTP request this server reads\n");
    }
}

}  // namespace tav::web
