#include "ui/main_menu.h"
#include "ui/language.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <tuple>

#include "ui/main_window.h"

namespace tav::ui {
namespace {

QMenu* add_menu(QMenuBar* bar, const char* name, const QString& text) {
    QMenu* menu = bar->addMenu(text);
    menu->setObjectName(QString::fromUtf8(name));
    menu->menuAction()->setObjectName(QString::fromUtf8(name));
    return menu;
}

QAction* add_item(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys = {}) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromUtf8(name));
    if (!keys.isEmpty()) a->setShortcut(keys);
    return a;
}

void add_separator(QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromUtf8(name)); }

// 语言 / Language: the choice is remembered and read at the next start, when
// every menu, dialog and table text is made in the chosen language. Its name
// and "中文" read the same in both languages, so a player lost in one finds it.
void add_language_menu(QMenu* settings, MainWindow* w) {
    add_separator(settings, "m_-4");
    QMenu* languages = settings->addMenu("语言 / Language");
    languages->setObjectName("m_语言");
    languages->menuAction()->setObjectName("m_语言");
    auto* group = new QActionGroup(languages);
    const int now = w->settings().language;
    for (const auto& [name, text, choice] :
         {std::tuple{"m_跟随系统", tx("跟随系统"), 0}, std::tuple{"m_中文", QString("中文"), 1},
          std::tuple{"m_English", QString("English"), 2}}) {
        QAction* a = add_item(languages, name, text);
        a->setCheckable(true);
        a->setChecked(choice == now);
        group->addAction(a);
        QObject::connect(a, &QAction::triggered, w, [w, c = choice] { w->set_language(c); });
    }
    add_separator(languages, "m_-5");
    add_item(languages, "m_重新启动后生效", tx("重新启动后生效"))->setEnabled(false);
}

}  // namespace

MainMenu::MainMenu(MainWindow* w) : QMenuBar(w) {
    setObjectName("m_main");

    QMenu* game = add_menu(this, "m_游戏", tx("游戏(&G)"));
    connect(add_item(game, "m_新游戏", tx("新游戏(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N)), &QAction::triggered, w,
            &MainWindow::new_game);
    connect(add_item(game, "m_按编号发牌", tx("按编号发牌…")), &QAction::triggered, w, &MainWindow::open_deal_number);
    // A table with friends: hosted here, or joined by its code. A menu of
    // the game's own, so the menu bar looks as it always has.
    QMenu* network = game->addMenu(tx("联机"));
    network->setObjectName("m_联机");
    network->menuAction()->setObjectName("m_联机");
    connect(add_item(network, "m_开一桌", tx("开一桌…")), &QAction::triggered, w, &MainWindow::open_host_dialog);
    connect(add_item(network, "m_加入", tx("加入…")), &QAction::triggered, w, &MainWindow::open_join_dialog);
    add_separator(network, "m_-6");
    QAction* leave = add_item(network, "m_离开牌桌", tx("离开牌桌"));
    leave->setEnabled(false);
    connect(leave, &QAction::triggered, w, &MainWindow::leave_table);
    add_separator(game, "m_-2");
    QAction* autoplay = add_item(game, "m_托管", tx("托管"), QKeySequence(Qt::Key_T));
    autoplay->setCheckable(true);
    connect(autoplay, &QAction::triggered, w, &MainWindow::set_autoplay);
    connect(add_item(game, "m_牌局记录", tx("牌局记录")), &QAction::triggered, w, &MainWindow::open_record);
    connect(add_item(game, "m_统计", tx("统计…")), &QAction::triggered, w, &MainWindow::open_statistics);
    add_separator(game, "m_-");
    connect(add_item(game, "m_打印设置", tx("打印设置")), &QAction::triggered, w, &MainWindow::printer_setup);
    connect(add_item(game, "m_打印", tx("打印")), &QAction::triggered, w, &MainWindow::print_table);
    add_separator(game, "m_-1");
    connect(add_item(game, "m_退出", tx("退出"), QKeySequence(Qt::ALT | Qt::Key_F4)), &QAction::triggered, w,
            &MainWindow::close);

    QMenu* settings = add_menu(this, "m_设置s", tx("设置(&S)"));
    connect(add_item(settings, "m_游戏规则", tx("游戏规则")), &QAction::triggered, w, &MainWindow::open_setup);
    connect(add_item(settings, "m_背景颜色", tx("背景颜色")), &QAction::triggered, w, &MainWindow::open_bgcolor);
    connect(add_item(settings, "m_牌背图案", tx("牌背图案")), &QAction::triggered, w, &MainWindow::open_bgcard);
    add_separator(settings, "m_-3");
    const Settings& now = w->settings();
    for (const auto& [name, text, on] : {std::tuple{"m_显示牌局编号", tx("显示牌局编号"), now.show_deal_number},
                                         std::tuple{"m_显示提示按钮", tx("显示提示按钮"), now.show_hint_button},
                                         std::tuple{"m_记牌器", tx("记牌器"), now.show_counter}}) {
        QAction* a = add_item(settings, name, text);
        a->setCheckable(true);
        a->setChecked(on);
        connect(a, &QAction::toggled, w,
                [w, n = QString::fromUtf8(name)](bool checked) { w->set_view_option(n, checked); });
    }

    add_language_menu(settings, w);

    QMenu* help = add_menu(this, "m_帮助h", tx("帮助(&H)"));
    connect(add_item(help, "m_联机帮助", tx("联机帮助"), QKeySequence(Qt::Key_F1)), &QAction::triggered, w,
            &MainWindow::show_help);
    add_separator(help, "m_-0");
    connect(add_item(help, "m_关于tava", tx("关于Tav(&A)")), &QAction::triggered, w, &MainWindow::open_about);
}

QAction* MainMenu::item(const QString& name) const {
    const auto actions = findChildren<QAction*>(name);
    return actions.isEmpty() ? nullptr : actions.first();
}

}  // namespace tav::ui
