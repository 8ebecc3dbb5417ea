// 瑟柯牌局: a six-seat Chinese climbing game for one player against five.
#include <QApplication>

#include "app/options.h"
#include "app/settings.h"
#include "ui/application.h"
#include "ui/keep_files.h"
#include "ui/language.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    // Options first: --help, --version and a refusal need no display.
    const auto command = tav::app::parse_command_line(tav::app::arguments_of(argc, argv), TAV_VERSION);
    if (command.action != tav::app::CommandLine::Action::run) return tav::app::finish(command);

    QApplication app(argc, argv);
    tav::ui::set_up_application();
    // Lets Wayland desktops match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName("org.example.Tav");
    tav::ui::load_settings(tav::app_settings());  // before the table is drawn with them
    // Before any window: every text is made in the chosen language.
    tav::ui::use_english(tav::ui::english_for(static_cast<tav::ui::LanguageChoice>(tav::app_settings().language),
                                              QLocale::system()));
    tav::ui::MainWindow window(tav::app_settings(), 0, nullptr, tav::ui::MainWindow::Sizing::screen);
    window.show();
    window.keep_between_runs(tav::ui::data_folder());
    return QApplication::exec();
}
