// The statistics as pictures: bars of how often the human finished in each
// place (over every deal), and a line of its score at the end of each of the
// last games, drawn with QPainter.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

namespace tav::ui {

class StatsChart : public QWidget {
    Q_OBJECT
public:
    explicit StatsChart(QWidget* parent = nullptr);
    // [1..6]: deals ended in that place; the scores oldest first.
    void set_data(const std::array<int, 7>& places, const std::vector<int>& game_scores);
    QSize sizeHint() const override { return {640, 260}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void draw_places(QPainter& p, const QRect& area) const;
    void draw_scores(QPainter& p, const QRect& area) const;
    std::array<int, 7> places_{};
    std::vector<int> scores_;
};

}  // namespace tav::ui
