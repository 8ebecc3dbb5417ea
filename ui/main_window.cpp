#include "ui/main_window.h"
#include "ui/language.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTimer>

#include "ui/about_dialog.h"
#include "ui/background_dialog.h"
#include "ui/card_back_dialog.h"
#include "ui/cool_button.h"
#include "ui/deal_number_dialog.h"
#include "ui/help_window.h"
#include "ui/keyboard.h"
#include "ui/main_menu.h"
#include "ui/record_window.h"
#include "ui/resources.h"
#include "ui/setup_dialog.h"
#include "ui/startup.h"
#include "ui/stats_dialog.h"
#include "ui/units.h"

namespace tav::ui {
namespace {
constexpr int kTableWidth = 3602, kTableHeight = 2272;
constexpr int kButtonWidth = 300, kButtonHeight = 104;
constexpr const char* kSizeKey = "window/size";
}  // namespace

MainWindow::MainWindow(Settings& settings, std::uint64_t seed, QWidget* parent, Sizing sizing)
    : QMainWindow(parent), settings_(settings), sizing_(sizing), platform_(this) {
    ensure_resources();  // card pictures, icon and help page from the static library
    setObjectName("w_main");
    setWindowTitle(tx("瑟柯牌局 - Tav2004"));
    // The application's icon when it has one (read once at start-up).
    if (QGuiApplication::windowIcon().isNull()) setWindowIcon(game_icon());
    session_ = std::make_unique<Session>(settings, platform_, seed);
    session_->view().set_wording(note_wording());
    keeping_ = std::make_unique<Keeping>(*session_, settings_, this);
    session_->callbacks.on_deal_over = [this](const game::PerSeat<std::uint8_t>& places) {
        keeping_->deal_over(places);
    };
    session_->callbacks.on_changed = [this] { keeping_->game_changed(); };
    view_ = new TableWidget(
        session_->surface(), [this](int w, int h) { session_->view().resize(w, h); }, this);
    platform_.set_view(view_);
    setCentralWidget(view_);
    setMenuBar(new MainMenu(this));

    // The buttons stand below the note area, two to a row.
    const int x1 = 2910, x2 = 2910 + kButtonWidth + 30;
    make_button(ButtonId::shuffle, x1, 1680);
    make_button(ButtonId::play, x2, 1680);
    make_button(ButtonId::pass, x1, 1680 + 130);
    make_button(ButtonId::hold_back, x2, 1680 + 130);
    make_button(ButtonId::return_cards, x1, 1680 + 260);
    make_button(ButtonId::quit, x2, 1680 + 260);
    // The hint's button stands below them, shown by choice.
    hint_ = new CoolButton(tx("提示(&I)"), view_);
    hint_->setObjectName("cb_hint");
    hint_->setCursor(Qt::PointingHandCursor);
    view_->place(hint_, px_rect(x1, 1680 + 390, kButtonWidth, kButtonHeight));
    connect(hint_, &QPushButton::clicked, this, &MainWindow::hint);
    for (const auto& [id, w] : buttons_)
        connect(w, &QPushButton::clicked, this, [this, id = id] {
            session_->press(id);
            sync_buttons();
        });
    connect(view_, &TableWidget::left_pressed, this, [this](int x, int y) {
        session_->picking().click_at(x, y);
        sync_buttons();
    });
    connect(view_, &TableWidget::right_pressed, this, [this](int x, int y) {
        session_->picking().right_click_at(x, y);
        sync_buttons();
    });
    session_->callbacks.on_buttons = [this] { sync_buttons(); };
    sync_buttons();
    new Keyboard(this);  // the game's keys, named in the buttons' tooltips

    // The menu bar sits above the table: the window grows by its height.
    // The program's window keeps the table readable: at three quarters of
    // its own size the cards and labels still read (as small as a screen allows).
    if (sizing == Sizing::screen) setMinimumSize(smallest_size());
    resize(opening_size(sizing));
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

MainWindow::~MainWindow() {
    session_->callbacks.on_buttons = nullptr;
    session_->callbacks.on_deal_over = nullptr;
    session_->callbacks.on_changed = nullptr;
}

void MainWindow::keep_between_runs(const QString& folder) {
    keeping_->start(folder);
    // Saved also when the program is ended without its window being closed:
    // quitting, and the desktop session ending.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { keeping_->save_game(); });
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] {
        // The session may yet go on (a log-out cancelled): the folder stays held.
        keeping_->settings_changed();
        keeping_->save_game();
    });
    sync_buttons();
}

