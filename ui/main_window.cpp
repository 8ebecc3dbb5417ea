#include "ui/main_window.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

#include "ui/about_dialog.h"
#include "ui/bgcard_dialog.h"
#include "ui/bgcolor_dialog.h"
#include "ui/coolbutton.h"
#include "ui/help_window.h"
#include "ui/menu.h"
#include "ui/resources.h"
#include "ui/setup_dialog.h"
#include "ui/units.h"

namespace tav::ui {
namespace {
constexpr int kTableWidth = 3602, kTableHeight = 2272;
constexpr int kButtonWidth = 300, kButtonHeight = 104;
}  // namespace

MainWindow::MainWindow(Settings& settings, std::uint64_t seed, QWidget* parent)
    : QMainWindow(parent), platform_(this) {
    ensure_resources();  // card pictures, icon and help page from the static library
    setObjectName("w_main");
    setWindowTitle("瑟柯牌局 - Tav2004");
    setWindowIcon(QIcon(":/tav.png"));
    model_ = std::make_unique<w_main>(settings, platform_, seed);
    view_ = new TableView(*model_, this);
    platform_.set_view(view_);
    setCentralWidget(view_);
    setMenuBar(new m_main(this));

    // The buttons stand below the note area, two to a row.
    const int x1 = 2910, x2 = 2910 + kButtonWidth + 30;
    make_button(model_->cb_send, x1, 1680);
    make_button(model_->cb_out, x2, 1680);
    make_button(model_->cb_pass, x1, 1680 + 130);
    make_button(model_->cb_over, x2, 1680 + 130);
    make_button(model_->cb_gog, x1, 1680 + 260);
    make_button(model_->cb_quit, x2, 1680 + 260);
    connect(button("cb_quit"), &QPushButton::clicked, this, [this] { run(&w_main::cb_quit_clicked); });
    connect(button("cb_send"), &QPushButton::clicked, this, [this] { run(&w_main::cb_send_clicked); });
    connect(button("cb_out"), &QPushButton::clicked, this, [this] { run(&w_main::cb_out_clicked); });
    connect(button("cb_pass"), &QPushButton::clicked, this, [this] { run(&w_main::cb_pass_clicked); });
    connect(button("cb_over"), &QPushButton::clicked, this, [this] { run(&w_main::cb_over_clicked); });
    connect(button("cb_gog"), &QPushButton::clicked, this, [this] { run(&w_main::cb_gog_clicked); });
    connect(view_, &TableView::left_pressed, this, [this](int x, int y) {
        model_->click_at(x, y);
        sync_buttons();
    });
    connect(view_, &TableView::right_pressed, this, [this](int x, int y) {
        model_->right_click_at(x, y);
        sync_buttons();
    });
    model_->on_buttons = [this] { sync_buttons(); };
    sync_buttons();

    // The menu bar sits above the table: the window grows by its height.
    resize(px_x(kTableWidth), px_y(kTableHeight) + menuBar()->sizeHint().height());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

MainWindow::~MainWindow() {
    model_->on_buttons = nullptr;
    model_->dw_main.set_listener(nullptr);
}

QPushButton* MainWindow::make_button(Button& b, int x, int y) {
    auto* w = new uo_coolbutton(QString::fromStdString(b.text), view_);
    w->setObjectName(QString::fromStdString(b.name));
    w->set_tag(QString::fromStdString(b.tag));
    w->set_pictures(QString::fromStdString(b.picture));
    w->setCursor(Qt::PointingHandCursor);
    w->setGeometry(px_rect(x, y, kButtonWidth, kButtonHeight));
    buttons_.emplace_back(&b, w);
    return w;
}

QPushButton* MainWindow::button(const QString& name) const {
    for (const auto& [b, w] : buttons_)
        if (w->objectName() == name) return w;
    return nullptr;
}

void MainWindow::sync_buttons() {
    for (const auto& [b, w] : buttons_) {
        w->setEnabled(b->enabled);
        w->setVisible(b->visible);
    }
}

void MainWindow::run(void (w_main::*action)()) {
    (model_.get()->*action)();
    sync_buttons();
}

void MainWindow::new_game() {
    model_->resetgame();
    sync_buttons();
}

void MainWindow::print_table() { model_->print(); }

void MainWindow::printer_setup() { platform_.printer_setup(); }

void MainWindow::open_setup() {
    w_setup dialog(model_->settings, this);
    dialog.exec();
}

void MainWindow::open_bgcolor() {
    w_bgcolor dialog(model_->settings, *model_, this);
    dialog.exec();
}

void MainWindow::open_bgcard() {
    w_bgcard dialog(model_->settings, *model_, this);
    dialog.exec();
    sync_buttons();
}

void MainWindow::open_about() {
    w_about dialog(this);
    dialog.exec();
}

void MainWindow::show_help() {
    if (!help_) help_ = new HelpWindow(this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

}  // namespace tav::ui
