// Start-up figures of the game's window beside a bare Qt window, on a real
// display: milliseconds from the launch (TAV_LAUNCH_NS, the launcher's
// CLOCK_REALTIME in nanoseconds) until the window is mapped and until its
// first frame is drawn, the resident memory then, and the CPU time used
// while nobody touches it for a few seconds. The game starts as the program
// does, remembered files and all (point XDG_CONFIG_HOME and XDG_DATA_HOME at
// empty folders for a first start).
//   startup_probe bare|game [--quick]    --quick: no idle figure, quits at once
#include <sys/resource.h>

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "ui/application.h"
#include "ui/keep_files.h"
#include "ui/main_window.h"
#include "ui/startup.h"

namespace {

double now_ms() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double cpu_ms() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

long rss_kib() {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Notes the first expose of a top-level window: when it arrives (mapped)
// and when it has been handled (the first frame drawn and flushed).
class ProbeApp : public QApplication {
public:
    using QApplication::QApplication;
    double mapped = 0, framed = 0;
    bool notify(QObject* o, QEvent* e) override {
        const bool first = e->type() == QEvent::Expose && mapped == 0 && qobject_cast<QWindow*>(o);
        if (first) mapped = now_ms();
        const bool r = QApplication::notify(o, e);
        if (first) framed = now_ms();
        return r;
    }
};

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "game";
    const bool quick = argc > 2 && std::string(argv[2]) == "--quick";
    const char* launch = std::getenv("TAV_LAUNCH_NS");
    const double launched = launch ? std::stod(launch) / 1e6 : now_ms();
    ProbeApp app(argc, argv);
    std::unique_ptr<QWidget> window;
    const double before = now_ms();
    const long rss_app = rss_kib();
    if (mode == "bare") {
        auto w = std::make_unique<QMainWindow>();
        w->resize(1240, 918);
        window = std::move(w);
    } else {
        // Named first, as the program does, so the probe reads the game's own folder.
        tav::ui::name_application();
        window = tav::ui::open_game_window(tav::ui::data_folder());
    }
    const double built = now_ms();
    const long rss_built = rss_kib();
    window->show();  // the game's is shown already
    double idle_from = 0, idle_cpu = 0;
    QTimer::singleShot(2000, [&] {
        idle_from = now_ms();
        idle_cpu = cpu_ms();
    });
    double idle_used = 0, idle_span = 0;
    QTimer::singleShot(quick ? 300 : 7000, [&] {
        idle_used = cpu_ms() - idle_cpu;
        idle_span = now_ms() - idle_from;
        QApplication::quit();
    });
    QApplication::exec();
    std::printf("%s: application %.1f ms (rss %ld KiB), window shown in %.1f ms (rss %ld KiB)\n", mode.c_str(),
                before - launched, rss_app, built - before, rss_built);
    std::printf("%s: mapped %.1f ms, first frame %.1f ms, rss %ld KiB, idle cpu %.1f ms over %.0f ms, size %dx%d\n",
                mode.c_str(), app.mapped - launched, app.framed - launched, rss_kib(), idle_used, idle_span,
                window->width(), window->height());
    return 0;
}
