// The main window at a network table: hosting one here, joining one, and
// leaving it for the game alone, which waits as it was.
#include <QDockWidget>
#include <QTimer>
#include <algorithm>

#include "ui/chat_panel.h"
#include "ui/keeping.h"
#include "ui/language.h"
#include "ui/main_menu.h"
#include "ui/main_window.h"
#include "ui/net_client.h"
#include "ui/net_dialogs.h"
#include "ui/net_host.h"
#include "ui/net_table.h"

namespace tav::ui {

void MainWindow::open_host_dialog() {
    if (net_) return;
    HostDialog dialog(settings_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const net::Create create = dialog.choice();
    settings_.net_name = create.name;
    keeping_->settings_changed();
    host_table(create, dialog.port());
}

void MainWindow::open_join_dialog() {
    if (net_) return;
    JoinDialog dialog(settings_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    settings_.net_address = dialog.address().toStdString();
    settings_.net_code = dialog.code().toStdString();
    settings_.net_name = dialog.name().toStdString();
    keeping_->settings_changed();
    const QUrl url = NetClient::address_url(dialog.address(), kDefaultPort);
    if (!url.isValid()) {
        platform_.message("提示信息", "这个地址无法使用。");
        return;
    }
    join_table(url, dialog.code(), dialog.name());
}

bool MainWindow::host_table(const net::Create& create, quint16 port) {
    if (net_) return false;
    host_ = new NetHost(this);
    // A port already in use (another program, a second table) gives way to any free one.
    if (!host_->listen(QHostAddress::Any, port) && (port == 0 || !host_->listen(QHostAddress::Any, 0))) {
        const QString why = host_->error();
        delete host_;
        host_ = nullptr;
        platform_.message("提示信息", tx("无法在本机开桌：%1").arg(why).toStdString());
        return false;
    }
    // The host comes to its own table over loopback like anyone else.
    QUrl url;
    url.setScheme("ws");
    url.setHost("127.0.0.1");
    url.setPort(host_->port());
    enter_network();
    net_->create(url, create);
    auto* room = new RoomDialog(*net_, host_->addresses(), this);
    room->setAttribute(Qt::WA_DeleteOnClose);
    room->show();
    room_ = room;
    return true;
}

bool MainWindow::join_table(const QUrl& url, const QString& code, const QString& name) {
    if (net_) return false;
    enter_network();
    if (!net_->join(url, code, name)) {
        leave_table();
        return false;
    }
    auto* room = new RoomDialog(*net_, {}, this);
    room->setAttribute(Qt::WA_DeleteOnClose);
    room->show();
    room_ = room;
    return true;
}

bool MainWindow::enter_network() {
    // The game alone is shown to the end of its action and parked as it is.
    session_->settle();
    session_->helps().set_autoplay(false);
    parked_ = std::move(session_);
    session_ = std::make_unique<Session>(settings_, platform_);
    session_->view().set_wording(note_wording());
    session_->callbacks.on_buttons = [this] { sync_buttons(); };
    view_->set_surface(session_->surface());
    net_ = new NetTable(*session_, this);
    connect(net_, &NetTable::failed, this, [this](const QString& why) {
        platform_.message("提示信息", why.toStdString());
        // A failure that ended the connection ends the network table too.
        QTimer::singleShot(0, this, [this] {
            if (net_ && !net_->client().connected()) leave_table();
        });
    });
    connect(net_, &NetTable::closed, this, [this] { QTimer::singleShot(0, this, &MainWindow::leave_table); });
    chat_dock_ = new QDockWidget(tx("聊天"), this);
    chat_dock_->setObjectName("dk_chat");
    chat_dock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    chat_dock_->setWidget(new ChatPanel(*net_, chat_dock_));
    addDockWidget(Qt::RightDockWidgetArea, chat_dock_);
    // A narrow strip: the table keeps most of the window.
    resizeDocks({chat_dock_}, {std::max(200, width() / 6)}, Qt::Horizontal);
    network_menu_state();
    sync_buttons();
    return true;
}

void MainWindow::leave_table() {
    if (!net_) return;
    if (room_) room_->close();
    delete chat_dock_;
    chat_dock_ = nullptr;
    net_->disconnect(this);
    net_->leave();
    delete net_;  // before the session it shows
    net_ = nullptr;
    if (host_) {
        host_->stop();
        delete host_;
        host_ = nullptr;
    }
    session_->settle();
    session_->callbacks = {};
    view_->set_surface(parked_->surface());
    session_ = std::move(parked_);
    network_menu_state();
    sync_buttons();
}

void MainWindow::network_menu_state() {
    auto* menu = qobject_cast<MainMenu*>(menuBar());
    if (!menu) return;
    // At a network table the game alone's own commands wait for it.
    for (const char* name : {"m_新游戏", "m_按编号发牌", "m_开一桌", "m_加入"})
        if (QAction* a = menu->item(QString::fromUtf8(name))) a->setEnabled(!net_);
    if (QAction* a = menu->item("m_离开牌桌")) a->setEnabled(net_ != nullptr);
}

}  // namespace tav::ui
