// The seed corpora of the state and saved-game fuzzers, made from real games,
// and the check that every seed kept there reads:
//   tav-fuzz-seeds write tools/fuzz/corpus   # renews the game-* seeds of state/ and saved_game/
//   tav-fuzz-seeds check tools/fuzz/corpus   # (a test) every seed reads; every input in refused/ is refused
// The games are fixed (rules, seeds, the computer for the human), so the
// seeds come out the same each time; write them again whenever a format
// changes, so the fuzzers start from texts that read, not from a refusal.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/settings.h"
#include "host/driver.h"
#include "rules/engine.h"
#include "session/session.h"
#include "store/saved_game.h"
#include "store/serialise.h"
#include "view/platform.h"

namespace fs = std::filesystem;
using namespace tav;

namespace {

struct Game {
    const char* name;
    Settings settings;
    std::uint64_t seed;
};

std::vector<Game> games() {
    Settings classic;
    classic.play_pause = 0;
    Settings every_tribute = classic;
    every_tribute.smother_tributes = every_tribute.point_tributes = true;
    Settings no_threes = every_tribute;
    no_threes.threes_rule = false;
    Settings scores_only = classic;
    scores_only.win_style = 0;
    Settings strong = every_tribute;
    strong.computer_level = 1;
    return {{"classic", classic, 11},
            {"every tribute", every_tribute, 12},
            {"no threes", no_threes, 13},
            {"scores only", scores_only, 14},
            {"strong", strong, 15}};
}

// Saved games at each kind of question the human is asked (and between
// deals), the first time each comes up in a game of three deals.
std::vector<std::string> saved_games(const Game& g) {
    Settings settings = g.settings;
    ScriptedPlatform platform;
    Session session(settings, platform, g.seed);
    std::set<int> taken;
    std::vector<std::string> out;
    for (int acts = 0; acts < 3000 && session.helps().deal_number() < g.seed * 1000 + 4; ++acts) {
        const game::State& s = session.state();
        if (game_started(s) && taken.insert(static_cast<int>(s.ask) * 2 + (s.trick.standing ? 1 : 0)).second) {
            SavedGame kept = session.keep();
            kept.game_key = g.seed;
            out.push_back(write_saved_game(kept));
        }
        if (s.ask == game::Ask::shuffle)
            session.shuffle();
        else if (!session.autoplay_human())
            break;
    }
    return out;
}

// States where the engine waits, each kind of question once, a partner's
// tribute offered to the human included (the window answers that at once).
std::vector<std::string> states(const Game& g) {
    game::State s = game::new_game({.threes = g.settings.threes_rule,
                                    .smother = g.settings.smother_tributes,
                                    .points = g.settings.point_tributes,
                                    .tributes = g.settings.win_style == 1});
    std::mt19937_64 rng(g.seed);
    std::set<int> taken;
    std::vector<std::string> out;
    for (int acts = 0, deals = 0; acts < 3000 && deals <= 3; ++acts) {
        if (taken.insert(static_cast<int>(s.ask)).second) out.push_back(game::write_state(s));
        game::Events ev;
        ev.keep = game::Keep::outcome;
        if (s.ask == game::Ask::shuffle) {
            ++deals;
            tav::host::shuffle(s, ev, rng);
        } else if (s.ask == game::Ask::take_partner_tribute) {
            tav::host::decide(s, game::Seat::A, game::Decision{game::Move::take_tribute, {}}, ev);
        } else if (!tav::host::computer_decides(s, ev)) {
            break;
        }
    }
    return out;
}

bool write(const fs::path& dir, const std::vector<std::string>& texts) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    for (const fs::directory_entry& e : fs::directory_iterator(dir, ec))
        if (e.is_regular_file() && e.path().filename().string().rfind("game-", 0) == 0) fs::remove(e.path(), ec);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "game-%02zu", i + 1);
        std::ofstream file(dir / name, std::ios::binary);
        file << texts[i];
        if (!file.flush()) {
            std::fprintf(stderr, "tav-fuzz-seeds: cannot write %s\n", (dir / name).c_str());
            return false;
        }
    }
    std::printf("%zu seeds in %s\n", texts.size(), dir.c_str());
    return true;
}

std::string read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "" when the text reads, else why not.
std::string refusal(const std::string& kind, const std::string& text) {
    return kind == "state" ? game::read_state(text).error : read_saved_game(text).error;
}

// Every seed directly in `dir` reads, every input in `dir`/refused is refused.
int check(const fs::path& dir, const std::string& kind) {
    int faults = 0, seeds = 0;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(dir / kind, ec)) {
        if (!e.is_regular_file()) continue;
        const bool refused = e.path().parent_path().filename() == "refused";
        const std::string why = refusal(kind, read(e.path()));
        seeds += refused ? 0 : 1;
        if (why.empty() == refused) {
            std::fprintf(stderr, "%s: %s\n", e.path().c_str(), refused ? "reads, but is kept as refused" : why.c_str());
            ++faults;
        }
    }
    if (ec || seeds == 0) {
        std::fprintf(stderr, "tav-fuzz-seeds: no seeds in %s\n", (dir / kind).c_str());
        ++faults;
    }
    return faults;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string how = argc == 3 ? argv[1] : "";
    if (how != "write" && how != "check") {
        std::fprintf(stderr, "usage: tav-fuzz-seeds write|check <corpus folder>\n");
        return 2;
    }
    const fs::path dir = argv[2];
    if (how == "check") return check(dir, "state") + check(dir, "saved_game") == 0 ? 0 : 1;
    std::vector<std::string> kept, states_seen;
    for (const Game& g : games()) {
        for (std::string& t : saved_games(g)) kept.push_back(std::move(t));
        for (std::string& t : states(g)) states_seen.push_back(std::move(t));
    }
    return write(dir / "saved_game", kept) && write(dir / "state", states_seen) ? 0 : 1;
}
