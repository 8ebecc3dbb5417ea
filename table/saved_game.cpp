#include "table/saved_game.h"

#include <array>
#include <charconv>
#include <sstream>

#include "model/serialise.h"
#include "table/deal_numbers.h"

namespace tav {
namespace {

constexpr std::string_view kHeader = "tav saved game ";
// More note lines than any game writes in a long evening: a bigger count was not written by us.
constexpr long kMaxNotes = 10'000'000;
// Past the table's far corner (3602 by 2272 table units).
constexpr long kTableReach = 5000;

// A note line on one line of the file: backslashes and line ends escaped.
std::string escaped(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    for (char c : line) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

bool unescape(std::string_view line, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\\') {
            out += line[i];
            continue;
        }
        if (++i == line.size()) return false;
        if (line[i] == '\\')
            out += '\\';
        else if (line[i] == 'n')
            out += '\n';
        else
            return false;
    }
    return true;
}

// Takes the next line off `rest`; false when no whole line is left.
bool take_line(std::string_view& rest, std::string_view& line) {
    const std::size_t nl = rest.find('\n');
    if (nl == std::string_view::npos) return false;
    line = rest.substr(0, nl);
    rest.remove_prefix(nl + 1);
    return true;
}

bool whole_number(std::string_view w, long lo, long hi, long& v) {
    const auto [p, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
    return !w.empty() && ec == std::errc() && p == w.data() + w.size() && v >= lo && v <= hi;
}

std::string_view next_word(std::string_view& line) {
    const std::size_t sp = line.find(' ');
    const std::string_view w = line.substr(0, sp);
    line.remove_prefix(sp == std::string_view::npos ? line.size() : sp + 1);
    return w;
}

// A spot for each card of a hand, once, within the table.
bool read_spots(std::string_view line, const game::State& s, std::vector<CardSpot>& spots) {
    if (next_word(line) != "spots") return false;
    int in_hands = 0;
    std::array<bool, game::kCards + 1> held{}, spotted{};
    for (game::Seat seat : game::kAllSeats)
        for (game::Card c : s.hands[seat]) {
            held[c] = true;
            ++in_hands;
        }
    long n = 0;
    if (!whole_number(next_word(line), in_hands, in_hands, n)) return false;
    for (long i = 0; i < n; ++i) {
        long card = 0, x = 0, y = 0, up = 0, row = 0;
        if (!whole_number(next_word(line), 1, game::kCards, card) || !held[static_cast<std::size_t>(card)] ||
            spotted[static_cast<std::size_t>(card)] || !whole_number(next_word(line), 0, kTableReach, x) ||
            !whole_number(next_word(line), 0, kTableReach, y) || !whole_number(next_word(line), 0, 1, up) ||
            !whole_number(next_word(line), 0, 1, row))
            return false;
        spotted[static_cast<std::size_t>(card)] = true;
        spots.push_back({static_cast<game::Card>(card), static_cast<int>(x), static_cast<int>(y), up == 1, row == 1});
    }
    return line.empty();
}

std::string refuse_with(SavedGameRead& r, std::string why) {
    r.game = SavedGame{};
    r.error = std::move(why);
    return r.error;
}

// "numbers D N": the deal last dealt (0 for none) and the next, each a
// deal's number.
bool read_numbers(std::string_view line, std::uint64_t& dealt, std::uint64_t& next) {
    if (line.substr(0, 8) != "numbers ") return false;
    line.remove_prefix(8);
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) return false;
    auto number = [](std::string_view text, std::uint64_t& out) {
        const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
        return !text.empty() && ec == std::errc() && p == text.data() + text.size();
    };
    return number(line.substr(0, space), dealt) && number(line.substr(space + 1), next) &&
           (dealt == 0 || place_of(dealt)) && place_of(next);
}

}  // namespace

bool game_started(const game::State& s) { return s.phase != game::Phase::between_deals || s.first_leader.has_value(); }

