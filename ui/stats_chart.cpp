#include "ui/stats_chart.h"
#include "ui/language.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace tav::ui {
namespace {

constexpr std::array<const char*, 6> kPlaceNames{"头科", "二科", "三科", "四科", "二落", "大落"};
const QColor kBars(0, 140, 70), kLine(40, 80, 200), kAxis(90, 90, 90);

}  // namespace

StatsChart::StatsChart(QWidget* parent) : QWidget(parent) {
    setObjectName("c_stats");
    setMinimumSize(480, 220);
}

void StatsChart::set_data(const std::array<int, 7>& places, const std::vector<int>& game_scores) {
    places_ = places;
    scores_ = game_scores;
    update();
}

void StatsChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const int half = width() / 2;
    draw_places(p, QRect(0, 0, half, height()).adjusted(10, 10, -10, -10));
    draw_scores(p, QRect(half, 0, width() - half, height()).adjusted(10, 10, -10, -10));
}

void StatsChart::draw_places(QPainter& p, const QRect& area) const {
    const QFontMetrics fm = p.fontMetrics();
    const int text_h = fm.height();
    p.setPen(Qt::black);
    p.drawText(QRect(area.left(), area.top(), area.width(), text_h), Qt::AlignCenter, tx("钟离云的名次（每局）"));
    const QRect plot(area.left(), area.top() + text_h + 4, area.width(), area.height() - 3 * text_h - 8);
    const int most = std::max(1, *std::max_element(places_.begin() + 1, places_.end()));
    const int slot = plot.width() / 6;
    for (int place = 1; place <= 6; ++place) {
        const int n = places_[static_cast<std::size_t>(place)];
        const int h = plot.height() * n / most;
        const QRect bar(plot.left() + (place - 1) * slot + slot / 6, plot.bottom() - h, slot * 2 / 3, h);
        p.fillRect(bar, kBars);
        p.setPen(Qt::black);
        p.drawText(QRect(bar.left() - slot / 6, bar.top() - text_h, slot, text_h), Qt::AlignCenter, QString::number(n));
        p.drawText(QRect(plot.left() + (place - 1) * slot, plot.bottom() + 4, slot, text_h), Qt::AlignCenter,
                   tx(kPlaceNames[static_cast<std::size_t>(place - 1)]));
    }
    p.setPen(kAxis);
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
}

void StatsChart::draw_scores(QPainter& p, const QRect& area) const {
    const QFontMetrics fm = p.fontMetrics();
    const int text_h = fm.height();
    p.setPen(Qt::black);
    p.drawText(QRect(area.left(), area.top(), area.width(), text_h), Qt::AlignCenter,
               QString(tx("钟离云的得分（最近%1盘）")).arg(scores_.size()));
    const int label_w = fm.horizontalAdvance("-0000") + 6;
    const QRect plot(area.left() + label_w, area.top() + text_h + 4 + text_h / 2, area.width() - label_w,
                     area.height() - 3 * text_h - 8);
    int lo = 0, hi = 0;
    for (int s : scores_) {
        lo = std::min(lo, s);
        hi = std::max(hi, s);
    }
    if (hi == lo) hi = lo + 1;
    auto y_of = [&](int score) { return plot.bottom() - (score - lo) * plot.height() / (hi - lo); };
    // The zero line and the range of the scores.
    p.setPen(QPen(kAxis, 1, Qt::DashLine));
    p.drawLine(plot.left(), y_of(0), plot.right(), y_of(0));
    p.setPen(kAxis);
    p.drawLine(plot.topLeft(), plot.bottomLeft());
    for (int v : {lo, 0, hi})
        p.drawText(QRect(area.left(), y_of(v) - text_h / 2, label_w - 4, text_h), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(v));
    if (scores_.empty()) {
        p.drawText(plot, Qt::AlignCenter, tx("还没有打完的局"));
        return;
    }
    const int n = static_cast<int>(scores_.size());
    auto x_of = [&](int i) { return n == 1 ? plot.center().x() : plot.left() + 6 + i * (plot.width() - 12) / (n - 1); };
    QPainterPath line;
    for (int i = 0; i < n; ++i) {
        const QPointF at(x_of(i), y_of(scores_[static_cast<std::size_t>(i)]));
        if (i == 0)
            line.moveTo(at);
        else
            line.lineTo(at);
    }
    p.setPen(QPen(kLine, 2));
    p.drawPath(line);
    p.setBrush(kLine);
    for (int i = 0; i < n; ++i) p.drawEllipse(QPointF(x_of(i), y_of(scores_[static_cast<std::size_t>(i)])), 3, 3);
    p.setPen(Qt::black);
    p.drawText(QRect(plot.left(), plot.bottom() + 4, plot.width(), text_h), Qt::AlignCenter, tx("较早  →  最近"));
}

}  // namespace tav::ui
