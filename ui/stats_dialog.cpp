#include "ui/stats_dialog.h"
#include "ui/language.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "model/seat.h"
#include "ui/keeping.h"
#include "ui/stats_chart.h"

namespace tav::ui {
namespace {
constexpr int kLastGames = 20;  // games on the score line
}  // namespace

StatsDialog::StatsDialog(Keeping& keeping, QWidget* parent) : QDialog(parent), keeping_(keeping) {
    setObjectName("w_stats");
    setWindowTitle(tx("统计"));
    setModal(true);

    chart_ = new StatsChart;
    summary_ = new QLabel;
    summary_->setObjectName("st_summary");
    table_ = new QTableWidget(game::kSeats, 11);
    table_->setObjectName("t_stats");
    table_->setHorizontalHeaderLabels({tx("局数"), tx("头科"), tx("二科"), tx("三科"), tx("四科"), tx("二落"),
                                       tx("大落"), tx("平均名次"), tx("总分"), tx("最好一盘"), tx("最差一盘")});
    QStringList names;
    for (game::Seat s : game::kAllSeats) names << shown(game::name_of(s));
    table_->setVerticalHeaderLabels(names);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setMinimumHeight(table_->verticalHeader()->length() + table_->horizontalHeader()->height() + 6);

    auto* reset_button = new QPushButton(tx("重置统计"));
    reset_button->setObjectName("cb_reset");
    auto* close_button = new QPushButton(tx("关闭"));
    close_button->setObjectName("cb_close");
    close_button->setDefault(true);
    connect(reset_button, &QPushButton::clicked, this, &StatsDialog::reset);
    connect(close_button, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(summary_);
    row->addStretch();
    row->addWidget(reset_button);
    row->addWidget(close_button);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart_, 1);
    layout->addWidget(table_);
    layout->addLayout(row);
    fill();
    // Every heading whole ("Average place" is wider than 平均名次): the
    // columns share the width equally, so the table is never narrower than
    // the widest heading in every column (the numbers below are shorter).
    int widest = 0;
    for (int col = 0; col < table_->columnCount(); ++col)
        widest = std::max(widest, table_->horizontalHeader()->sectionSizeHint(col));
    table_->setMinimumWidth(table_->verticalHeader()->sizeHint().width() + 2 * table_->frameWidth() +
                            widest * table_->columnCount());
    resize(760, 560);
}

void StatsDialog::fill() {
    const Statistics& stats = keeping_.statistics();
    summary_->setText(QString(tx("共%1盘，%2局")).arg(stats.games()).arg(stats.deals().size()));
    for (int seat = 0; seat < game::kSeats; ++seat) {
        const SeatSummary s = stats.seat(seat);
        QStringList cells{QString::number(s.deals)};
        for (int place = 1; place <= 6; ++place) cells << QString::number(s.places[static_cast<std::size_t>(place)]);
        cells << (s.deals ? QString::number(s.average_place, 'f', 2) : QString("-"));
        const bool played = stats.games() > 0;
        cells << QString::number(s.total_score) << (played ? QString::number(s.best_game) : QString("-"))
              << (played ? QString::number(s.worst_game) : QString("-"));
        for (int col = 0; col < cells.size(); ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            item->setTextAlignment(Qt::AlignCenter);
            table_->setItem(seat, col, item);
        }
    }
    const SeatSummary human = stats.seat(0);
    std::array<int, 7> places{};
    std::copy(human.places.begin(), human.places.end(), places.begin());
    chart_->set_data(places, stats.game_scores(0, kLastGames));
}

void StatsDialog::reset() {
    if (QMessageBox::question(this, tx("提示信息"), tx("要清除所有的统计吗？"), QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes)
        return;
    keeping_.reset_statistics();
    fill();
}

}  // namespace tav::ui
