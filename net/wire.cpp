#include "net/wire.h"

#include <algorithm>
#include <boost/json/basic_parser_impl.hpp>
#include <type_traits>

namespace tav::net::wire {

static_assert(std::is_same_v<game::Hand, game::Play>, "one pile type on the wire");

void fail(ErrorCode code, std::string field, std::string message) {
    throw Failure{Error{code, std::move(field), std::move(message)}};
}

Reader::Reader(const json::value& v, std::string path) : o_(v.if_object()), path_(std::move(path)) {
    if (!o_) fail(ErrorCode::wrong_type, path_, "not an object");
}

std::string Reader::field(std::string_view key) const {
    return path_.empty() ? std::string(key) : path_ + "." + std::string(key);
}

const json::value* Reader::optional(std::string_view key) {
    const json::value* v = o_->if_contains(key);
    if (v) read_.push_back(key);
    return v;
}

const json::value& Reader::required(std::string_view key) {
    const json::value* v = optional(key);
    if (!v) fail(ErrorCode::missing_field, field(key), "missing");
    return *v;
}

// Only whole numbers written as such: 1.0 and 1e0 are refused.
std::int64_t read_number(const json::value& v, const std::string& where, std::int64_t lo, std::int64_t hi) {
    if (!v.is_int64() && !v.is_uint64()) fail(ErrorCode::wrong_type, where, "not a whole number");
    // A number past the signed range is past every bound here.
    if (v.is_uint64() || v.get_int64() < lo || v.get_int64() > hi)
        fail(ErrorCode::out_of_bounds, where, "outside " + std::to_string(lo) + ".." + std::to_string(hi));
    return v.get_int64();
}

namespace {

game::Card card_at(const json::value& v, const std::string& where) {
    return static_cast<game::Card>(read_number(v, where, 1, game::kCards));
}

std::string at(const std::string& where, std::size_t i) { return where + "[" + std::to_string(i) + "]"; }

// Code points of valid UTF-8 (the parser has checked it); -1 for a control character.
int characters(std::string_view s) {
    int n = 0;
    for (unsigned char c : s) {
        if (c < 0x20 || c == 0x7f) return -1;
        if ((c & 0xc0) != 0x80) ++n;
    }
    return n;
}

}  // namespace

std::int64_t Reader::integer(std::string_view key, std::int64_t lo, std::int64_t hi) {
    return read_number(required(key), field(key), lo, hi);
}

bool Reader::boolean(std::string_view key) {
    const json::value& v = required(key);
    if (!v.is_bool()) fail(ErrorCode::wrong_type, field(key), "not true or false");
    return v.get_bool();
}

std::string Reader::text(std::string_view key) {
    const json::value& v = required(key);
    if (!v.is_string()) fail(ErrorCode::wrong_type, field(key), "not a string");
    return std::string(v.get_string());
}

std::string Reader::line(std::string_view key, int most) {
    std::string s = text(key);
    const int n = characters(s);
    if (n < 0) fail(ErrorCode::out_of_bounds, field(key), "holds a control character");
    if (n < 1 || n > most) fail(ErrorCode::out_of_bounds, field(key), "not 1.." + std::to_string(most) + " characters");
    return s;
}

std::string Reader::code(std::string_view key, std::size_t length, std::string_view alphabet) {
    std::string s = text(key);
    const bool ok = s.size() == length &&
                    std::all_of(s.begin(), s.end(), [&](char c) { return alphabet.find(c) != std::string_view::npos; });
    if (!ok)
        fail(ErrorCode::out_of_bounds, field(key), "not " + std::to_string(length) + " characters of its alphabet");
    return s;
}

game::Seat Reader::seat(std::string_view key) {
    const std::string s = text(key);
    if (s.size() != 1 || s[0] < 'A' || s[0] > 'F') fail(ErrorCode::out_of_bounds, field(key), "not a seat A..F");
    return static_cast<game::Seat>(s[0] - 'A');
}

std::optional<game::Seat> Reader::optional_seat(std::string_view key) {
    if (!o_->contains(key)) return std::nullopt;
    return seat(key);
}

game::Card Reader::card_or_hidden(std::string_view key) {
    const json::value* v = optional(key);
    return v ? card_at(*v, field(key)) : game::Card{0};
}

const json::array& Reader::array(std::string_view key, std::size_t most) {
    const json::value& v = required(key);
    if (!v.is_array()) fail(ErrorCode::wrong_type, field(key), "not a list");
    if (v.get_array().size() > most)
        fail(ErrorCode::out_of_bounds, field(key), "more than " + std::to_string(most) + " entries");
    return v.get_array();
}

std::vector<game::Card> Reader::cards(std::string_view key, std::size_t most) {
    const json::array& a = array(key, most);
    std::vector<game::Card> out;
    out.reserve(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) out.push_back(card_at(a[i], at(field(key), i)));
    return out;
}

game::Hand Reader::pile(std::string_view key) { return read_pile(required(key), field(key)); }

game::Hand read_pile(const json::value& v, const std::string& where) {
    constexpr std::size_t kMost = 96;
    game::Hand p;
    if (v.is_object()) {
        Reader hidden(v, where);
        const auto n = hidden.integer("hidden", 1, kMost);
        hidden.done();
        for (std::int64_t i = 0; i < n; ++i) p.push(0);
        return p;
    }
    if (!v.is_array()) fail(ErrorCode::wrong_type, where, "not a list of cards nor a count of hidden ones");
    const json::array& a = v.get_array();
    if (a.size() > kMost) fail(ErrorCode::out_of_bounds, where, "more than 96 cards");
    for (std::size_t i = 0; i < a.size(); ++i) p.push(card_at(a[i], at(where, i)));
    return p;
}

void Reader::done() const {
    for (const auto& kv : *o_)
        if (std::find(read_.begin(), read_.end(), kv.key()) == read_.end())
            fail(ErrorCode::unknown_field, field(kv.key()), "not a field of this message");
}

std::string_view seat_name(game::Seat s) {
    static constexpr std::array<std::string_view, game::kSeats> kNames{"A", "B", "C", "D", "E", "F"};
    return kNames[game::array_index(s)];
}

json::value pile_value(const game::Hand& p) {
    // A face-down card anywhere: the pile goes as a count and names no card.
    if (std::find(p.begin(), p.end(), game::Card{0}) != p.end()) return json::object{{"hidden", p.size()}};
    json::array a;
    a.reserve(static_cast<std::size_t>(p.size()));
    for (game::Card c : p) a.push_back(c);
    return a;
}

namespace {

// The parser keeps the last of a key named twice in an object; the protocol
// refuses such a text. This pass reads only the keys, each object's in a list.
struct KeyCheck {
    static constexpr std::size_t max_array_size = static_cast<std::size_t>(-1);
    static constexpr std::size_t max_object_size = static_cast<std::size_t>(-1);
    static constexpr std::size_t max_string_size = static_cast<std::size_t>(-1);
    static constexpr std::size_t max_key_size = static_cast<std::size_t>(-1);
    using ec_t = boost::system::error_code;

