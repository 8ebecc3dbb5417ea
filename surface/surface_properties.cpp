// The property table of the surface's objects: their names as the command
// language writes them, lookup by name, reading values from text and storing
// them, and the public get/set of one property.
#include "surface/surface_properties.h"

#include <array>
#include <climits>
#include <cstdint>
#include <type_traits>

namespace tav::detail {

// The ones a card move writes come first: they are looked for most.
constexpr PropName kProps[] = {
    {"x", PropType::integer, &SurfaceObject::x},
    {"y", PropType::integer, &SurfaceObject::y},
    {"tag", PropType::string, &SurfaceObject::tag},
    {"filename", PropType::string, &SurfaceObject::filename},
    {"visible", PropType::flag, &SurfaceObject::visible},
    {"text", PropType::string, &SurfaceObject::text},
    {"width", PropType::integer, &SurfaceObject::width},
    {"height", PropType::integer, &SurfaceObject::height},
    {"pointer", PropType::string, &SurfaceObject::pointer},
    {"color", PropType::colour, &SurfaceObject::color},
    {"background.color", PropType::colour, &SurfaceObject::background_color},
    {"background.mode", PropType::integer, &SurfaceObject::background_mode},
    {"alignment", PropType::integer, &SurfaceObject::alignment},
    {"border", PropType::integer, &SurfaceObject::border},
    {"font.face", PropType::string, &SurfaceObject::font_face},
    {"font.height", PropType::integer, &SurfaceObject::font_height},
    {"font.weight", PropType::integer, &SurfaceObject::font_weight},
    {"font.charset", PropType::integer, &SurfaceObject::font_charset},
    {"brush.hatch", PropType::integer, &SurfaceObject::brush_hatch},
    {"brush.color", PropType::colour, &SurfaceObject::brush_color},
    {"pen.style", PropType::integer, &SurfaceObject::pen_style},
    {"pen.width", PropType::integer, &SurfaceObject::pen_width},
    {"pen.color", PropType::colour, &SurfaceObject::pen_color},
    {"band", PropType::string, &SurfaceObject::band},
    {"name", PropType::read_only, &SurfaceObject::name},
};

namespace {

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

// Whole numbers; a fractional part is dropped ("12.5" is 12), as our
// layout's coordinates sometimes come out of a division.
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

}  // namespace

int prop_index(std::string_view s) {
    if (s.size() >= kPropTable.by_size.size()) return -1;
    for (const signed char i : kPropTable.by_size[s.size()]) {
        if (i < 0) return -1;
        if (same_text(kProps[i].text, s)) return i;
    }
    return -1;
}

bool iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != b[i]) return false;
    }
    return true;
}

bool parse_value(PropType type, std::string_view s, long& out) {
    switch (type) {
        case PropType::integer: return parse_number(s, INT_MIN, INT_MAX, out);
        case PropType::colour: return parse_number(s, INT_MIN, UINT32_MAX, out);
        case PropType::flag:
            if (s == "1" || iequals(s, "true"))
                out = 1;
            else if (s == "0" || iequals(s, "false"))
                out = 0;
            else
                return false;
            return true;
        case PropType::string: return true;
        case PropType::read_only: return false;
    }
    return false;
}

bool assign_value(SurfaceObject& o, const PropName& p, long n, std::string_view text) {
    if (p.type == PropType::read_only) return false;
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

}  // namespace tav::detail

namespace tav {

std::string object_property(const SurfaceObject& o, std::string_view property, bool* known) {
    const int p = detail::prop_index(property);
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
        detail::kProps[p].field);
}

bool set_object_property(SurfaceObject& o, std::string_view property, std::string_view value) {
    const int p = detail::prop_index(property);
    long n = 0;
    if (p < 0 || !detail::parse_value(detail::kProps[p].type, value, n)) return false;
    detail::assign_value(o, detail::kProps[p], n, value);
    return true;
}

}  // namespace tav
