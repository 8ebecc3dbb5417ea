#include "view/table_marks.h"

#include <string>

namespace tav {

void TableMarks::build() {
    surface_.create({.name = "t_dealno",
                     .x = 40,
                     .y = 40,
                     .width = 720,
                     .height = 70,
                     .visible = false,
                     .color = 8388608,
                     .font_charset = 134});
    surface_.create({.name = "t_autoplay",
                     .x = 1700,
                     .y = 1452,
                     .width = 210,
                     .height = 68,
                     .visible = false,
                     .text = "托管中",
                     .color = 16777215,
                     .background_color = 2763429,
                     .background_mode = 0,
                     .alignment = 2,
                     .border = 6,
                     .font_weight = 700,
                     .font_charset = 134});
    built_ = true;
}

void TableMarks::show_deal_number(std::uint64_t number, bool visible) {
    if (!built_ && (!visible || number == 0)) return;
    if (!built_) build();
    SurfaceObject* label = surface_.object("t_dealno");
    if (!label) return;
    const std::string text = number ? "牌局编号 " + std::to_string(number) : "";
    if (label->visible == visible && label->text == text) return;
    label->visible = visible;
    label->text = text;
    surface_.touched();
}

void TableMarks::show_autoplay(bool on) {
    if (!built_ && !on) return;
    if (!built_) build();
    SurfaceObject* mark = surface_.object("t_autoplay");
    if (!mark || mark->visible == on) return;
    mark->visible = on;
    surface_.touched();
}

}  // namespace tav