    std::vector<std::vector<std::string>> objects;  // the keys of each object open, innermost last
    std::string key;                                // the key being read
    std::string repeated;                           // the first key found twice

    bool on_document_begin(ec_t&) { return true; }
    bool on_document_end(ec_t&) { return true; }
    bool on_array_begin(ec_t&) { return true; }
    bool on_array_end(std::size_t, ec_t&) { return true; }
    bool on_object_begin(ec_t&) {
        objects.emplace_back();
        return true;
    }
    bool on_object_end(std::size_t, ec_t&) {
        objects.pop_back();
        return true;
    }
    bool on_string_part(json::string_view, std::size_t, ec_t&) { return true; }
    bool on_string(json::string_view, std::size_t, ec_t&) { return true; }
    bool on_key_part(json::string_view s, std::size_t, ec_t&) {
        key.append(s.data(), s.size());
        return true;
    }
    bool on_key(json::string_view s, std::size_t, ec_t& ec) {
        key.append(s.data(), s.size());
        std::vector<std::string>& seen = objects.back();
        if (std::find(seen.begin(), seen.end(), key) != seen.end()) {
            repeated = key;
            ec = boost::system::errc::make_error_code(boost::system::errc::invalid_argument);
            return false;
        }
        seen.push_back(std::move(key));
        key.clear();
        return true;
    }
    bool on_number_part(json::string_view, ec_t&) { return true; }
    bool on_int64(std::int64_t, json::string_view, ec_t&) { return true; }
    bool on_uint64(std::uint64_t, json::string_view, ec_t&) { return true; }
    bool on_double(double, json::string_view, ec_t&) { return true; }
    bool on_bool(bool, ec_t&) { return true; }
    bool on_null(ec_t&) { return true; }
    bool on_comment_part(json::string_view, ec_t&) { return true; }
    bool on_comment(json::string_view, ec_t&) { return true; }
};

}  // namespace

const json::object& parse_object(std::string_view text, std::size_t most, json::value& storage) {
    if (text.size() > most) fail(ErrorCode::too_long, "", "longer than " + std::to_string(most) + " bytes");
    json::parse_options opt;
    opt.max_depth = 8;  // the deepest message nests five levels
    boost::system::error_code ec;
    storage = json::parse(text, ec, {}, opt);
    if (ec) fail(ErrorCode::not_json, "", "not JSON: " + ec.message());
    json::basic_parser<KeyCheck> keys(opt);
    keys.write_some(false, text.data(), text.size(), ec);
    if (!keys.handler().repeated.empty())
        fail(ErrorCode::repeated_field, keys.handler().repeated, "named twice in one object");
    if (!storage.is_object()) fail(ErrorCode::not_object, "", "not a JSON object");
    return storage.get_object();
}

std::string to_text(const json::object& o) { return json::serialize(o); }

}  // namespace tav::net::wire
