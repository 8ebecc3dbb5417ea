// The desktop program's window as one player at a network table, for the
// browser tests: joins the table at URL with CODE and NAME, turns on
// auto-play once its hand is dealt and plays until DEALS deals are over.
// Prints "seat X" once seated and "deal N over" after each deal; exits 0
// after the last, 1 when the table closes or SECONDS pass first.
//
//   tav_desktop_seat URL CODE NAME DEALS SECONDS
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <cstdio>

#include "ui/main_window.h"
#include "ui/net_client.h"
#include "ui/net_table.h"

using namespace tav;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 6) {
        std::fprintf(stderr, "usage: tav_desktop_seat URL CODE NAME DEALS SECONDS\n");
        return 2;
    }
    const QUrl url(QString::fromLocal8Bit(argv[1]));
    const int deals = QString(argv[4]).toInt(), seconds = QString(argv[5]).toInt();
    if (url.host() != "127.0.0.1" && url.host() != "::1") {
        std::fprintf(stderr, "tav_desktop_seat: loopback addresses only\n");
        return 2;
    }
    Settings settings;
    settings.play_pause = 0;
    ui::MainWindow w(settings, 7);
    w.show();
    if (!w.join_table(url, QString::fromLocal8Bit(argv[2]), QString::fromUtf8(argv[3]))) return 1;

    int over = 0;
    bool seated = false, in_play = false, autoplay = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        // A box would wait for a click nobody gives: answer it as a player would.
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::printf("box: %s\n", qPrintable(box->text()));
            QAbstractButton* b = box->button(QMessageBox::Yes);
            if (!b) b = box->button(QMessageBox::Ok);
            if (b)
                b->click();
            else
                box->reject();
        }
        ui::NetTable* table = w.net_table();
        if (!table) {
            std::printf("the table closed\n");
            app.exit(1);
            return;
        }
        if (!seated && table->seat()) {
            seated = true;
            std::printf("seat %c\n", "ABCDEF"[game::array_index(*table->seat())]);
        }
        const bool playing = w.session().state().phase == game::Phase::play;
        if (playing && !autoplay && !w.session().busy()) {
            w.set_autoplay(true);
            autoplay = true;
        }
        if (playing) in_play = true;
        // Auto-play leaves the shuffle to the player, as in the game alone.
        if (QPushButton* shuffle = w.button("cb_send"); shuffle && shuffle->isVisible() && shuffle->isEnabled())
            shuffle->click();
        if (in_play && !playing && !w.session().busy()) {
            in_play = false;
            std::printf("deal %d over\n", ++over);
            if (over >= deals) app.exit(0);
        }
        std::fflush(stdout);
    });
    watch.start(20);
    QTimer::singleShot(seconds * 1000, [&] {
        std::printf("out of time after %d deals\n", over);
        app.exit(1);
    });
    const int status = app.exec();
    if (w.net_table()) w.leave_table();
    return status;
}
