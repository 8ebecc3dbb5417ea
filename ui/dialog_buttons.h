// The row every settings dialog ends with: 确定, 取消 and 应用(&A), the apply
// button disabled until something is changed.
#pragma once

class QHBoxLayout;
class QPushButton;

namespace tav::ui {

struct DialogButtons {
    QPushButton* confirm;
    QPushButton* cancel;
    QPushButton* apply;
    QHBoxLayout* row;  // right-aligned, to add to the dialog's layout
};

DialogButtons make_dialog_buttons();

}  // namespace tav::ui
