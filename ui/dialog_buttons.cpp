#include "ui/dialog_buttons.h"
#include "ui/language.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace tav::ui {

DialogButtons make_dialog_buttons() {
    DialogButtons b{new QPushButton(tx("确定")), new QPushButton(tx("取消")), new QPushButton(tx("应用(&A)")),
                    new QHBoxLayout};
    b.confirm->setObjectName("cb_confirm");
    b.cancel->setObjectName("cb_cancel");
    b.apply->setObjectName("cb_apply");
    b.apply->setEnabled(false);
    b.confirm->setDefault(true);
    b.row->addStretch();
    b.row->addWidget(b.confirm);
    b.row->addWidget(b.cancel);
    b.row->addWidget(b.apply);
    return b;
}

}  // namespace tav::ui
