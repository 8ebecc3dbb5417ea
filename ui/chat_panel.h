// The chat of a network table: the last lines said, a line to say, and the
// seats whose lines are not shown (muted here, for this player only).
#pragma once

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace tav::ui {

class NetTable;

class ChatPanel : public QWidget {
    Q_OBJECT
public:
    ChatPanel(NetTable& table, QWidget* parent = nullptr);

private:
    void refresh_mutes();
    NetTable& table_;
    QPlainTextEdit* lines_;
    QLineEdit* say_;
    QToolButton* mute_;
};

}  // namespace tav::ui
