#include "app/settings.h"

namespace tav {

Settings& app_settings() {
    static Settings settings;
    return settings;
}

}  // namespace tav
