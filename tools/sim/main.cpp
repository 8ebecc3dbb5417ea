// tav-sim: plays whole deals of one game with every seat played by the
// computer, the human's seat A included (its turns through autoplay_human,
// its tribute returns through autoreturn_human, its same-side question
// answered Yes). Scores, the first leader and tributes carry from deal to
// deal as in the game. Prints deals per second, places and scores; --check
// runs the invariant checks after every action and stops at the first fault.
// --random-human plays seat A at random through the rule gate instead.
#include <array>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "model/seat.h"
#include "store/deal_numbers.h"
#include "tools/sim/random_play.h"
#include "tools/sim/sides.h"
#include "tools/sim/simulation.h"

namespace {

using tav::Settings;

constexpr std::string_view kUsage =
    "usage: tav-sim [--deals N] [--seed S | --deal NUMBER] [--rules b3=on|off,m=on|off,d=on|off,winstyle=0|1]\n"
    "               [--level A=strong,C=classic,...] [--log FILE] [--check] [--json]\n"
    "       tav-sim --random-human [--every-seat] [--deals N] [--seed S] [--rules ...]\n"
    "  --deals N   consecutive deals of one game (default 1)\n"
    "  --seed S    the game's seed (0..999999999999999): its deals are numbered S001, S002, ...;\n"
    "              without it a seed is drawn and printed\n"
    "  --deal NUMBER  starts a new game from the deal with that number (as the window's\n"
    "              按编号发牌 does): the same cards to the same seats\n"
    "  --rules     the rule settings (default b3=on,m=off,d=off,winstyle=1)\n"
    "  --level     the computer's level at the seats named, classic or strong (default classic)\n"
    "  --log FILE  writes every note line of every deal, each deal after \"=== deal K: number N\"\n"
    "  --check     checks the invariants after every action; stops at the first fault\n"
    "  --json      prints the summary as one JSON object\n"
    "  --random-human  seat A chooses at random among the decisions the rules allow, each\n"
    "              through the rule gate, the invariants checked after every step; prints\n"
    "              deals per second and the first violation (the other seats: classic)\n"
    "  --every-seat  with --random-human: every seat is such a human\n";

struct Options {
    long long deals = 1;
    std::optional<std::uint64_t> seed;
    std::optional<std::uint64_t> deal;
    Settings rules;
    tav::sim::Levels levels{};
    std::string log;
    bool check = false;
    bool json = false;
    bool help = false;
    bool random_human = false;
    bool every_seat = false;
};

bool parse_unsigned(std::string_view text, unsigned long long max, unsigned long long& out) {
    if (text.empty() || text.size() > 20) return false;
    unsigned long long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        const auto digit = static_cast<unsigned long long>(c - '0');
        if (v > (max - digit) / 10) return false;
        v = v * 10 + digit;
    }
    out = v;
    return true;
}

// "b3=on,m=off,d=on,winstyle=0"; "" when accepted, else what is wrong.
std::string parse_rules(std::string_view text, Settings& s) {
    if (text.empty()) return "--rules needs a list such as b3=on,winstyle=1";
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        const std::size_t eq = item.find('=');
        if (eq == std::string_view::npos) return "rule \"" + std::string(item) + "\" has no value";
        const std::string_view key = item.substr(0, eq), value = item.substr(eq + 1);
        if (key == "winstyle") {
            if (value != "0" && value != "1") return "winstyle takes 0 or 1";
            s.win_style = value == "1" ? 1 : 0;
            continue;
        }
        bool* flag = key == "b3"  ? &s.threes_rule
                     : key == "m" ? &s.smother_tributes
                     : key == "d" ? &s.point_tributes
                                  : nullptr;
        if (!flag) return "unknown rule \"" + std::string(key) + "\"";
        if (value != "on" && value != "off") return std::string(key) + " takes on or off";
        *flag = value == "on";
    }
    return "";
}

std::string rules_text(const Settings& s) {
    auto on = [](bool b) { return b ? "on" : "off"; };
    return std::string("b3=") + on(s.threes_rule) + ",m=" + on(s.smother_tributes) + ",d=" + on(s.point_tributes) +
           ",winstyle=" + std::to_string(s.win_style);
}

