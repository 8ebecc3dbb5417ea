#include "ui/net_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/language.h"
#include "ui/net_table.h"

namespace tav::ui {
namespace {

template <class W>
W* named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}

QDialogButtonBox* ok_cancel(QDialog* d) {
    auto* box = new QDialogButtonBox(d);
    named(box->addButton(tx("确定"), QDialogButtonBox::AcceptRole), "pb_ok");
    named(box->addButton(tx("取消"), QDialogButtonBox::RejectRole), "pb_cancel");
    QObject::connect(box, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return box;
}

QString name_or_default(const std::string& name) { return name.empty() ? tx("钟离云") : QString::fromStdString(name); }

}  // namespace

HostDialog::HostDialog(const Settings& s, QWidget* parent)
    : QDialog(parent),
      name_(named(new QLineEdit(name_or_default(s.net_name)), "le_name")),
      tributes_(named(new QRadioButton(tx("记分加进贡")), "rb_2")),
      scores_only_(named(new QRadioButton(tx("仅记分")), "rb_1")),
      smother_(named(new QCheckBox(tx("扪")), "cbx_m")),
      points_(named(new QCheckBox(tx("点")), "cbx_d")),
      threes_(named(new QCheckBox(tx("憋３限制")), "cbx_b3")),
      classic_(named(new QRadioButton(tx("标准")), "rb_level_classic")),
      strong_(named(new QRadioButton(tx("高手")), "rb_level_strong")),
      seconds_(named(new QSpinBox, "sb_seconds")),
      port_(named(new QSpinBox, "sb_port")) {
    setObjectName("w_host");
    setWindowTitle(tx("开一桌"));
    name_->setMaxLength(net::kMaxNameLength);
    (s.win_style == 1 ? tributes_ : scores_only_)->setChecked(true);
    smother_->setChecked(s.smother_tributes);
    points_->setChecked(s.point_tributes);
    threes_->setChecked(s.threes_rule);
    (s.computer_level == 1 ? strong_ : classic_)->setChecked(true);
    seconds_->setRange(0, net::kMaxSecondsPerDecision);
    seconds_->setValue(30);
    seconds_->setSpecialValueText(tx("不限"));
    seconds_->setSuffix(tx(" 秒"));
    port_->setRange(0, 65535);
    port_->setValue(kDefaultPort);
    port_->setSpecialValueText(tx("自动"));

    auto* rules = new QGroupBox(tx("规则"));
    auto* rules_layout = new QVBoxLayout(rules);
    auto* style = new QHBoxLayout;
    style->addWidget(tributes_);
    style->addWidget(scores_only_);
    rules_layout->addLayout(style);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(smother_);
    boxes->addWidget(points_);
    boxes->addWidget(threes_);
    rules_layout->addLayout(boxes);
    auto* level = new QGroupBox(tx("电脑水平"));
    auto* level_layout = new QHBoxLayout(level);
    level_layout->addWidget(classic_);
    level_layout->addWidget(strong_);

    auto* form = new QFormLayout;
    form->addRow(tx("你的名字："), name_);
    form->addRow(tx("每步时限："), seconds_);
    form->addRow(tx("端口："), port_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(rules);
    layout->addWidget(level);
    layout->addWidget(new QLabel(tx("本机所有网络地址都接受连接，同一局域网的朋友可以加入。")));
    layout->addWidget(ok_cancel(this));
}

net::Create HostDialog::choice() const {
    net::Create c;
    c.name = name_->text().trimmed().toStdString();
    c.rules = {threes_->isChecked(), smother_->isChecked(), points_->isChecked(), tributes_->isChecked()};
    c.level = strong_->isChecked() ? game::Level::strong : game::Level::classic;
    c.seconds = seconds_->value();
    return c;
}

quint16 HostDialog::port() const { return static_cast<quint16>(port_->value()); }

JoinDialog::JoinDialog(const Settings& s, QWidget* parent)
    : QDialog(parent),
      address_(named(new QLineEdit(QString::fromStdString(s.net_address)), "le_address")),
      code_(named(new QLineEdit(QString::fromStdString(s.net_code)), "le_code")),
      name_(named(new QLineEdit(name_or_default(s.net_name)), "le_name")) {
    setObjectName("w_join");
    setWindowTitle(tx("加入牌桌"));
    setMinimumWidth(360);
    address_->setPlaceholderText(QStringLiteral("192.168.1.20:%1").arg(kDefaultPort));
    code_->setMaxLength(net::kTableCodeLength);
    code_->setValidator(new QRegularExpressionValidator(QRegularExpression("[2-9A-Za-z]*"), code_));
    name_->setMaxLength(net::kMaxNameLength);
    auto* form = new QFormLayout;
    form->addRow(tx("地址："), address_);
    form->addRow(tx("牌桌代码："), code_);
    form->addRow(tx("你的名字："), name_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    QDialogButtonBox* box = ok_cancel(this);
    ok_ = box->findChild<QPushButton*>("pb_ok");
    layout->addWidget(box);
    for (QLineEdit* e : {address_, code_, name_}) connect(e, &QLineEdit::textChanged, this, &JoinDialog::check);
    check();
}

void JoinDialog::check() {
    // Refused here rather than by the server: a code of the wrong length
    // or an empty name can only be a typing slip.
    const bool ok = !address_->text().trimmed().isEmpty() && code_->text().size() == net::kTableCodeLength &&
                    !name_->text().trimmed().isEmpty();
    ok_->setEnabled(ok);
}

QString JoinDialog::address() const { return address_->text().trimmed(); }
QString JoinDialog::code() const { return code_->text().trimmed().toUpper(); }
QString JoinDialog::name() const { return name_->text().trimmed(); }

RoomDialog::RoomDialog(NetTable& table, const QStringList& addresses, QWidget* parent)
    : QDialog(parent),
      table_(table),
      code_(named(new QLabel, "st_code")),
      seats_(named(new QListWidget, "lw_seats")),
      move_(named(new QPushButton(tx("坐这里")), "pb_move")),
      start_(named(new QPushButton(tx("开始")), "pb_start")) {
    setObjectName("w_room");
    setWindowTitle(tx("牌桌"));
    auto* layout = new QVBoxLayout(this);
    if (!addresses.isEmpty()) {
        auto* where = named(new QLabel(tx("地址：%1").arg(addresses.join(QStringLiteral("  ")))), "st_address");
        where->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(where);
        addresses_ = addresses;
        browser_ = named(new QLabel, "st_browser");
        browser_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(browser_);
    }
    code_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(code_);
    layout->addWidget(seats_);
    auto* row = new QHBoxLayout;
    row->addWidget(move_);
    row->addStretch(1);
    row->addWidget(start_);
    auto* close = named(new QPushButton(tx("关闭")), "pb_close");
    row->addWidget(close);
    layout->addLayout(row);
    connect(start_, &QPushButton::clicked, &table_, &NetTable::start);
    // Until the first deal a player may move to any free seat.
    const auto chosen = [this] {
        const int row = seats_->currentRow();
        return row >= 0 && row < game::kSeats && !table_.started() &&
                       table_.info().seats[static_cast<std::size_t>(row)].who == net::Occupant::open
                   ? std::optional(game::seat_at(row))
                   : std::nullopt;
    };
    connect(seats_, &QListWidget::currentRowChanged, this, [this, chosen] { move_->setEnabled(chosen().has_value()); });
    connect(move_, &QPushButton::clicked, this, [this, chosen] {
        if (const auto seat = chosen()) table_.move_to(*seat);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(&table_, &NetTable::table_changed, this, &RoomDialog::refresh);
    refresh();
}

void RoomDialog::refresh() {
    const net::TableInfo& t = table_.info();
    code_->setText(tx("牌桌代码：%1").arg(table_.has_info() ? QString::fromStdString(t.code) : QString()));
    if (browser_) {
        // The same port serves the page: http where the table is ws.
        QStringList pages;
        for (const QString& a : std::as_const(addresses_))
            pages << QString(a).replace(QStringLiteral("ws://"), QStringLiteral("http://")) +
                         "/?code=" + QString::fromStdString(t.code);
        browser_->setText(tx("浏览器：%1").arg(table_.has_info() ? pages.join(QStringLiteral("  ")) : QString()));
    }
    seats_->clear();
    for (game::Seat s : game::kAllSeats) {
        const net::SeatEntry& e = t.seats[game::array_index(s)];
        QString who;
        switch (e.who) {
            case net::Occupant::open: who = tx("空位（电脑）"); break;
            case net::Occupant::human: who = QString::fromStdString(e.name); break;
            case net::Occupant::computer: who = tx("电脑"); break;
            case net::Occupant::dropped: who = tx("%1（掉线，电脑代打）").arg(QString::fromStdString(e.name)); break;
        }
        seats_->addItem(QStringLiteral("%1  %2").arg(QChar('A' + game::index_of(s))).arg(who));
    }
    move_->setEnabled(false);
    move_->setVisible(!table_.started());
    start_->setVisible(table_.hosting());
    start_->setEnabled(table_.hosting() && !table_.started());
    if (table_.started()) close();
}

}  // namespace tav::ui
