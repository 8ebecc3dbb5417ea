// The game's window: the table widget filling the client area, the game
// buttons on the table, and the desktop services the game asks for.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <memory>

#include "app/settings.h"
#include "net/protocol.h"
#include "session/session.h"
#include "ui/keeping.h"
#include "ui/qt_platform.h"
#include "ui/table_widget.h"
#include "ui/units.h"

class QDockWidget;

namespace tav::ui {

class NetHost;
class NetTable;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // How the window opens: at the table's own size (tests and pictures), or
    // at the size it had when last closed, else the largest that takes about
    // 85 % of the screen (the program), remembered when it closes.
    enum class Sizing { table, screen };
    explicit MainWindow(Settings& settings, std::uint64_t seed = 0, QWidget* parent = nullptr,
                        Sizing sizing = Sizing::table);
    ~MainWindow() override;

    Session& session() { return *session_; }
    TableWidget* table() { return view_; }
    QtPlatform& platform() { return platform_; }
    // The widget of a game button by its name ("cb_send" ...), null if none.
    QPushButton* button(const QString& name) const;
    // The 提示 button; the record window while one is open.
    QPushButton* hint_button() const { return hint_; }
    QWidget* record_window() const { return record_; }

    // The program keeps its game, statistics and settings in `folder` (and
    // the settings file) between runs from now on, and offers a saved game
    // back; without this call nothing is read or written.
    void keep_between_runs(const QString& folder);
    Keeping& keeping() { return *keeping_; }
    // The program's settings: the table's choices and the window's own.
    Settings& settings() { return settings_; }
    // The network table and the table hosted here, while there are.
    NetTable* net_table() const { return net_; }
    NetHost* net_host() const { return host_; }

public slots:
    // Brings the widgets' enabled and visible states in line with the game.
    void sync_buttons();

    // The menu's commands.
    void new_game();       // a new game from zero, then ready for the shuffle
    void print_table();    // the print dialog, then the table as it stands
    void printer_setup();  // the page set-up dialog
    void open_setup();     // rules and settings
    void open_bgcolor();   // background colour
    void open_bgcard();    // card backs
    void open_about();
    void open_statistics();
    void show_help();  // our own help page in a help window

    // The optional helps.
    void open_deal_number();     // 按编号发牌…: a new game from the deal of a given number
    void set_autoplay(bool on);  // 托管
    void hint();                 // 提示
    void open_record();          // 牌局记录
    void set_view_option(const QString& name, bool on);  // the 设置 menu's view choices
    void set_language(int choice);                       // remembered; read at the next start

    // The 联机 menu (ui/main_window_net.cpp): a network table in this window,
    // the game alone parked until the player leaves it.
    void open_host_dialog();  // 开一桌…
    void open_join_dialog();  // 加入…
    // Hosts a table here on `port` (0: any free one; a taken port falls back
    // to any) and sits at it; false, nothing changed, when no port can be had.
    bool host_table(const net::Create& create, quint16 port);
    bool join_table(const QUrl& url, const QString& code, const QString& name);
    void leave_table();  // back to the game alone, as it was

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* make_button(ButtonId id, int x, int y);
    QSize opening_size(Sizing sizing) const;
    QSize smallest_size() const;  // the program's window, not smaller
    Settings& settings_;
    Sizing sizing_;

    QtPlatform platform_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<Keeping> keeping_;
    TableWidget* view_ = nullptr;
    std::vector<std::pair<ButtonId, QPushButton*>> buttons_;
    QPointer<QWidget> help_;
    QPushButton* hint_ = nullptr;
    QPointer<QWidget> record_;
    std::size_t record_lines_ = 0;  // lines the record window shows
    bool autoplay_due_ = false;     // the next auto-play step is on its way
    void schedule_autoplay();
    void refresh_record();

    // The network table, while there is one.
    bool enter_network();
    void network_menu_state();
    std::unique_ptr<Session> parked_;  // the game alone, while a network table is shown
    NetTable* net_ = nullptr;
    NetHost* host_ = nullptr;
    QPointer<QWidget> room_;
    QDockWidget* chat_dock_ = nullptr;
};

}  // namespace tav::ui
