// The modify command parser of the table surface: reads a command into a
// list of actions and checks every item (names, properties, values) before
// the surface applies any of them. Errors carry the line and column.
#include "surface/surface_parser.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "surface/surface_properties.h"

namespace tav::detail {
namespace {

// Character classes by table: the parser asks for every byte of a command.
constexpr unsigned char kBlank = 1, kNameChar = 2, kDot = 4, kPathChar = kNameChar | kDot;
constexpr std::array<unsigned char, 256> kClass = [] {
    std::array<unsigned char, 256> t{};
    for (unsigned char c : {' ', '\t', '\n', '\r', '\f', '\v'}) t[c] = kBlank;
    // Object names: ASCII letters, digits, underscore, and any byte of a UTF-8 sequence.
    for (int c = 0; c < 256; ++c)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c >= 0x80)
            t[static_cast<std::size_t>(c)] = kNameChar;
    t['.'] = kDot;
    return t;
}();
bool is_blank(char c) { return kClass[static_cast<unsigned char>(c)] == kBlank; }
bool is_name_char(char c) { return kClass[static_cast<unsigned char>(c)] == kNameChar; }

// What `~c` stands for inside quotes; -1 for no escape.
int escape_of(char c) {
    switch (c) {
        case '"':
        case '\'':
        case '~': return c;
        case 'r': return '\r';
        case 'n': return '\n';
        case 't': return '\t';
        default: return -1;
    }
}

}  // namespace

std::string unescape(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '~' && i + 1 < raw.size())
            out += static_cast<char>(escape_of(raw[++i]));
        else
            out += raw[i];
    }
    return out;
}