std::string write_saved_game(const SavedGame& g) {
    std::ostringstream rng;
    rng << g.rng;
    std::string out = std::string(kHeader) + std::to_string(kSavedGameFormat) + "\n";
    out += game::write_state(g.state);
    out += "rng " + rng.str() + "\n";
    out += "game " + std::to_string(g.game_key) + "\n";
    out += "spots " + std::to_string(g.spots.size());
    for (const CardSpot& c : g.spots)
        out += " " + std::to_string(c.card) + " " + std::to_string(c.x) + " " + std::to_string(c.y) +
               (c.face_up ? " 1" : " 0") + (c.in_row ? " 1" : " 0");
    out += "\n";
    out += "numbers " + std::to_string(g.dealt_number) + " " + std::to_string(g.next_number) + "\n";
    out += "notes " + std::to_string(g.notes.size()) + "\n";
    for (const std::string& line : g.notes) out += escaped(line) + "\n";
    out += "end\n";
    return out;
}

SavedGameRead read_saved_game(std::string_view text) {
    SavedGameRead r;
    std::string_view rest = text, line;
    if (!take_line(rest, line) || line.substr(0, kHeader.size()) != kHeader) {
        refuse_with(r, "not a saved game of this program");
        return r;
    }
    long version = 0;
    if (!whole_number(line.substr(kHeader.size()), 0, 1'000'000, version)) {
        refuse_with(r, "the saved game's version is not a number");
        return r;
    }
    if (version != kSavedGameFormat) {
        refuse_with(r, "a saved game of version " + std::to_string(version) + ", this program reads version " +
                           std::to_string(kSavedGameFormat));
        return r;
    }
    // The state's lines run up to the generator's.
    const std::size_t rng_at = rest.find("\nrng ");
    if (rng_at == std::string_view::npos) {
        refuse_with(r, "the saved game is cut short: no generator");
        return r;
    }
    game::StateRead state = game::read_state(rest.substr(0, rng_at + 1));
    if (!state.ok()) {
        refuse_with(r, "the saved game's state is refused: " + state.error);
        return r;
    }
    if (state.state.ask == game::Ask::nothing || state.state.next != game::State::Next::none) {
        refuse_with(r, "the saved game's state does not wait for the human");
        return r;
    }
    r.game.state = state.state;
    rest.remove_prefix(rng_at + 1);

    take_line(rest, line);
    {
        std::istringstream in{std::string(line.substr(4))};
        in >> r.game.rng;
        const bool read = !in.fail();
        in >> std::ws;
        if (!read || !in.eof()) {
            refuse_with(r, "the saved game's generator is damaged");
            return r;
        }
    }
    long count = 0;
    if (!take_line(rest, line) || line.substr(0, 5) != "game ") {
        refuse_with(r, "the saved game is cut short: no game key");
        return r;
    }
    const std::string_view key = line.substr(5);
    const auto [kp, kec] = std::from_chars(key.data(), key.data() + key.size(), r.game.game_key);
    if (key.empty() || kec != std::errc() || kp != key.data() + key.size()) {
        refuse_with(r, "the saved game's key is not a number");
        return r;
    }
    if (!take_line(rest, line) || !read_spots(line, r.game.state, r.game.spots)) {
        refuse_with(r, "the saved game's spots of the cards are missing or damaged");
        return r;
    }
    if (!take_line(rest, line) || !read_numbers(line, r.game.dealt_number, r.game.next_number)) {
        refuse_with(r, "the saved game's deal numbers are missing or damaged");
        return r;
    }
    if (!take_line(rest, line) || line.substr(0, 6) != "notes " || !whole_number(line.substr(6), 0, kMaxNotes, count)) {
        refuse_with(r, "the saved game's note count is missing or damaged");
        return r;
    }
    std::string note;
    for (long i = 0; i < count; ++i) {
        if (!take_line(rest, line)) {
            refuse_with(r, "the saved game is cut short in its notes");
            return r;
        }
        if (!unescape(line, note)) {
            refuse_with(r, "a note line of the saved game is damaged");
            return r;
        }
        r.game.notes.push_back(note);
    }
    if (!take_line(rest, line) || line != "end" || !rest.empty()) {
        refuse_with(r, "the saved game does not end where it should");
        return r;
    }
    return r;
}

}  // namespace tav
