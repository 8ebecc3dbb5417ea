// The page's files as the server answers for them, without a socket: which
// requests get which file in which form, the headers that keep the page to
// its own scripts, and that every file built in is its source's bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "tests/server/http_client.h"
#include "web/assets.h"
#include "web/site.h"

namespace tav::test {
namespace {

using web::Reply;

constexpr std::string_view kPolicy =
    "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self' data:; connect-src 'self'; "
    "manifest-src 'self'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

std::string_view header(const Reply& r, std::string_view name) {
    for (const auto& [n, v] : r.headers)
        if (n == name) return v;
    return {};
}

const web::detail::Asset& asset(std::string_view path) {
    if (const web::detail::Asset* a = web::detail::find_asset(path)) return *a;
    throw std::runtime_error("no asset " + std::string(path));
}

std::string source_file(const std::string& path) {
    std::ifstream in(std::string(TAV_SOURCE_DIR) + "/" + path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

TEST(Site, OnlyGetAndHeadOfThePagesOwnPathsAreAnswered) {
    const auto& index = asset("/index.html");
    ASSERT_EQ(index.raw, source_file("web/static/index.html"));
    ASSERT_FALSE(index.gzip.empty());
    enum class Body { none, raw, gzip, text };
    struct Case {
        std::string method, target;
        bool gzip;
        int status;
        Body body;
    };
    const std::vector<Case> cases = {
        {"GET", "/", false, 200, Body::raw},
        {"GET", "/index.html", false, 200, Body::raw},
        {"GET", "/?seat=A", false, 200, Body::raw},
        {"GET", "/index.html?x=1&y=/../z", false, 200, Body::raw},
        {"GET", "/", true, 200, Body::gzip},
        {"HEAD", "/", false, 200, Body::none},
        {"HEAD", "/", true, 200, Body::none},
        // Nothing but the exact paths: no folder is walked, nothing decoded.
        {"GET", "/nope", false, 404, Body::text},
        {"GET", "/../CMakeLists.txt", false, 404, Body::text},
        {"GET", "/%2e%2e/x", false, 404, Body::text},
        {"GET", "/js/../index.html", false, 404, Body::text},
        {"GET", "//index.html", false, 404, Body::text},
        {"GET", "/./index.html", false, 404, Body::text},
        {"GET", "\\index.html", false, 404, Body::text},
        {"GET", "/%69ndex.html", false, 404, Body::text},
        {"GET", "/index.html/", false, 404, Body::text},
        {"GET", "/INDEX.HTML", false, 404, Body::text},
        {"GET", "/static/index.html", false, 404, Body::text},
        {"GET", "/src/main.ts", false, 404, Body::text},
        {"GET", "index.html", false, 404, Body::text},
        {"GET", "http://127.0.0.1/index.html", false, 404, Body::text},
        {"GET", "", false, 404, Body::text},
        {"HEAD", "/nope", false, 404, Body::none},
        {"POST", "/", false, 405, Body::text},
        {"PUT", "/index.html", false, 405, Body::text},
        {"DELETE", "/nope", false, 405, Body::text},
        {"OPTIONS", "*", false, 405, Body::text},
        {"get", "/", false, 405, Body::text},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method + " " + c.target + (c.gzip ? " (gzip)" : ""));
        const Reply r = web::reply(c.method, c.target, c.gzip, "");
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.headers.front().first, "Content-Security-Policy");
        EXPECT_EQ(header(r, "Allow"), c.status == 405 ? "GET, HEAD" : "");
        if (c.status == 200) {
            EXPECT_EQ(r.content_type, "text/html; charset=utf-8");
            EXPECT_EQ(r.gzip, c.gzip);
            EXPECT_EQ(r.content_length, (c.gzip ? index.gzip : index.raw).size());
        } else {
            EXPECT_EQ(r.content_type, "text/plain; charset=utf-8");
            EXPECT_FALSE(r.gzip);
        }
        switch (c.body) {
            case Body::none: EXPECT_TRUE(r.body.empty()); break;
            case Body::raw: EXPECT_EQ(r.body, index.raw); break;
            case Body::gzip: EXPECT_EQ(r.body, index.gzip); break;
            case Body::text: EXPECT_FALSE(r.body.empty()); break;
        }
        if (c.body != Body::none) {
            EXPECT_EQ(r.content_length, r.body.size());
        }
    }
}

TEST(Site, EveryAnswerCarriesThePolicyAndAFileItsValidator) {
    const auto& index = asset("/index.html");
    struct Case {
        const char* what;
        Reply reply;
        bool file;  // 200 or 304: the validator and its caching
    };
    const std::vector<Case> cases = {
        {"200", web::reply("GET", "/", false, ""), true},
        {"200 gzip", web::reply("GET", "/", true, ""), true},
        {"HEAD", web::reply("HEAD", "/", false, ""), true},
        {"304", web::reply("GET", "/", false, index.etag), true},
        {"404", web::reply("GET", "/nope", false, ""), false},
        {"405", web::reply("POST", "/", false, ""), false},
        {"413", web::refusal(413), false},
        {"431", web::refusal(431), false},
        {"400", web::refusal(400), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Reply& r = c.reply;
        EXPECT_EQ(header(r, "Content-Security-Policy"), kPolicy);
        EXPECT_EQ(header(r, "X-Content-Type-Options"), "nosniff");
        EXPECT_EQ(header(r, "Referrer-Policy"), "no-referrer");
        if (c.file) {
            EXPECT_EQ(header(r, "Cache-Control"), "no-cache");
            EXPECT_EQ(header(r, "ETag"), r.gzip ? index.gzip_etag : index.etag);
            EXPECT_EQ(header(r, "Vary"), "Accept-Encoding");
        } else {
            EXPECT_EQ(header(r, "ETag"), "");
        }
    }
    // A status refusal() does not know is a plain refusal.
    EXPECT_EQ(web::refusal(500).status, 400);
    EXPECT_EQ(web::refusal(413).status, 413);
    EXPECT_EQ(web::refusal(431).status, 431);
}

TEST(Site, AFileTheClientHasIsAnswered304ByTheTagOfTheFormItWouldGet) {
    const auto& index = asset("/index.html");
    const std::string raw(index.etag), gz(index.gzip_etag);
    ASSERT_NE(raw, gz);
    struct Case {
        std::string if_none_match;
        bool gzip;
        int status;
    };
    const std::vector<Case> cases = {
        {raw, false, 304},
        {gz, true, 304},
        {"W/" + raw, false, 304},  // compared weakly, as this header asks
        {"\"x\", " + raw, false, 304},
        {"\"x\"," + gz + " , \"y\"", true, 304},
        {"*", false, 304},
        {" * ", true, 304},
        {raw, true, 200},  // it has the other form
        {gz, false, 200},
        {"\"x\"", false, 200},
        {raw.substr(1, raw.size() - 2), false, 200},  // unquoted: not a tag
        {"\"" + raw, false, 200},
        {"W/", false, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.if_none_match + (c.gzip ? " (gzip)" : ""));
        for (const char* method : {"GET", "HEAD"}) {
            const Reply r = web::reply(method, "/", c.gzip, c.if_none_match);
            EXPECT_EQ(r.status, c.status);
            if (c.status == 304) {
                EXPECT_TRUE(r.body.empty());
                EXPECT_TRUE(r.content_type.empty());
                EXPECT_FALSE(r.gzip);
            }
        }
    }
}

TEST(Site, EveryFileIsBuiltInWithItsTypeAndItsGzipHoldsTheSameBytes) {
    std::set<std::string> served;
    for (const auto& a : web::detail::assets()) {
        SCOPED_TRACE(std::string(a.path));
        EXPECT_TRUE(served.insert(std::string(a.path)).second) << "served twice";
        const std::string ext(a.path.substr(a.path.rfind('.') + 1));
        const std::map<std::string, std::string> types = {{"html", "text/html; charset=utf-8"},
                                                          {"css", "text/css; charset=utf-8"},
                                                          {"js", "text/javascript; charset=utf-8"},
                                                          {"svg", "image/svg+xml"},
                                                          {"png", "image/png"},
                                                          {"ico", "image/x-icon"},
                                                          {"json", "application/json"},
                                                          {"webmanifest", "application/manifest+json"}};
        EXPECT_EQ(a.content_type, types.at(ext));
        const auto quoted_hex = [](std::string_view tag) {
            return tag.size() == 18 && tag.front() == '"' && tag.back() == '"' &&
                   tag.substr(1, 16).find_first_not_of("0123456789abcdef") == std::string_view::npos;
        };
        EXPECT_TRUE(quoted_hex(a.etag)) << a.etag;
        EXPECT_EQ(quoted_hex(a.gzip_etag), !a.gzip.empty()) << a.gzip_etag;
        if (!a.gzip.empty()) {
            EXPECT_LT(a.gzip.size(), a.raw.size());
            EXPECT_EQ(gunzip(a.gzip), std::string(a.raw));
            EXPECT_NE(a.etag, a.gzip_etag);
        }
        // Without gzip to send, the file goes as it is to everyone.
        const Reply r = web::reply("GET", a.path, true, "");
        EXPECT_EQ(r.body, a.gzip.empty() ? a.raw : a.gzip);
        EXPECT_EQ(r.gzip, !a.gzip.empty());
    }
    // Every file of the page's sources is served (the scripts as compiled).
    namespace fs = std::filesystem;
    const fs::path web = fs::path(TAV_SOURCE_DIR) / "web";
    for (const auto& [folder, prefix] : {std::pair{"static", ""}, std::pair{"cards", "cards/"}}) {
        if (!fs::exists(web / folder)) continue;
        for (const auto& e : fs::recursive_directory_iterator(web / folder)) {
            if (!e.is_regular_file() || e.path().filename().string().front() == '.') continue;
            const std::string rel = fs::relative(e.path(), web / folder).generic_string();
            EXPECT_EQ(served.count("/" + std::string(prefix) + rel), 1u) << rel << " is not served";
            if (std::string(prefix).empty()) {
                EXPECT_EQ(asset("/" + rel).raw, source_file("web/static/" + rel));
            }
        }
    }
    for (const auto& e : fs::directory_iterator(web / "src")) {
        if (e.path().extension() != ".ts") continue;
        EXPECT_EQ(served.count("/js/" + e.path().stem().string() + ".js"), 1u) << e.path();
    }
}

TEST(Site, GzipIsSentOnlyWhereAcceptEncodingAllowsIt) {
    struct Case {
        const char* header;
        bool gzip;
    };
    const std::vector<Case> cases = {
        {"", false},
        {"gzip", true},
        {"gzip, deflate, br", true},
        {"deflate, gzip;q=0.5", true},
        {"GZip", true},
        {"x-gzip", true},
        {"*", true},
        {"br, *;q=0.1", true},
        {"gzip ;q=1", true},
        {"gzip;Q=0.001", true},
        {"gzip;level=1;q=1.0", true},
        {"identity", false},
        {"deflate, br", false},
        {"gzip;q=0", false},
        {"gzip;q=0.000", false},
        {"gzip; q=0.", false},
        {"*;q=0", false},
        {"gzip;q=0, *", false},  // named, refused: the * does not bring it back
        {"gzip;q=2", false},     // not a q-value
        {"gzip;q=1.5", false},
        {"gzip;q=0.0001", false},
        {"gzip;q=", false},
        {"gzipx", false},
        {"x-gzip-not", false},
        {",,, ,", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        EXPECT_EQ(web::accepts_gzip(c.header), c.gzip);
    }
}

}  // namespace
}  // namespace tav::test
