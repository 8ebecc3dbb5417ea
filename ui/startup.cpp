#include "ui/startup.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>

#include "app/settings.h"
#include "ui/application.h"
#include "ui/keep_files.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/resources.h"

namespace tav::ui {

QIcon game_icon() {
    ensure_resources();
    // The title bar and task bar sizes: the window manager is sent every size
    // the icon has, pixel by pixel, when the window is made.
    QIcon icon;
    for (int n : {16, 24, 32, 48, 64}) {
        QImageReader reader(QString(":/window-icon/%1.png").arg(n), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

std::unique_ptr<MainWindow> open_game_window(const QString& keep_folder) {
    set_up_application();
    // Lets Wayland desktops match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName("org.example.Tav");
    load_settings(app_settings());  // before the table is drawn with them
    // Before any window: every text is made in the chosen language.
    use_english(english_for(static_cast<LanguageChoice>(app_settings().language), QLocale::system()));
    use_qt_chinese(!english_in_use());  // Qt's own buttons and dialogs in the window's language
    auto window = std::make_unique<MainWindow>(app_settings(), 0, nullptr, MainWindow::Sizing::screen);
    window->show();
    if (!keep_folder.isEmpty()) window->keep_between_runs(keep_folder);
    return window;
}

}  // namespace tav::ui
