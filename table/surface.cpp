// The table surface and its modify command language. A command is read in
// full into a list of actions and checked against the names as they will be
// at each point of the command; only then are the actions applied, so a bad
// command changes nothing. The hot path (a card moving: four assignments to
// one picture) neither allocates nor looks the picture up more than once.
#include "table/surface.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>
#include <type_traits>
#include <variant>

namespace tav {

// One item of a command after it was read and checked.
struct Surface::Action {
    enum class Type : unsigned char { assign, header_height, create, destroy };
    Type type = Type::assign;
    unsigned char prop = 0;               // index into kProps
    bool escaped = false;                 // `text` holds ~ escapes still
    int slot = -1;                        // the object when it existed before the command
    std::string_view name;                // the object otherwise
    std::string_view text;                // the value as written, without quotes
    long number = 0;                      // the value of a number or flag property
    std::unique_ptr<SurfaceObject> made;  // create: the object, fully set up
};

namespace {

enum class Type : unsigned char { integer, colour, flag, string, read_only };
using Field =
    std::variant<int SurfaceObject::*, long SurfaceObject::*, bool SurfaceObject::*, std::string SurfaceObject::*>;

struct PropName {
    std::string_view text;
    Type type;
    Field field;
};

// The ones a card move writes come first: they are looked for most.
constexpr PropName kProps[] = {
    {"x", Type::integer, &SurfaceObject::x},
    {"y", Type::integer, &SurfaceObject::y},
    {"tag", Type::string, &SurfaceObject::tag},
    {"filename", Type::string, &SurfaceObject::filename},
    {"visible", Type::flag, &SurfaceObject::visible},
    {"text", Type::string, &SurfaceObject::text},
    {"width", Type::integer, &SurfaceObject::width},
    {"height", Type::integer, &SurfaceObject::height},
    {"pointer", Type::string, &SurfaceObject::pointer},
    {"color", Type::colour, &SurfaceObject::color},
    {"background.color", Type::colour, &SurfaceObject::background_color},
    {"background.mode", Type::integer, &SurfaceObject::background_mode},
    {"alignment", Type::integer, &SurfaceObject::alignment},
    {"border", Type::integer, &SurfaceObject::border},
    {"font.face", Type::string, &SurfaceObject::font_face},
    {"font.height", Type::integer, &SurfaceObject::font_height},
    {"font.weight", Type::integer, &SurfaceObject::font_weight},
    {"font.charset", Type::integer, &SurfaceObject::font_charset},
    {"brush.hatch", Type::integer, &SurfaceObject::brush_hatch},
    {"brush.color", Type::colour, &SurfaceObject::brush_color},
    {"pen.style", Type::integer, &SurfaceObject::pen_style},
    {"pen.width", Type::integer, &SurfaceObject::pen_width},
    {"pen.color", Type::colour, &SurfaceObject::pen_color},
    {"band", Type::string, &SurfaceObject::band},
    {"name", Type::read_only, &SurfaceObject::name},
};
constexpr int kPropCount = static_cast<int>(sizeof kProps / sizeof kProps[0]);

// Property names by length, then by first letter: a card move looks up four
// properties and this runs for each of them.
struct PropTable {
    std::array<std::array<signed char, 8>, 17> by_size{};  // up to eight names of each length
    constexpr PropTable() {
        for (auto& row : by_size) row.fill(-1);
        for (int i = 0; i < kPropCount; ++i) {
            auto& row = by_size[kProps[i].text.size()];
            int k = 0;
            while (row[static_cast<std::size_t>(k)] >= 0) ++k;
            row[static_cast<std::size_t>(k)] = static_cast<signed char>(i);
        }
    }
};
constexpr PropTable kPropTable{};

// Byte by byte: the names are short, and a library call costs more than the compare.
bool same_text(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

int prop_index(std::string_view s) {
    if (s.size() >= kPropTable.by_size.size()) return -1;
    for (const signed char i : kPropTable.by_size[s.size()]) {
        if (i < 0) return -1;
        if (same_text(kProps[i].text, s)) return i;
    }
    return -1;
}

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
bool valid_name(std::string_view s) { return !s.empty() && std::all_of(s.begin(), s.end(), is_name_char); }

bool iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != b[i]) return false;
    }
    return true;
}

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

