#include "ui/application.h"

#include <QApplication>
#include <QString>

#include "ui/fonts.h"
#include "ui/quick_style.h"
#include "ui/resources.h"
#include "ui/startup.h"

namespace tav::ui {

void set_up_application() {
    ensure_resources();  // the icon below is one of them
    QApplication::setApplicationName("tav");
    QApplication::setOrganizationName("tav");  // the window's size is kept in ~/.config/tav/tav.conf
    // No display name: Qt adds it after every window title that does not
    // already end with it ("瑟柯牌局 - Tav2004 — 瑟柯牌局"). Empty, it adds
    // nothing, and the window, dialog and box titles read as the game writes them.
    QApplication::setApplicationDisplayName(QString());
    QApplication::setWindowIcon(game_icon());
    install_font_substitutions();
    use_quick_style();
}

}  // namespace tav::ui
