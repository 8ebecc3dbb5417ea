#include "table/table_marks.h"

#include <string>

namespace tav {

void TableMarks::build() {
    surface_
        .modify("create text(band=header alignment=\"0\" text=\"\" border=\"0\" color=\"8388608\" x=\"40\" y=\"40\" "
                "height=\"70\" width=\"720\" name=t_dealno visible=\"0\" font.face=\"Arial\" font.height=\"-9\" "
                "font.weight=\"400\" font.charset=\"134\" background.mode=\"1\" background.color=\"553648127\" )");
    surface_
        .modify("create text(band=header alignment=\"2\" text=\"托管中\" border=\"6\" color=\"16777215\" x=\"1700\" "
                "y=\"1452\" height=\"68\" width=\"210\" name=t_autoplay visible=\"0\" font.face=\"Arial\" "
                "font.height=\"-9\" font.weight=\"700\" font.charset=\"134\" background.mode=\"0\" "
                "background.color=\"2763429\" )");
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
