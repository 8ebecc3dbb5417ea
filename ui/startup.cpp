#include "ui/startup.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string_view>

#include "app/settings.h"
#include "ui/application.h"
#include "ui/keep_files.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/resources.h"

namespace tav::ui {
namespace {

// The two ends of the pipe the signal handler writes to; the event loop
// reads the other end.
int quit_pipe[2] = {-1, -1};

void on_quit_signal(int) {
    // Nothing but a write may happen here: the window is told from the event loop.
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(quit_pipe[0], &byte, 1);
    errno = saved;
}

// SIGTERM and SIGHUP (the system shutting down, the terminal closing) close
// the window as the player would: the game and the settings are saved.
void close_on_quit_signals(MainWindow* window) {
    if (quit_pipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, quit_pipe) != 0) return;
    auto* notifier = new QSocketNotifier(quit_pipe[1], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(quit_pipe[1], &byte, 1);
        window->close();  // which saves the game and the settings
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = on_quit_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

// TAV_UNATTENDED=1: no one at the screen (the kill test). The saved game is
// taken up without asking, the computer plays the human's seat and the next
// deal is shuffled as soon as one ends.
bool unattended() {
    const char* value = std::getenv("TAV_UNATTENDED");
    return value && std::string_view(value) == "1";
}

void play_unattended(MainWindow* window) {
    window->set_autoplay(true);
    auto* timer = new QTimer(window);
    QObject::connect(timer, &QTimer::timeout, window, [window] {
        Session& session = window->session();
        if (QApplication::activeModalWidget() || session.busy()) return;
        if (session.state().ask == game::Ask::shuffle) session.shuffle();
        if (!session.helps().autoplay()) window->set_autoplay(true);
        window->sync_buttons();
    });
    timer->start(20);
}

}  // namespace

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
    const bool alone = unattended();
    window->keeping().set_unattended(alone);
    if (!keep_folder.isEmpty()) window->keep_between_runs(keep_folder);
    close_on_quit_signals(window.get());
    if (alone) play_unattended(window.get());
    return window;
}

}  // namespace tav::ui
