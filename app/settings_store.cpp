#include "app/settings_store.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <string_view>

namespace tav {
namespace {

std::string colour_text(const std::array<int, 3>& c) {
    return std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]);
}

bool read_int(std::string_view w, int lo, int hi, int& out) {
    int v = 0;
    const auto [p, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
    if (w.empty() || ec != std::errc() || p != w.data() + w.size() || v < lo || v > hi) return false;
    out = v;
    return true;
}

bool read_flag(std::string_view w, bool& out) {
    int v = 0;
    if (!read_int(w, 0, 1, v)) return false;
    out = v == 1;
    return true;
}

// Red, green and blue, 0..255 each, apart by single spaces (a comma would make
// the settings file read the value as a list).
bool read_colour(std::string_view w, std::array<int, 3>& out) {
    std::array<int, 3> c{};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t comma = i < 2 ? w.find(' ') : w.size();
        if (comma == std::string_view::npos || !read_int(w.substr(0, comma), 0, 255, c[i])) return false;
        w.remove_prefix(i < 2 ? comma + 1 : comma);
    }
    out = c;
    return true;
}

// The backs the card back dialog offers.
bool known_back(std::string_view w) {
    constexpr std::string_view kStart = "cards\\bgcard", kEnd = ".bmp";
    if (w.size() != kStart.size() + 1 + kEnd.size() || w.substr(0, kStart.size()) != kStart ||
        w.substr(kStart.size() + 1) != kEnd)
        return false;
    const char n = w[kStart.size()];
    return n >= '1' && n <= '6';
}

// A remembered line of text (an address, a code, a name): short, on one
// line, with no control characters.
bool read_line(std::string_view w, std::size_t most, std::string& out) {
    if (w.size() > most) return false;
    for (const char c : w)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
    out = std::string(w);
    return true;
}

struct Entry {
    const char* key;
    std::function<std::string(const Settings&)> write;
    std::function<bool(Settings&, std::string_view)> read;  // false: refused, nothing changed
};

const std::vector<Entry>& entries() {
    static const std::vector<Entry> list{
        {"rules/threes", [](const Settings& s) { return std::string(s.threes_rule ? "1" : "0"); },
         [](Settings& s, std::string_view w) { return read_flag(w, s.threes_rule); }},
        {"rules/smother", [](const Settings& s) { return std::string(s.smother_tributes ? "1" : "0"); },
         [](Settings& s, std::string_view w) { return read_flag(w, s.smother_tributes); }},
        {"rules/points", [](const Settings& s) { return std::string(s.point_tributes ? "1" : "0"); },
         [](Settings& s, std::string_view w) { return read_flag(w, s.point_tributes); }},
        {"rules/place_box", [](const Settings& s) { return std::string(s.place_tributes_box ? "1" : "0"); },
         [](Settings& s, std::string_view w) { return read_flag(w, s.place_tributes_box); }},
        {"rules/win_style", [](const Settings& s) { return std::to_string(s.win_style); },
         [](Settings& s, std::string_view w) { return read_int(w, 0, 1, s.win_style); }},
        {"rules/computer_level", [](const Settings& s) { return std::to_string(s.computer_level); },
         [](Settings& s, std::string_view w) { return read_int(w, 0, 1, s.computer_level); }},
        {"table/deal_speed", [](const Settings& s) { return s.deal_speed; },
         [](Settings& s, std::string_view w) {
             if (w != "0" && w != "1") return false;
             s.deal_speed = std::string(w);
             return true;
         }},
        // In hundredths of a second, as the rules dialog's slider sets it.
        {"table/pause",
         [](const Settings& s) { return std::to_string(static_cast<int>(std::lround(s.play_pause * 100))); },
         [](Settings& s, std::string_view w) {
             int hundredths = 0;
             if (!read_int(w, 0, 50, hundredths)) return false;
             s.play_pause = hundredths / 100.0;
             return true;
         }},
        {"table/background", [](const Settings& s) { return std::to_string(s.background_style); },
         [](Settings& s, std::string_view w) { return read_int(w, 1, 3, s.background_style); }},
        {"table/colour1", [](const Settings& s) { return colour_text(s.background_colour1); },
         [](Settings& s, std::string_view w) { return read_colour(w, s.background_colour1); }},
        {"table/colour2", [](const Settings& s) { return colour_text(s.background_colour2); },
         [](Settings& s, std::string_view w) { return read_colour(w, s.background_colour2); }},
        {"table/colour3", [](const Settings& s) { return colour_text(s.background_colour3); },
         [](Settings& s, std::string_view w) { return read_colour(w, s.background_colour3); }},
        {"table/card_back", [](const Settings& s) { return s.card_back; },
         [](Settings& s, std::string_view w) {
             if (!known_back(w)) return false;
             s.card_back = std::string(w);
             return true;
         }},
        // The optional helps the table shows.
        {"view/deal_number", [](const Settings& s) { return std::string(s.show_deal_number ? "1" : "0"); },
         [](Settings& s, std::string_view w) { return read_flag(w, s.show_deal_number); }},
        {"view/hint_button", [](const Settings& s) { return std::string(s.show_hint_button ? "1" : "0"); },
         [](Settings& s, std::string_view w) { return read_flag(w, s.show_hint_button); }},
        {"view/counter", [](const Settings& s) { return std::string(s.show_counter ? "1" : "0"); },
         [](Settings& s, std::string_view w) { return read_flag(w, s.show_counter); }},
        {"view/language", [](const Settings& s) { return std::to_string(s.language); },
         [](Settings& s, std::string_view w) { return read_int(w, 0, 2, s.language); }},
        {"net/address", [](const Settings& s) { return s.net_address; },
         [](Settings& s, std::string_view w) { return read_line(w, 255, s.net_address); }},
        {"net/code", [](const Settings& s) { return s.net_code; },
         [](Settings& s, std::string_view w) { return read_line(w, 10, s.net_code); }},
        {"net/name", [](const Settings& s) { return s.net_name; },
         [](Settings& s, std::string_view w) { return read_line(w, 48, s.net_name); }},
    };
    return list;
}

}  // namespace

SettingsEntries settings_entries(const Settings& s) {
    SettingsEntries out;
    for (const Entry& e : entries()) out.emplace_back(e.key, e.write(s));
    return out;
}

std::vector<std::string> apply_settings_entries(Settings& s, const SettingsEntries& given) {
    std::vector<std::string> refused;
    for (const auto& [key, value] : given)
        for (const Entry& e : entries())
            if (key == e.key && !e.read(s, value)) {
                std::string why = key;
                why += ": \"" + value + "\" is not a value it takes";
                refused.push_back(std::move(why));
            }
    return refused;
}

}  // namespace tav
