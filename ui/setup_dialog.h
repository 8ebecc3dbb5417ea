// The rules and settings dialog "游戏规则设置": scoring mode, the tribute
// rules, the rule on threes, the dealing speed and the pause before a play
// leaves the table. It reads and writes the settings it is given.
#pragma once

#include <QDialog>

#include "app/settings.h"

class QCheckBox;
class QPushButton;
class QRadioButton;
class QSlider;

namespace tav::ui {

class w_setup : public QDialog {
    Q_OBJECT
public:
    explicit w_setup(Settings& settings, QWidget* parent = nullptr);

public slots:
    // Writes the controls back into the settings and disables "应用".
    void apply();
    // Apply, then close.
    void confirm();

private:
    void load();
    void changed();  // something changed: "应用" becomes available
    void rb_2_clicked();
    void rb_1_clicked();
    void cbx_b3_clicked(bool ticked);

    Settings& settings_;
    QRadioButton *rb_2_, *rb_1_, *rb_ks_, *rb_zc_;
    QCheckBox *cbx_l_, *cbx_m_, *cbx_d_, *cbx_dg_, *cbx_b3_;
    QSlider* htb_show_;
    QPushButton *cb_apply_, *cb_cancel_, *cb_confirm_;
};

}  // namespace tav::ui