QSize MainWindow::smallest_size() const {
    const QSize least = QSize(px_x(kTableWidth), px_y(kTableHeight)) * 0.75 + QSize(0, menuBar()->sizeHint().height());
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? least.boundedTo(screen->availableGeometry().size()) : least;
}

QSize MainWindow::opening_size(Sizing sizing) const {
    const int menu = menuBar()->sizeHint().height();
    const QSize table(px_x(kTableWidth), px_y(kTableHeight));
    if (sizing == Sizing::table) return table + QSize(0, menu);
    QScreen* screen = QGuiApplication::primaryScreen();
    // A remembered size from a larger screen (or a changed file) would open
    // the window past this screen's edges: it is kept within the room there is.
    const QSize remembered = QSettings().value(kSizeKey).toSize();
    if (remembered.isValid() && remembered.width() >= 200 && remembered.height() >= 150)
        return screen ? remembered.boundedTo(screen->availableGeometry().size()) : remembered;
    // The largest window at the table's proportions that takes about 85 %
    // of the screen.
    if (!screen) return table + QSize(0, menu);
    const QSize room = screen->availableGeometry().size() * 0.85 - QSize(0, menu);
    const QSize fit = table.scaled(room, Qt::KeepAspectRatio);
    return fit + QSize(0, menu);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A second copy of the program writes nothing, its size neither.
    if (sizing_ == Sizing::screen && !keeping_->second_copy()) QSettings().setValue(kSizeKey, size());
    // A play still in sight is shown to its end, so the game kept is the whole of it.
    session_->settle();
    keeping_->closing();
    QMainWindow::closeEvent(event);
}

QPushButton* MainWindow::make_button(ButtonId id, int x, int y) {
    const Button& b = session_->button(id);
    auto* w = new CoolButton(shown(b.text), view_);
    w->setObjectName(QString::fromStdString(b.name));
    w->set_tag(shown(b.tag));
    w->set_pictures(QString::fromStdString(b.picture));
    w->setCursor(Qt::PointingHandCursor);
    view_->place(w, px_rect(x, y, kButtonWidth, kButtonHeight));
    buttons_.emplace_back(id, w);
    return w;
}

QPushButton* MainWindow::button(const QString& name) const {
    for (const auto& [id, w] : buttons_)
        if (w->objectName() == name) return w;
    return nullptr;
}

void MainWindow::sync_buttons() {
    for (const auto& [id, w] : buttons_) {
        const Button& b = session_->button(id);
        w->setEnabled(b.enabled);
        w->setVisible(b.visible);
        // The play button's tag says why the picked cards make no play; its
        // tooltip keeps naming the key.
        if (auto* cool = qobject_cast<CoolButton*>(w); cool && cool->tag() != shown(b.tag)) {
            cool->set_tag(shown(b.tag));
            cool->setToolTip(tx("%1（%2）").arg(shown(b.tag), Keyboard::key_name(id)));
        }
    }
    if (!hint_) return;  // still being built
    hint_->setEnabled(session_->human_decides());
    hint_->setVisible(settings_.show_hint_button);
    if (auto* menu = qobject_cast<MainMenu*>(menuBar()))
        if (QAction* autoplay = menu->item("m_托管")) {
            // Off, it is offered while the human has something to decide; on,
            // it can always be turned off.
            autoplay->setEnabled(session_->helps().autoplay() || session_->human_decides());
            autoplay->setChecked(session_->helps().autoplay());
        }
    schedule_autoplay();
    refresh_record();
}

