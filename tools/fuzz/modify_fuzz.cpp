// libFuzzer target: the surface's modify command parser. Any text is either
// applied or refused with a reason; a refused command changes nothing, and
// after any command the names and the draw order agree.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "surface/surface.h"

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

constexpr std::string_view kProperties[] = {
    "x",           "y",           "tag",       "filename",    "visible",          "text",
    "width",       "height",      "pointer",   "color",       "background.color", "background.mode",
    "alignment",   "border",      "font.face", "font.height", "font.weight",      "font.charset",
    "brush.hatch", "brush.color", "pen.style", "pen.width",   "pen.color",        "band",
    "name"};

// Everything a command can change, in draw order.
std::string snapshot(const tav::Surface& s) {
    std::string out = s.describe("datawindow.header.height") + "|" + std::to_string(s.object_count()) + "|";
    s.for_each([&](const tav::SurfaceObject& o) {
        out += std::to_string(static_cast<int>(o.kind));
        for (std::string_view p : kProperties) {
            out += tav::object_property(o, p);
            out += '\x1f';
        }
        for (const auto& [k, v] : o.other) out += k + "=" + v + '\x1f';
        out += '\x1e';
    });
    return out;
}

// Names are unique, each found under its own name, and every object is drawn once.
void check_names(const tav::Surface& s) {
    std::set<std::string> names;
    std::size_t drawn = 0;
    s.for_each([&](const tav::SurfaceObject& o) {
        ++drawn;
        require(names.insert(o.name).second);
        require(s.find(o.name) == &o);
    });
    require(drawn == s.object_count());
}

// A small table: a card picture, the note, a rectangle strip, a label.
void build(tav::Surface& s) {
    require(s.modify("create bitmap(band=header filename=\"cards\\bgcard4.bmp\" x=\"497\" y=\"836\" height=\"384\" "
                     "width=\"325\" name=p_1 visible=\"0\" )"
                     " create text(band=header text=\"\" x=\"2910\" y=\"630\" height=\"1000\" width=\"630\" "
                     "name=t_note )"
                     " create rectangle(band=header x=\"1\" height=\"24\" width=\"3602\" name=rec_1 "
                     "brush.color=\"5570560\" )"
                     " create text(band=header text=\"名次\" name=t_oa visible=\"0\" )")
                .empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view command(reinterpret_cast<const char*>(data), size);
    tav::Surface s;
    build(s);
    // Every table starts the same: its picture is taken once.
    static const std::string fresh = [] {
        tav::Surface t;
        build(t);
        return snapshot(t);
    }();

    if (!s.modify(command).empty()) {
        require(snapshot(s) == fresh);
        return 0;  // the same refusal again would change nothing either
    }
    check_names(s);

    // The same command again: creations now collide, removals find nothing.
    const std::string middle = snapshot(s);
    if (!s.modify(command).empty()) require(snapshot(s) == middle);
    check_names(s);

    // Reading back and hit-testing never fail on what the command left.
    s.for_each([&](const tav::SurfaceObject& o) {
        s.describe(o.name + ".text");
        s.describe(o.name + ".x");
    });
    s.object_at(500, 900);
    s.set_position("p_1", true);
    s.set_position("rec_1", false);
    check_names(s);
    return 0;
}
