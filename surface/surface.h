// The table surface: named pictures, texts and rectangles in draw order,
// changed by modify command texts of this form:
//   p_5.x ="1068" p_5.y ="1045"           assignments (blanks before = allowed)
//   t_note.text='line one                 the note text, in single quotes
//   line two'
//   create rectangle(band=header x="1" ... name=rec_1 ...)   creation
//   destroy rec_1                          removal
//   datawindow.header.height=2000          the surface's own properties
// A command is checked in full before anything is applied: an error text
// comes back and nothing changes. Removing an object that does not exist is
// not an error (the background painting clears strips that may be missing).
// The game's own code builds its objects by typed calls (create, destroy,
// set_header_height) with the same checks, and never composes command texts.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tav {

enum class ObjectKind { picture, text, rectangle };

// Colours are blue * 65536 + green * 256 + red.
inline constexpr long kTransparent = 553648127;
inline constexpr long kWindowText = 33554432;
inline constexpr long kButtonFace = 67108864;

// Every member has its default, so an object is written with only the
// properties that differ, in member order: {.name = "t_1", .x = 5, .text = "…"}.
struct SurfaceObject {
    std::string name{};
    ObjectKind kind = ObjectKind::text;
    std::string band = "header";
    int x = 0, y = 0, width = 0, height = 0;
    bool visible = true;
    std::string filename{}, text{}, tag{}, pointer{};
    // look given at creation (and changeable like any property)
    long color = 0;                        // text colour
    long background_color = kTransparent;  // text background
    int background_mode = 1;               // 1 transparent, 0 opaque
    int alignment = 0;                     // 0 left, 1 right, 2 centre
    int border = 0;                        // 0 none; 2 box; 5 3-D lowered ...
    std::string font_face = "Arial";
    int font_height = -9;  // negative: points
    int font_weight = 400;
    int font_charset = 0;
    long brush_color = 0, pen_color = 0;
    int brush_hatch = 6, pen_style = 0, pen_width = 1;
    std::map<std::string, std::string> other{};  // attributes the game never reads
};

class Surface {
public:
    Surface();

    // Applies a command; "" on success, else an error text and nothing changed.
    std::string modify(std::string_view command);
    // "name.property" or "datawindow.property" / "datawindow.header.height";
    // "!" for an object that does not exist, "?" for an unknown property.
    std::string describe(std::string_view what) const;

    // Adds an object in front of all others, as a create command would; null
    // and nothing changed when its name is not a valid object name (ASCII
    // letters, digits, underscore, UTF-8), is "datawindow" or is taken.
    SurfaceObject* create(SurfaceObject object);
    // Removes an object; false when there is none (which is no error).
    bool destroy(std::string_view name);
    // The height of the surface's one band, in table units.
    void set_header_height(int height);

    // Suspends (false) and resumes (true) drawing; resuming draws at once.
    void set_redraw(bool on);
    bool redraw() const { return redraw_; }

    // Moves an object to the front (true) or behind all others (false).
    // False when there is no such object.
    bool set_position(std::string_view name, bool to_front);

    const SurfaceObject* find(std::string_view name) const;
    // The game's own view resolves its objects once and changes them
    // directly; `touched()` after such a change tells the listener.
    SurfaceObject* object(std::string_view name);
    void touched() { changed(); }
    std::size_t object_count() const { return order_.size(); }
    // Objects in draw order, back first.
    template <typename F>
    void for_each(F&& f) const {
        for (int i : order_) f(*objects_[static_cast<std::size_t>(i)]);
    }
    // The front-most visible object containing the point (table units), or null.
    const SurfaceObject* object_at(int x, int y) const;

    int width() const { return width_; }
    int height() const { return height_; }
    int header_height() const { return header_height_; }
    void set_size(int width, int height);

    // Called after every change made while drawing is on, and on resume.
    void set_listener(std::function<void()> listener) { listener_ = std::move(listener); }
    // Counts changes (for tests that check nothing was drawn while suspended).
    std::uint64_t notifications() const { return notifications_; }

    struct Action;

private:
    void changed();
    int add(std::unique_ptr<SurfaceObject> object);
    int index_of(std::string_view name) const;

    std::vector<std::unique_ptr<SurfaceObject>> objects_;  // slots; null when destroyed
    std::vector<int> order_;                               // draw order, back first
    std::unordered_map<std::string, int> by_name_;
    std::vector<int> free_;
    int width_ = 3602, height_ = 2272, header_height_ = 1;
    bool redraw_ = true;
    bool dirty_ = false;
    std::uint64_t notifications_ = 0;
    std::function<void()> listener_;
};

// Suspends drawing for a series of changes and restores what it found, so a
// caller that has already suspended drawing keeps it suspended.
class RedrawPause {
public:
    explicit RedrawPause(Surface& s) : surface_(s), was_(s.redraw()) { surface_.set_redraw(false); }
    ~RedrawPause() { surface_.set_redraw(was_); }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    Surface& surface_;
    bool was_;
};

// Reads a property of an object as the command language writes it.
std::string object_property(const SurfaceObject& o, std::string_view property, bool* known = nullptr);
// Sets a property from its text; false when the property is unknown or the
// value does not fit it (a number property given a non-number).
bool set_object_property(SurfaceObject& o, std::string_view property, std::string_view value);

}  // namespace tav
