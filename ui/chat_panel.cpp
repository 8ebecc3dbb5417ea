#include "ui/chat_panel.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "net/protocol.h"
#include "ui/language.h"
#include "ui/net_table.h"

namespace tav::ui {

ChatPanel::ChatPanel(NetTable& table, QWidget* parent)
    : QWidget(parent),
      table_(table),
      lines_(new QPlainTextEdit(this)),
      say_(new QLineEdit(this)),
      mute_(new QToolButton(this)) {
    setObjectName("w_chat");
    lines_->setObjectName("te_chat");
    lines_->setReadOnly(true);
    lines_->setMaximumBlockCount(100);
    say_->setObjectName("le_chat");
    say_->setMaxLength(net::kMaxChatLength);
    say_->setPlaceholderText(tx("说点什么，按回车发送"));
    mute_->setObjectName("tb_mute");
    mute_->setText(tx("屏蔽"));
    mute_->setToolTip(tx("不看某个座位的聊天"));
    mute_->setPopupMode(QToolButton::InstantPopup);
    mute_->setMenu(new QMenu(mute_));

    auto* row = new QHBoxLayout;
    row->addWidget(say_, 1);
    row->addWidget(mute_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(lines_, 1);
    layout->addLayout(row);

    for (const QString& line : table_.chat_lines()) lines_->appendPlainText(line);
    connect(&table_, &NetTable::chat_added, lines_, &QPlainTextEdit::appendPlainText);
    connect(say_, &QLineEdit::returnPressed, this, [this] {
        table_.say(say_->text());
        say_->clear();
    });
    connect(&table_, &NetTable::table_changed, this, &ChatPanel::refresh_mutes);
    refresh_mutes();
}

void ChatPanel::refresh_mutes() {
    QMenu* menu = mute_->menu();
    menu->clear();
    if (!table_.has_info()) return;
    for (game::Seat s : game::kAllSeats) {
        const net::SeatEntry& e = table_.info().seats[game::array_index(s)];
        // Only people talk: the computer's seats and one's own are not offered.
        if (e.name.empty() || e.who == net::Occupant::computer || table_.seat() == s) continue;
        QAction* a = menu->addAction(QString::fromStdString(e.name));
        a->setObjectName(QStringLiteral("m_mute_%1").arg(QChar('A' + game::index_of(s))));
        a->setCheckable(true);
        a->setChecked(table_.muted(s));
        connect(a, &QAction::toggled, this, [this, s](bool on) { table_.mute(s, on); });
    }
}

}  // namespace tav::ui
