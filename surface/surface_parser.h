// Inside the table surface: a modify command read into a list of checked
// actions, which Surface::modify then applies. Not for other code.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "surface/surface.h"

namespace tav {

// One item of a command after it was read and checked.
struct Surface::Action {
    enum class Type : unsigned char { assign, header_height, create, destroy };
    Type type = Type::assign;
    unsigned char prop = 0;               // index into detail::kProps
    bool escaped = false;                 // `text` holds ~ escapes still
    int slot = -1;                        // the object when it existed before the command
    std::string_view name;                // the object otherwise
    std::string_view text;                // the value as written, without quotes
    long number = 0;                      // the value of a number or flag property
    std::unique_ptr<SurfaceObject> made;  // create: the object, fully set up
};

namespace detail {

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

// Reads the whole command into `actions`, checking each item against the
// object names (`names`: name to slot) as they will be at that point of the
// command. "" when all is well, else the error text with its line and column;
// the actions are then of no use. The actions look into `command`, which must
// outlive them.
std::string read_command(std::string_view command, const std::unordered_map<std::string, int>& names,
                         ActionList& actions);

// An object name: ASCII letters, digits, underscore and UTF-8 bytes, at least one.
bool valid_name(std::string_view s);

// The text of a quoted value with its ~ escapes resolved.
std::string unescape(std::string_view raw);

}  // namespace detail
}  // namespace tav