namespace {

struct Value {
    std::string_view raw;
    bool escaped = false;
    std::size_t at = 0;
    std::string_view text(std::string& scratch) const {
        if (!escaped) return raw;
        scratch = unescape(raw);
        return scratch;
    }
};

// Text for an error message, in quotes, cut short on a character boundary.
std::string quoted(std::string_view s) {
    std::size_t end = std::min<std::size_t>(s.size(), 24);
    while (end > 0 && end < s.size() && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
    return "\"" + std::string(s.substr(0, end)) + (end < s.size() ? "...\"" : "\"");
}
// The text at `at` up to the next blank, for an error message.
std::string snippet(std::string_view s, std::size_t at) {
    std::size_t end = at;
    while (end < s.size() && end - at < 32 && !is_blank(s[end])) ++end;
    return quoted(s.substr(at, end - at));
}

constexpr int kMissing = -2;  // resolve(): no such object at this point
constexpr int kCreated = -1;  // resolve(): made earlier in this command

class Parser {
public:
    Parser(std::string_view s, const std::unordered_map<std::string, int>& names) : s_(s), names_(names) {}

    // Reads and checks the next item; false at the end or on an error.
    bool next(Surface::Action& a) {
        skip_blanks();
        if (pos_ >= s_.size()) return false;
        const std::size_t at = pos_;
        const std::string_view w = word();
        if (!w.empty() && pos_ < s_.size() && s_[pos_] == '.') return assignment(w, at, a);
        if (iequals(w, "create")) return creation(at, a);
        if (iequals(w, "destroy")) return removal(a);
        return fail(at, "unexpected text " + snippet(s_, at));
    }

    bool failed() const { return !error_.empty(); }
    std::string error_text() const {
        std::size_t line = 1, column = 1;
        for (std::size_t i = 0; i < error_at_ && i < s_.size(); ++i) {
            if (s_[i] == '\n')
                ++line, column = 1;
            else
                ++column;
        }
        return "Line " + std::to_string(line) + " Column " + std::to_string(column) + ": " + error_;
    }

private:
    bool fail(std::size_t at, std::string message) {
        error_at_ = at;
        error_ = std::move(message);
        return false;
    }
    void skip_blanks() {
        while (pos_ < s_.size() && is_blank(s_[pos_])) ++pos_;
    }
    std::string_view word() {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && is_name_char(s_[pos_])) ++pos_;
        return s_.substr(start, pos_ - start);
    }
    std::string_view path() {  // a property: name characters and dots
        const std::size_t start = pos_;
        while (pos_ < s_.size() && (kClass[static_cast<unsigned char>(s_[pos_])] & kPathChar)) ++pos_;
        return s_.substr(start, pos_ - start);
    }
    // An item ends at a blank or the end (or at ')' inside a creation).
    bool item_end(bool in_parens) {
        if (pos_ >= s_.size() || is_blank(s_[pos_]) || (in_parens && s_[pos_] == ')')) return true;
        return fail(pos_, "unexpected text " + snippet(s_, pos_));
    }
    bool equals_sign(std::string_view after) {
        skip_blanks();
        if (pos_ >= s_.size() || s_[pos_] != '=') return fail(pos_, "expected = after " + std::string(after));
        ++pos_;
        skip_blanks();
        return true;
    }

    bool value(Value& v, bool in_parens) {
        v.at = pos_;
        if (pos_ < s_.size() && (s_[pos_] == '"' || s_[pos_] == '\'')) {
            const char quote = s_[pos_];
            const std::size_t start = ++pos_;
            for (;;) {
                // The closing quote or an escape. Most values are a few
                // bytes and are read directly; the long note text is left
                // to memchr, which reads many bytes at a time.
                std::size_t i = pos_;
                const std::size_t near = std::min(s_.size(), pos_ + 24);
                while (i < near && s_[i] != quote && s_[i] != '~') ++i;
                if (i == near && i < s_.size()) {
                    const char* base = s_.data();
                    const void* q = std::memchr(base + i, quote, s_.size() - i);
                    const std::size_t closing =
                        q ? static_cast<std::size_t>(static_cast<const char*>(q) - base) : s_.size();
                    const void* t = std::memchr(base + i, '~', closing - i);
                    i = t ? static_cast<std::size_t>(static_cast<const char*>(t) - base) : closing;
                }
                if (i >= s_.size() || (s_[i] == '~' && i + 1 >= s_.size())) return fail(v.at, "missing closing quote");
                if (s_[i] == quote) {
                    v.raw = s_.substr(start, i - start);
                    pos_ = i + 1;
                    return true;
                }
                if (escape_of(s_[i + 1]) < 0) {
                    const char c = s_[i + 1];
                    return fail(i, std::string("unknown escape ~") + (c > ' ' && c < 127 ? c : '?'));
                }
                v.escaped = true;
                pos_ = i + 2;
            }
        }
        const std::size_t start = pos_;
        while (pos_ < s_.size() && !is_blank(s_[pos_]) && !(in_parens && s_[pos_] == ')')) ++pos_;
        if (pos_ == start) return fail(start, "missing value");
        v.raw = s_.substr(start, pos_ - start);
        return true;
    }

    int resolve(std::string_view name) {
        if (!pending_.empty()) {
            const auto it = pending_.find(name);
            if (it != pending_.end()) return it->second ? kCreated : kMissing;
        }
        key_.assign(name.data(), name.size());
        const auto it = names_.find(key_);
        return it == names_.end() ? kMissing : it->second;
    }
    void forget_last() { last_name_ = {}; }

    bool assignment(std::string_view name, std::size_t at, Surface::Action& a) {
        ++pos_;  // the dot
        const std::size_t prop_at = pos_;
        const std::string_view prop = path();
        if (prop.empty()) return fail(prop_at, "missing property after " + std::string(name) + ".");
        if (!equals_sign(prop)) return false;
        Value v;
        // A quoted value may be followed at once by the next item: the card
        // move writes `.tag =""` straight before the next assignment.
        if (!value(v, false)) return false;
        if (!(v.at < s_.size() && (s_[v.at] == '"' || s_[v.at] == '\'')) && !item_end(false)) return false;
        const std::string_view text = v.text(scratch_);
        if (name == "datawindow") {
            if (prop == "header.height") {
                if (!parse_value(PropType::integer, text, a.number))
                    return fail(v.at, "bad value " + quoted(text) + " for datawindow.header.height");
                a.type = Surface::Action::Type::header_height;
                return true;
            }
            if (prop == "width" || prop == "height")
                return fail(prop_at, "datawindow." + std::string(prop) + " cannot be changed");
            return fail(prop_at, "unknown property datawindow." + std::string(prop));
        }
        if (name != last_name_) {
            last_slot_ = resolve(name);
            last_name_ = name;
        }
        if (last_slot_ == kMissing) return fail(at, "unknown object " + std::string(name));
        const int p = prop_index(prop);
        if (p < 0) return fail(prop_at, "unknown property " + std::string(name) + "." + std::string(prop));
        const PropType type = kProps[p].type;
        if (type == PropType::read_only)
            return fail(prop_at, std::string(name) + "." + std::string(prop) + " cannot be changed");
        if (type != PropType::string && !parse_value(type, text, a.number))
            return fail(v.at, "bad value " + quoted(text) + " for " + std::string(name) + "." + std::string(prop));
        a.type = Surface::Action::Type::assign;
        a.prop = static_cast<unsigned char>(p);
        a.slot = last_slot_;
        a.name = name;
        a.text = v.raw;
        a.escaped = v.escaped;
        return true;
    }

    bool creation(std::size_t at, Surface::Action& a) {
        skip_blanks();
        const std::size_t kind_at = pos_;
        const std::string_view kind = word();
        auto o = std::make_unique<SurfaceObject>();
        if (iequals(kind, "bitmap") || iequals(kind, "picture"))
            o->kind = ObjectKind::picture;
        else if (iequals(kind, "text"))
            o->kind = ObjectKind::text;
        else if (iequals(kind, "rectangle"))
            o->kind = ObjectKind::rectangle;
        else if (kind.empty())
            return fail(kind_at, "create needs a kind");
        else
            return fail(kind_at, "unknown kind " + std::string(kind));
        skip_blanks();
        const std::size_t open = pos_;
        if (pos_ >= s_.size() || s_[pos_] != '(') return fail(pos_, "expected ( after create " + std::string(kind));
        ++pos_;
        bool named = false;
        for (;;) {
            skip_blanks();
            if (pos_ >= s_.size()) return fail(open, "missing )");
            if (s_[pos_] == ')') break;
            const std::size_t attr_at = pos_;
            const std::string_view attr = path();
            if (attr.empty()) return fail(attr_at, "unexpected text " + snippet(s_, attr_at));
            Value v;
            if (!equals_sign(attr) || !value(v, true) || !item_end(true)) return false;
            const std::string_view text = v.text(scratch_);
            if (attr == "name") {
                if (!valid_name(text)) return fail(v.at, "bad object name " + quoted(text));
                o->name.assign(text.data(), text.size());
                named = true;
            } else if (const int p = prop_index(attr); p >= 0) {
                long n = 0;
                if (!parse_value(kProps[p].type, text, n))
                    return fail(v.at, "bad value " + quoted(text) + " for " + std::string(attr));
                assign_value(*o, kProps[p], n, text);
            } else {
                o->other[std::string(attr)] = std::string(text);  // kept, never read by the game
            }
        }
        ++pos_;  // ')'
        if (!item_end(false)) return false;
        if (!named) return fail(at, "create needs a name");
        if (o->name == "datawindow") return fail(at, "datawindow is not a free name");
        if (resolve(o->name) != kMissing) return fail(at, "object " + o->name + " already exists");
        pending_[o->name] = true;  // the object stays put while the command lives
        forget_last();
        a.type = Surface::Action::Type::create;
        a.made = std::move(o);
        return true;
    }

    bool removal(Surface::Action& a) {
        skip_blanks();
        const std::size_t at = pos_;
        const std::string_view name = word();
        if (name.empty()) return fail(at, "destroy needs an object name");
        if (!item_end(false)) return false;
        pending_[name] = false;
        forget_last();
        a.type = Surface::Action::Type::destroy;
        a.name = name;
        return true;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    const std::unordered_map<std::string, int>& names_;
    // Names created (true) or destroyed (false) earlier in this command.
    std::unordered_map<std::string_view, bool> pending_;
    std::string_view last_name_;  // a card move names one picture four times
    int last_slot_ = kMissing;
    std::string key_, scratch_, error_;
    std::size_t error_at_ = 0;
};

}  // namespace

bool valid_name(std::string_view s) { return !s.empty() && std::all_of(s.begin(), s.end(), is_name_char); }

std::string read_command(std::string_view command, const std::unordered_map<std::string, int>& names,
                         ActionList& actions) {
    Parser parser(command, names);
    while (parser.next(actions.emplace())) {
    }
    actions.pop();  // the one the end of the command left empty
    return parser.failed() ? parser.error_text() : std::string();
}

}  // namespace tav::detail
