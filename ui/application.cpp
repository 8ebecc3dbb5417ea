#include "ui/application.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

#include "ui/fonts.h"
#include "ui/quick_style.h"
#include "ui/resources.h"
#include "ui/startup.h"

namespace tav::ui {

void name_application() {
    QCoreApplication::setApplicationName("tav");
    QCoreApplication::setOrganizationName("tav");  // the window's size is kept in ~/.config/tav/tav.conf
}

void set_up_application() {
    ensure_resources();  // the icon below is one of them
    name_application();
    // No display name: Qt adds it after every window title that does not
    // already end with it ("瑟柯牌局 - Tav2004 — 瑟柯牌局"). Empty, it adds
    // nothing, and the window, dialog and box titles read exactly as we set them.
    QApplication::setApplicationDisplayName(QString());
    QApplication::setWindowIcon(game_icon());
    install_font_substitutions();
    use_quick_style();
    // The menus stay in the game's window, where its layout has them, also on
    // desktops with a global menu bar. Asking for one connected to the
    // session bus as the menu bar was made: 2-3 ms of every start.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
}

bool use_qt_chinese(bool chinese) {
    // Held for the program's life: the application keeps only a pointer.
    static QTranslator qt_texts;
    QCoreApplication::removeTranslator(&qt_texts);
    if (!chinese) return true;
    return qt_texts.load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
           QCoreApplication::installTranslator(&qt_texts);
}

QString missing_display(const QStringList& arguments) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    for (const QString& a : arguments)
        for (const char* named : {"-platform", "--platform", "-display", "--display"})
            if (a == QLatin1String(named) || a.startsWith(QLatin1String(named) + '=')) return {};
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (!qEnvironmentVariableIsEmpty(variable)) return {};
    return "tav: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set)";
#else
    Q_UNUSED(arguments);
    return {};
#endif
}

int carry_over_kept_files(const QString& executable, const QString& folder) {
    const QString shared = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (shared.isEmpty() || folder.isEmpty()) return 0;
    // The installed game's own name first, then the name this copy runs under.
    QStringList olds{shared + "/tav"};
    const QString name = QFileInfo(executable).fileName();
    if (!name.isEmpty() && name != "tav") olds << shared + '/' + name;
    int moved = 0;
    for (const QString& old : olds) {
        if (QFileInfo(old) == QFileInfo(folder)) continue;
        for (const char* file : {"saved-game.txt", "statistics.txt"}) {
            const QFileInfo from(old + '/' + file);
            const QString to = folder + '/' + file;
            if (!from.isFile() || QFileInfo::exists(to) || !QDir().mkpath(folder)) continue;
            // A rename within one file system; else Qt copies, and removes
            // the old file only once the copy is whole.
            if (QFile::rename(from.filePath(), to)) ++moved;
        }
    }
    return moved;
}

}  // namespace tav::ui