// Whole numbers; a fractional part is dropped ("12.5" is 12), as the game's
// coordinates sometimes come out of a division.
bool parse_number(std::string_view s, long long lo, long long hi, long& out) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    long long v = 0;
    bool digits = false;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        digits = true;
        v = v * 10 + (s[i] - '0');
        if (v > (1LL << 40)) return false;  // far beyond any table value; stops overflow
    }
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) digits = true;
    if (!digits || i != s.size()) return false;
    if (negative) v = -v;
    if (v < lo || v > hi) return false;
    out = static_cast<long>(v);
    return true;
}

bool parse_value(Type type, std::string_view s, long& out) {
    switch (type) {
        case Type::integer: return parse_number(s, INT_MIN, INT_MAX, out);
        case Type::colour: return parse_number(s, INT_MIN, UINT32_MAX, out);
        case Type::flag:
            if (s == "1" || iequals(s, "true"))
                out = 1;
            else if (s == "0" || iequals(s, "false"))
                out = 0;
            else
                return false;
            return true;
        case Type::string: return true;
        case Type::read_only: return false;
    }
    return false;
}

template <typename T>
bool put(T& field, T v) {
    if (field == v) return false;
    field = v;
    return true;
}
bool put(std::string& field, std::string_view v) {
    if (field == v) return false;
    field.assign(v.data(), v.size());
    return true;
}

// Stores a checked value; true when the object changed.
bool assign_value(SurfaceObject& o, const PropName& p, long n, std::string_view text) {
    if (p.type == Type::read_only) return false;
    return std::visit(
        [&](auto field) {
            using T = std::remove_reference_t<decltype(o.*field)>;
            if constexpr (std::is_same_v<T, std::string>)
                return put(o.*field, text);
            else if constexpr (std::is_same_v<T, bool>)
                return put(o.*field, n != 0);
            else
                return put(o.*field, static_cast<T>(n));
        },
        p.field);
}

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
                if (!parse_value(Type::integer, text, a.number))
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
        const Type type = kProps[p].type;
        if (type == Type::read_only)
            return fail(prop_at, std::string(name) + "." + std::string(prop) + " cannot be changed");
        if (type != Type::string && !parse_value(type, text, a.number))
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

// Actions of one command; short commands stay on the stack, and only the
// actions in use are ever constructed.
class ActionList {
public:
    ActionList() = default;
    ActionList(const ActionList&) = delete;
    ActionList& operator=(const ActionList&) = delete;
    ~ActionList() {
        for (std::size_t i = 0; i < count_; ++i) std::destroy_at(at(i));
    }
    Surface::Action& emplace() {
        if (count_ < kInline) return *std::construct_at(at(count_++));
        return more_.emplace_back();
    }
    void pop() {
        if (!more_.empty())
            more_.pop_back();
        else if (count_ > 0)
            std::destroy_at(at(--count_));
    }
    template <typename F>
    void for_each(F&& f) {
        for (std::size_t i = 0; i < count_; ++i) f(*at(i));
        for (auto& a : more_) f(a);
    }

private:
    static constexpr std::size_t kInline = 8;
    Surface::Action* at(std::size_t i) {
        return std::launder(reinterpret_cast<Surface::Action*>(inline_ + i * sizeof(Surface::Action)));
    }
    alignas(Surface::Action) unsigned char inline_[kInline * sizeof(Surface::Action)];
    std::size_t count_ = 0;
    std::vector<Surface::Action> more_;
};

}  // namespace

Surface::Surface() = default;

std::string Surface::modify(std::string_view command) {
    ActionList actions;
    try {
        Parser parser(command, by_name_);
        while (parser.next(actions.emplace())) {
        }
        actions.pop();  // the one the end of the command left empty
        if (parser.failed()) return parser.error_text();
    } catch (const std::bad_alloc&) {
        return "the command is too large";
    }

    bool any = false;
    std::vector<int> dead;  // slots emptied by this command; reused only after it
    std::string scratch;
    actions.for_each([&](Action& a) {
        switch (a.type) {
            case Action::Type::assign: {
                const int slot = a.slot >= 0 ? a.slot : index_of(a.name);
                if (slot < 0) return;  // cannot happen: checked above
                const std::string_view text = a.escaped ? std::string_view(scratch = unescape(a.text)) : a.text;
                any |= assign_value(*objects_[static_cast<std::size_t>(slot)], kProps[a.prop], a.number, text);
                break;
            }
            case Action::Type::header_height: any |= put(header_height_, static_cast<int>(a.number)); break;
            case Action::Type::create: {
                int slot;
                if (!free_.empty()) {
                    slot = free_.back();
                    free_.pop_back();
                    objects_[static_cast<std::size_t>(slot)] = std::move(a.made);
                } else {
                    slot = static_cast<int>(objects_.size());
                    objects_.push_back(std::move(a.made));
                }
                by_name_.emplace(objects_[static_cast<std::size_t>(slot)]->name, slot);
                order_.push_back(slot);
                any = true;
                break;
            }
            case Action::Type::destroy: {
                const auto it = by_name_.find(std::string(a.name));
                if (it == by_name_.end()) return;  // clearing a strip that is not there
                objects_[static_cast<std::size_t>(it->second)].reset();
                dead.push_back(it->second);
                by_name_.erase(it);
                any = true;
                break;
            }
        }
    });
    if (!dead.empty()) {
        // One sweep for all removals keeps a long command linear.
        order_.erase(std::remove_if(order_.begin(), order_.end(),
                                    [&](int i) { return !objects_[static_cast<std::size_t>(i)]; }),
                     order_.end());
        free_.insert(free_.end(), dead.begin(), dead.end());
    }
    if (any) changed();
    return {};
}

