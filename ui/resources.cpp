#include "ui/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void init_tav_resources() {
    Q_INIT_RESOURCE(tav);
    Q_INIT_RESOURCE(help);
}

namespace tav::ui {

void ensure_resources() {
    static const bool done = (init_tav_resources(), true);
    (void)done;
}

}  // namespace tav::ui
