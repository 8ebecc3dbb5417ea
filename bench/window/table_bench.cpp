// Drawing the whole table on a 3840 × 2160 offscreen surface: after a card
// moves (a pick raised and dropped again: the window repaints at once), and
// at a size not seen before (every card picture drawn anew, as a live resize
// does), rendered into an image.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdlib>
#include <memory>

#include "app/settings.h"
#include "ui/application.h"
#include "ui/main_window.h"

namespace {

using tav::ui::MainWindow;

struct Table {
    tav::Settings settings;
    std::unique_ptr<MainWindow> window;
    QImage frame;

    explicit Table(QSize size) {
        settings.play_pause = 0;
        window = std::make_unique<MainWindow>(settings, 2024);
        window->show();
        window->session().shuffle();
        resize(size);
    }
    void resize(QSize size) {
        window->resize(size + (window->size() - window->table()->size()));
        QApplication::processEvents();
        frame = QImage(window->table()->size(), QImage::Format_ARGB32_Premultiplied);
    }
    void draw() { window->table()->render(&frame); }
};

void BM_RedrawAfterACardMoves4K(benchmark::State& state) {
    Table t(QSize(3840, 2160));
    auto& s = t.window->session();
    const tav::game::Card card = s.picking().human_row().at(3);
    t.draw();  // the pictures at this size drawn once
    for (auto _ : state) {
        // Raised, or dropped again: the table redraws itself at once, all of
        // it, into the window's 4K backing store.
        s.picking().click(card);
    }
    s.picking().drop();
}
BENCHMARK(BM_RedrawAfterACardMoves4K)->Unit(benchmark::kMillisecond);

void BM_RedrawAtANewSize4K(benchmark::State& state) {
    Table t(QSize(3840, 2160));
    int step = 0;
    for (auto _ : state) {
        // A size a few pixels off the last one: every card drawn anew.
        t.resize(QSize(3840 - 8 * (step % 50), 2160 - 5 * (step % 50)));
        ++step;
        t.draw();
        benchmark::DoNotOptimize(t.frame.constBits());
    }
}
BENCHMARK(BM_RedrawAtANewSize4K)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    tav::ui::set_up_application();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