std::string Surface::describe(std::string_view what) const {
    const std::size_t dot = what.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == what.size()) return "!";
    const std::string_view name = what.substr(0, dot), prop = what.substr(dot + 1);
    if (name == "datawindow") {
        if (prop == "width") return std::to_string(width_);
        if (prop == "height") return std::to_string(height_);
        if (prop == "header.height") return std::to_string(header_height_);
        return "?";
    }
    const SurfaceObject* o = find(name);
    if (!o) return "!";
    bool known = false;
    std::string v = object_property(*o, prop, &known);
    return known ? v : "?";
}

// Resuming notifies once, and only when something changed while drawing was
// off: the simulator suspends around every deal and most deals redraw anyway.
void Surface::set_redraw(bool on) {
    if (on == redraw_) return;
    redraw_ = on;
    if (on && dirty_) {
        dirty_ = false;
        changed();
    }
}

bool Surface::set_position(std::string_view name, bool to_front) {
    const int slot = index_of(name);
    if (slot < 0) return false;
    // Searched from the front-most end: the pictures moved are mostly the
    // cards, which have been brought to the front before.
    const auto rit = std::find(order_.rbegin(), order_.rend(), slot);
    const auto it = std::prev(rit.base());
    if (to_front)
        std::rotate(it, it + 1, order_.end());
    else
        std::rotate(order_.begin(), it, it + 1);
    changed();
    return true;
}

const SurfaceObject* Surface::find(std::string_view name) const {
    const int slot = index_of(name);
    return slot < 0 ? nullptr : objects_[static_cast<std::size_t>(slot)].get();
}

SurfaceObject* Surface::object(std::string_view name) {
    const int slot = index_of(name);
    return slot < 0 ? nullptr : objects_[static_cast<std::size_t>(slot)].get();
}

const SurfaceObject* Surface::object_at(int x, int y) const {
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
        const SurfaceObject& o = *objects_[static_cast<std::size_t>(*it)];
        if (o.visible && x >= o.x && y >= o.y && static_cast<long long>(x) < static_cast<long long>(o.x) + o.width &&
            static_cast<long long>(y) < static_cast<long long>(o.y) + o.height)
            return &o;
    }
    return nullptr;
}

void Surface::set_size(int width, int height) {
    width_ = width;
    height_ = height;
    changed();
}

void Surface::changed() {
    if (!redraw_) {
        dirty_ = true;
        return;
    }
    ++notifications_;
    if (listener_) listener_();
}

int Surface::index_of(std::string_view name) const {
    const auto it = by_name_.find(std::string(name));
    return it == by_name_.end() ? -1 : it->second;
}

std::string object_property(const SurfaceObject& o, std::string_view property, bool* known) {
    const int p = prop_index(property);
    if (known) *known = p >= 0;
    if (p < 0) return {};
    return std::visit(
        [&](auto field) {
            const auto& v = o.*field;
            using T = std::remove_cvref_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>)
                return v;
            else if constexpr (std::is_same_v<T, bool>)
                return std::string(v ? "1" : "0");
            else
                return std::to_string(v);
        },
        kProps[p].field);
}

bool set_object_property(SurfaceObject& o, std::string_view property, std::string_view value) {
    const int p = prop_index(property);
    long n = 0;
    if (p < 0 || !parse_value(kProps[p].type, value, n)) return false;
    assign_value(o, kProps[p], n, value);
    return true;
}

}  // namespace tav
