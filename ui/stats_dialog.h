// 统计: every seat's places and scores over every game played, with the
// human's as pictures, and a reset that asks first.
#pragma once

#include <QDialog>

class QLabel;
class QTableWidget;

namespace tav::ui {

class Keeping;
class StatsChart;

class StatsDialog : public QDialog {
    Q_OBJECT
public:
    StatsDialog(Keeping& keeping, QWidget* parent = nullptr);

private:
    void fill();
    void reset();

    Keeping& keeping_;
    StatsChart* chart_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* summary_ = nullptr;
};

}  // namespace tav::ui
