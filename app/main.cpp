// 瑟柯牌局: a six-seat Chinese climbing game for one player against five.
#include <QApplication>
#include <cstdio>

#include "app/options.h"
#include "ui/application.h"
#include "ui/keep_files.h"
#include "ui/main_window.h"
#include "ui/startup.h"

namespace {
// The exit status when there is no display to open the window on (2 is a
// refused option); the manual page lists both.
constexpr int kNoDisplay = 3;
}  // namespace

int main(int argc, char** argv) {
    // Options first: --help, --version and a refusal need no display.
    const QStringList arguments = tav::app::arguments_of(argc, argv);
    const auto command = tav::app::parse_command_line(arguments, TAV_VERSION);
    if (command.action != tav::app::CommandLine::Action::run) return tav::app::finish(command);
    // Without a display Qt would abort with its own long story; one line instead.
    if (const QString why = tav::ui::missing_display(arguments); !why.isEmpty()) {
        std::fprintf(stderr, "%s\n", why.toLocal8Bit().constData());
        return kNoDisplay;
    }

    // Named before anything asks for a path: the data folder is the game's,
    // whatever the executable is called.
    tav::ui::name_application();
    QApplication app(argc, argv);
    const QString folder = tav::ui::data_folder();
    tav::ui::carry_over_kept_files(arguments.value(0), folder);
    const auto window = tav::ui::open_game_window(folder);
    return QApplication::exec();
}
