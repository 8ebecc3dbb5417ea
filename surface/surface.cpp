// The table surface: its objects in draw order, the applying of a modify
// command, describe, and drawing on and off. A command is read in full into
// a list of actions and checked against the names as they will be at each
// point of the command (surface_parser.cpp); only then are the actions
// applied, so a bad command changes nothing. The hot path (a card moving:
// four assignments to one picture) neither allocates nor looks the picture up
// more than once.
#include "surface/surface.h"

#include <algorithm>
#include <iterator>
#include <new>

#include "surface/surface_parser.h"
#include "surface/surface_properties.h"

namespace tav {

Surface::Surface() = default;

std::string Surface::modify(std::string_view command) {
    detail::ActionList actions;
    try {
        std::string error = detail::read_command(command, by_name_, actions);
        if (!error.empty()) return error;
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
                const std::string_view text = a.escaped ? std::string_view(scratch = detail::unescape(a.text)) : a.text;
                SurfaceObject& o = *objects_[static_cast<std::size_t>(slot)];
                any |= detail::assign_value(o, detail::kProps[a.prop], a.number, text);
                break;
            }
            case Action::Type::header_height: any |= detail::put(header_height_, static_cast<int>(a.number)); break;
            case Action::Type::create:
                add(std::move(a.made));
                any = true;
                break;
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

SurfaceObject* Surface::create(SurfaceObject object) {
    if (!detail::valid_name(object.name) || object.name == "datawindow" || index_of(object.name) >= 0) return nullptr;
    const int slot = add(std::make_unique<SurfaceObject>(std::move(object)));
    changed();
    return objects_[static_cast<std::size_t>(slot)].get();
}

bool Surface::destroy(std::string_view name) {
    const int slot = index_of(name);
    if (slot < 0) return false;
    by_name_.erase(objects_[static_cast<std::size_t>(slot)]->name);
    objects_[static_cast<std::size_t>(slot)].reset();
    order_.erase(std::find(order_.begin(), order_.end(), slot));
    free_.push_back(slot);
    changed();
    return true;
}

void Surface::set_header_height(int height) {
    if (detail::put(header_height_, height)) changed();
}

// Into a free slot if there is one, in front of all others.
int Surface::add(std::unique_ptr<SurfaceObject> object) {
    int slot;
    if (!free_.empty()) {
        slot = free_.back();
        free_.pop_back();
        objects_[static_cast<std::size_t>(slot)] = std::move(object);
    } else {
        slot = static_cast<int>(objects_.size());
        objects_.push_back(std::move(object));
    }
    by_name_.emplace(objects_[static_cast<std::size_t>(slot)]->name, slot);
    order_.push_back(slot);
    return slot;
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

}  // namespace tav
