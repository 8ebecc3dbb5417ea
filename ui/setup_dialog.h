// The rules and settings dialog "游戏规则设置": scoring mode, the tribute
// rules, the rule on threes, the computer's level, the dealing speed and the
// pause before a play leaves the table. It reads and writes the settings it
// is given.
#pragma once

#include <QDialog>

#include "app/settings.h"

class QCheckBox;
class QPushButton;
class QRadioButton;
class QSlider;

namespace tav::ui {

class SetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit SetupDialog(Settings& settings, QWidget* parent = nullptr);

public slots:
    // Writes the controls back into the settings and disables "应用".
    void apply();
    // Apply, then close.
    void confirm();

private:
    void load();
    void changed();  // something changed: "应用" becomes available
    void tributes_clicked();
    void scores_only_clicked();
    void threes_clicked(bool ticked);

    Settings& settings_;
    QRadioButton *scores_and_tributes_, *scores_only_, *fast_deal_, *normal_deal_;
    QRadioButton *classic_level_, *strong_level_;  // "电脑水平": 标准 / 高手
    // 落, 扪, 点, 点贡 (shown only, kept nowhere) and the rule on threes.
    QCheckBox *place_box_, *smother_box_, *points_box_, *point_tribute_box_, *threes_box_;
    QSlider* pause_slider_;  // pause before a play leaves the table, in hundredths
    QPushButton *apply_button_, *cancel_button_, *confirm_button_;
};

}  // namespace tav::ui
