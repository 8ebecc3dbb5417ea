// Inside the table surface: the properties of its objects as the command
// language names them, and reading and storing their values. Shared by the
// command parser, the surface and the property get/set; not for other code.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "surface/surface.h"

namespace tav::detail {

enum class PropType : unsigned char { integer, colour, flag, string, read_only };
using Field =
    std::variant<int SurfaceObject::*, long SurfaceObject::*, bool SurfaceObject::*, std::string SurfaceObject::*>;

struct PropName {
    std::string_view text;
    PropType type;
    Field field;
};

// Every property an object has, in surface_properties.cpp.
extern const PropName kProps[];

// The property's index in kProps, or -1 for an unknown name.
int prop_index(std::string_view s);

// Compares against a lower-case word, ignoring the case of ASCII letters in `a`.
bool iequals(std::string_view a, std::string_view b);

// Reads a value for a property of this type into `out` (numbers and flags);
// false when it does not fit. Any text fits a string; nothing a read-only one.
bool parse_value(PropType type, std::string_view s, long& out);

template <typename T>
bool put(T& field, T v) {
    if (field == v) return false;
    field = v;
    return true;
}
inline bool put(std::string& field, std::string_view v) {
    if (field == v) return false;
    field.assign(v.data(), v.size());
    return true;
}

// Stores a checked value; true when the object changed.
bool assign_value(SurfaceObject& o, const PropName& p, long n, std::string_view text);

}  // namespace tav::detail
