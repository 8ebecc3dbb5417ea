// tav-load --url ws://127.0.0.1:PORT --tables N --seconds S [--rate R]
// Plays N tables of six bot clients through a running tav-server for S
// seconds and prints one line of figures.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/load/load.h"

namespace {

constexpr const char* kUsage =
    "usage: tav-load --url ws://127.0.0.1:PORT --tables N --seconds S [--rate R]\n"
    "  --url      the server, on a loopback address only\n"
    "  --tables   tables of six bot clients, 1..2000\n"
    "  --seconds  how long to play once every table has started, 1..3600\n"
    "  --rate     decisions per second per table, 0 (as fast as possible) ..1000; default 0\n";

int refuse(const std::string& why) {
    std::fprintf(stderr, "tav-load: %s\n%s", why.c_str(), kUsage);
    return 2;
}

bool number(const char* text, double low, double high, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0' && out >= low && out <= high;
}

}  // namespace

int main(int argc, char** argv) {
    tav::load::LoadOptions options;
    bool url = false;
    double tables = 0, seconds = 0, rate = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (i + 1 >= argc) return refuse(a + " needs a value");
        const char* v = argv[++i];
        if (a == "--url") {
            std::string why;
            if (!tav::load::parse_url(v, options, why)) return refuse(why);
            url = true;
        } else if (a == "--tables") {
            if (!number(v, 1, 2000, tables) || tables != static_cast<int>(tables))
                return refuse("--tables: a whole number 1..2000");
        } else if (a == "--seconds") {
            if (!number(v, 1, 3600, seconds) || seconds != static_cast<int>(seconds))
                return refuse("--seconds: a whole number 1..3600");
        } else if (a == "--rate") {
            if (!number(v, 0, 1000, rate)) return refuse("--rate: a number 0..1000");
        } else {
            return refuse("unknown argument '" + a + "'");
        }
    }
    if (!url || tables == 0 || seconds == 0) return refuse("--url, --tables and --seconds are required");
    options.tables = static_cast<int>(tables);
    options.seconds = static_cast<int>(seconds);
    options.rate = rate;
    // Six sockets a table: as many open files as the hard limit allows.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    const tav::load::LoadResult r = tav::load::run_load(options);
    std::printf("tables=%d connections=%d decisions=%llu errors=%llu p50_ms=%.2f p99_ms=%.2f deals_per_s=%.1f\n",
                r.tables, r.connections, static_cast<unsigned long long>(r.decisions),
                static_cast<unsigned long long>(r.errors), r.p50_ms, r.p99_ms, r.deals_per_s);
    return r.errors == 0 && r.tables == options.tables ? 0 : 1;
}
