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
    // The menus stay in the game's window, where its layout has them, also on
    // desktops with a global menu bar. Asking for one connected to the
    // session bus as the menu bar was made: 2-3 ms of every start.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
}

}  // namespace tav::ui
