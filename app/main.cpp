// 瑟柯牌局: a six-seat Chinese climbing game for one player against five.
#include <QApplication>

#include "app/options.h"
#include "ui/keep_files.h"
#include "ui/main_window.h"
#include "ui/startup.h"

int main(int argc, char** argv) {
    // Options first: --help, --version and a refusal need no display.
    const auto command = tav::app::parse_command_line(tav::app::arguments_of(argc, argv), TAV_VERSION);
    if (command.action != tav::app::CommandLine::Action::run) return tav::app::finish(command);

    QApplication app(argc, argv);
    const auto window = tav::ui::open_game_window(tav::ui::data_folder());
    return QApplication::exec();
}