// Options from the command line; "" in `error` when they are all good.
Options parse_options(int argc, char** argv, std::string& error) {
    Options o;
    for (int i = 1; i < argc && error.empty(); ++i) {
        std::string_view arg = argv[i];
        std::optional<std::string_view> inline_value;
        if (const std::size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            inline_value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        }
        auto value = [&]() -> std::optional<std::string_view> {
            if (inline_value) return inline_value;
            if (i + 1 < argc) return std::string_view(argv[++i]);
            error = std::string(arg) + " needs a value";
            return std::nullopt;
        };
        if (arg == "--check" || arg == "--json" || arg == "--help" || arg == "-h" || arg == "--random-human" ||
            arg == "--every-seat") {
            if (inline_value)
                error = std::string(arg) + " takes no value";
            else if (arg == "--check")
                o.check = true;
            else if (arg == "--random-human")
                o.random_human = true;
            else if (arg == "--every-seat")
                o.every_seat = true;
            else if (arg == "--json")
                o.json = true;
            else
                o.help = true;
        } else if (arg == "--deals") {
            unsigned long long n = 0;
            if (const auto v = value(); v && (!parse_unsigned(*v, 1'000'000'000, n) || n == 0))
                error = "--deals takes a whole number from 1 to 1000000000, not \"" + std::string(*v) + "\"";
            o.deals = static_cast<long long>(n);
        } else if (arg == "--seed") {
            unsigned long long n = 0;
            if (const auto v = value(); v && !parse_unsigned(*v, tav::kMaxGameSeed, n))
                error = "--seed takes a whole number from 0 to " + std::to_string(tav::kMaxGameSeed) + ", not \"" +
                        std::string(*v) + "\"";
            o.seed = n;
        } else if (arg == "--deal") {
            if (const auto v = value()) {
                const tav::ParsedDealNumber parsed = tav::parse_deal_number(*v);
                if (!parsed.error.empty() || v->empty() || v->front() < '0' || v->front() > '9')
                    error = "--deal takes a deal number: 1 to " + std::to_string(tav::kLastDealNumber) +
                            ", not ending in 000, not \"" + std::string(*v) + "\"";
                o.deal = parsed.number;
            }
        } else if (arg == "--rules") {
            if (const auto v = value()) error = parse_rules(*v, o.rules);
        } else if (arg == "--level") {
            if (const auto v = value()) error = tav::sim::parse_levels(*v, o.levels);
        } else if (arg == "--log") {
            if (const auto v = value(); v && v->empty())
                error = "--log needs a file name";
            else if (v)
                o.log = std::string(*v);
        } else {
            error = "unknown argument \"" + std::string(arg) + "\"";
        }
    }
    if (error.empty() && o.seed && o.deal) error = "--seed and --deal cannot go together";
    if (error.empty() && o.random_human && (o.deal || o.json || !o.log.empty() || o.levels != tav::sim::Levels{}))
        error = "--random-human takes only --every-seat, --deals, --seed, --rules and --check";
    if (error.empty() && o.every_seat && !o.random_human) error = "--every-seat goes with --random-human";
    return o;
}

using tav::sim::PlaceCounts;

// Seat A at random through the rule gate; 0 when nothing broke.
int run_random_human(const Options& o, std::uint64_t seed) {
    const auto start = std::chrono::steady_clock::now();
    const tav::sim::RandomPlayTally t = tav::sim::random_play(tav::sim::rules_of(o.rules), o.deals, seed, o.every_seat);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "seed: " << seed << "\nrules: " << rules_text(o.rules) << (o.every_seat ? "\nevery seat" : "\nseat A")
              << ": at random through the gate\n"
              << "deals: " << t.deals << "\ndecisions: " << t.decisions << "\n";
    std::cout.setf(std::ios::fixed);
    std::cout.precision(2);
    std::cout << "seconds: " << seconds << "\n";
    std::cout.precision(0);
    std::cout << "deals per second: " << (seconds > 0 ? static_cast<double>(t.deals) / seconds : 0) << "\n";
    std::cout << "violations: " << (t.fault.empty() ? 0 : 1) << "\n";
    if (!t.fault.empty()) std::cerr << "tav-sim: " << t.fault << "\n";
    return t.fault.empty() ? 0 : 1;
}

struct Summary {
    long long deals = 0;
    double seconds = 0;
    PlaceCounts places{};
    std::array<int, 7> scores{};
    std::uint64_t seed = 0;
    std::uint64_t first_deal = 0, last_deal = 0;
    std::string rules;
    int violations = 0;
    tav::sim::Levels levels{};
    tav::sim::SideStats sides;

    double per_second() const { return seconds > 0 ? static_cast<double>(deals) / seconds : 0; }
};

long long count(const PlaceCounts& places, int seat, int place) {
    return places[static_cast<std::size_t>(seat)][static_cast<std::size_t>(place)];
}

void print_text(const Summary& s, std::ostream& out) {
    out << "seed: " << s.seed << "\nrules: " << s.rules << "\ndeals: " << s.deals << "\n";
    out << "deal numbers: " << s.first_deal << " to " << s.last_deal << "\n";
    out.setf(std::ios::fixed);
    out.precision(2);
    out << "seconds: " << s.seconds << "\n";
    out.precision(0);
    out << "deals per second: " << s.per_second() << "\n";
    out << "places          1st    2nd    3rd    4th    5th    6th\n";
    for (int seat = 1; seat <= 6; ++seat) {
        out << "  " << std::string(1, tav::game::letter_of(tav::game::seat_at(seat - 1))) << "  ";
        const std::string_view name = tav::game::name_of(tav::game::seat_at(seat - 1));
        out << name;
        // The names are two or three characters wide (each two columns).
        const std::size_t wide = name.size() / 3 * 2;
        out << std::string(8 - wide, ' ');
        for (int place = 1; place <= 6; ++place) {
            const std::string n = std::to_string(count(s.places, seat, place));
            out << std::string(n.size() < 7 ? 7 - n.size() : 1, ' ') << n;
        }
        out << "\n";
    }
    out << "scores:";
    for (int seat = 1; seat <= 6; ++seat)
        out << " " << std::string(1, tav::game::letter_of(tav::game::seat_at(seat - 1))) << " "
            << s.scores[static_cast<std::size_t>(seat)];
    out << "\n";
    s.sides.print_text(out, s.levels);
    out << "violations: " << s.violations << "\n";
}

void print_json(const Summary& s, std::ostream& out) {
    std::ostringstream per;
    per.setf(std::ios::fixed);
    per.precision(1);
    per << s.per_second();
    std::ostringstream secs;
    secs.setf(std::ios::fixed);
    secs.precision(3);
    secs << s.seconds;
    out << "{\"seed\":" << s.seed << ",\"first_deal\":" << s.first_deal << ",\"last_deal\":" << s.last_deal
        << ",\"rules\":\"" << s.rules << "\",\"deals\":" << s.deals << ",\"seconds\":" << secs.str()
        << ",\"deals_per_second\":" << per.str() << ",\"places\":{";
    for (int seat = 1; seat <= 6; ++seat) {
        out << (seat > 1 ? "," : "") << "\"" << std::string(1, tav::game::letter_of(tav::game::seat_at(seat - 1)))
            << "\":[";
        for (int place = 1; place <= 6; ++place) out << (place > 1 ? "," : "") << count(s.places, seat, place);
        out << "]";
    }
    out << "},\"scores\":{";
    for (int seat = 1; seat <= 6; ++seat)
        out << (seat > 1 ? "," : "") << "\"" << std::string(1, tav::game::letter_of(tav::game::seat_at(seat - 1)))
            << "\":" << s.scores[static_cast<std::size_t>(seat)];
    out << "},";
    s.sides.print_json(out, s.levels);
    out << ",\"violations\":" << s.violations << "}\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    Options options = parse_options(argc, argv, error);
    if (!error.empty()) {
        std::cerr << "tav-sim: " << error << "\n" << kUsage;
        return 2;
    }
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    std::ofstream log_file;
    if (!options.log.empty()) {
        log_file.open(options.log);
        if (!log_file) {
            std::cerr << "tav-sim: cannot write the log file \"" << options.log << "\"\n" << kUsage;
            return 2;
        }
    }
    std::uint64_t seed = 0;
    if (options.seed) {
        seed = *options.seed;
    } else if (options.deal) {
        seed = *options.deal / 1000;
    } else {
        seed = tav::draw_game_seed();
        std::cerr << "tav-sim: seed " << seed << "\n";
    }
    if (options.random_human) return run_random_human(options, seed);
    options.rules.play_pause = 0;    // no pause before a play leaves the table
    options.rules.deal_speed = "0";  // the fast deal

    Summary summary;
    summary.seed = seed;
    summary.rules = rules_text(options.rules);
    summary.levels = options.levels;
    tav::sim::Simulation sim(options.rules, seed, options.check, options.levels);
    if (options.deal) sim.start_at(*options.deal);
    summary.first_deal = sim.next_deal_number();
    std::ostream* log = log_file.is_open() ? &log_file : nullptr;
    if (log) sim.on_note([log](std::string_view line) { *log << line << '\n'; });
    const auto start = std::chrono::steady_clock::now();
    for (long long deal = 1; deal <= options.deals; ++deal) {
        if (log) *log << "=== deal " << deal << ": number " << sim.next_deal_number() << '\n';
        const std::array<int, 7> before = sim.scores();
        if (!sim.play_deal()) break;
        std::array<int, 7> change = sim.scores();
        for (std::size_t k = 1; k < change.size(); ++k) change[k] -= before[k];
        summary.sides.add_deal(change, sim.last_places());
    }
    summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    summary.deals = sim.deals_played();
    summary.last_deal = sim.deal_number();
    summary.places = sim.places();
    summary.scores = sim.scores();
    const bool clean = sim.fault().empty();
    summary.violations = clean ? 0 : 1;
    if (!clean) std::cerr << "tav-sim: " << sim.fault() << "\n";
    if (options.json)
        print_json(summary, std::cout);
    else
        print_text(summary, std::cout);
    if (log_file.is_open()) {
        log_file.flush();
        if (!log_file) {
            std::cerr << "tav-sim: writing the log file \"" << options.log << "\" failed\n";
            return 1;
        }
    }
    return clean ? 0 : 1;
}
