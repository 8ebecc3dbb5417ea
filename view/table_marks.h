// Two optional labels: the number of the deal on the
// table (top left, shown by choice) and the auto-play mark beside the human's
// name while the computer plays its seat. They are made on the surface the
// first time either is shown, so a table that shows neither is drawn exactly
// as the plain table.
#pragma once

#include <cstdint>

#include "surface/surface.h"

namespace tav {

class TableMarks {
public:
    explicit TableMarks(Surface& surface) : surface_(surface) {}
    // The deal number label: the number (0 for none yet) and whether it shows.
    void show_deal_number(std::uint64_t number, bool visible);
    void show_autoplay(bool on);

private:
    void build();
    Surface& surface_;
    bool built_ = false;
};

}  // namespace tav
