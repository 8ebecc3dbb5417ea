// The main window's menu bar: game, settings and help. Every item carries its
// name as objectName ("m_新游戏" ...) so it can be found by name.
#pragma once

#include <QMenuBar>

class QAction;

namespace tav::ui {

class MainWindow;

class MainMenu : public QMenuBar {
    Q_OBJECT
public:
    explicit MainMenu(MainWindow* window);
    // An item (or separator) by its name; null when there is none.
    QAction* item(const QString& name) const;
};

}  // namespace tav::ui