void MainWindow::schedule_autoplay() {
    if (autoplay_due_ || !session_->helps().autoplay() || session_->busy() || !session_->human_decides()) return;
    autoplay_due_ = true;
    // From the event loop, so the table is drawn and the menu heard between decisions.
    QTimer::singleShot(0, this, [this] {
        autoplay_due_ = false;
        if (QApplication::activeModalWidget()) {
            // Not behind an open dialog: looked at again once it may be closed.
            QTimer::singleShot(100, this, [this] { schedule_autoplay(); });
            return;
        }
        // A step that was due and could not be made stops auto-play rather
        // than trying again and again; at a network table the game shown
        // may still be catching up with the table's question: tried again shortly.
        if (session_->helps().autoplay() && !session_->busy() && session_->human_decides() &&
            !session_->helps().autoplay_step()) {
            if (session_->remote())
                QTimer::singleShot(100, this, [this] { schedule_autoplay(); });
            else
                session_->helps().set_autoplay(false);
        }
        sync_buttons();
    });
}

void MainWindow::set_autoplay(bool on) {
    session_->helps().set_autoplay(on);
    sync_buttons();
}

void MainWindow::hint() {
    session_->helps().hint();
    sync_buttons();
}

void MainWindow::open_deal_number() {
    if (session_->busy()) return;
    DealNumberDialog dialog(session_->helps().deal_number(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    // A deal by number starts a new game: a game under way (a deal on the
    // table or deals already scored) is given up only when the player says so.
    const bool under_way = session_->helps().deal_number() != 0 || session_->state().deal_running();
    if (under_way && !platform_.ask_yes_no("提示信息", "正在打的牌局将被放弃。要按这个编号开始新的牌局吗？")) return;
    // Its deals are filed under a game of their own, as after 新游戏.
    if (session_->helps().deal_by_number(dialog.number())) keeping_->new_game();
    sync_buttons();
}

void MainWindow::open_record() {
    if (!record_) record_ = new RecordWindow(session_->helps().record(), this);
    record_lines_ = 0;
    refresh_record();
    record_->show();
    record_->raise();
    record_->activateWindow();
}

void MainWindow::refresh_record() {
    auto* window = qobject_cast<RecordWindow*>(record_.data());
    if (!window) return;
    std::size_t lines = 0;
    for (const DealRecord& d : session_->helps().record().deals()) lines += d.lines.size() + 1;
    if (lines == record_lines_) return;
    record_lines_ = lines;
    window->refresh();
}

void MainWindow::set_view_option(const QString& name, bool on) {
    Settings& s = settings_;
    if (name == "m_显示牌局编号") s.show_deal_number = on;
    if (name == "m_显示提示按钮") s.show_hint_button = on;
    if (name == "m_记牌器") s.show_counter = on;
    session_->helps().view_options_changed();
    sync_buttons();
}

void MainWindow::set_language(int choice) {
    settings_.language = choice;
    keeping_->settings_changed();
}

void MainWindow::new_game() {
    session_->new_game();
    keeping_->new_game();
    sync_buttons();
}

void MainWindow::print_table() { session_->platform.print(); }

void MainWindow::printer_setup() { platform_.printer_setup(); }

void MainWindow::open_setup() {
    SetupDialog dialog(settings_, this);
    dialog.exec();
    keeping_->settings_changed();
}

void MainWindow::open_bgcolor() {
    BackgroundDialog dialog(settings_, *session_, this);
    dialog.exec();
    keeping_->settings_changed();
}

void MainWindow::open_bgcard() {
    CardBackDialog dialog(settings_, *session_, this);
    dialog.exec();
    keeping_->settings_changed();
    sync_buttons();
}

void MainWindow::open_about() {
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::open_statistics() {
    StatsDialog dialog(*keeping_, this);
    dialog.exec();
}

void MainWindow::show_help() {
    if (!help_) help_ = new HelpWindow(this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

}  // namespace tav::ui
