#include "ui/deal_number_dialog.h"
#include "ui/language.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/deal_numbers.h"

namespace tav::ui {

DealNumberDialog::DealNumberDialog(std::uint64_t suggested, QWidget* parent) : QDialog(parent) {
    setObjectName("w_dealno");
    setWindowTitle(tx("按编号发牌"));
    setModal(true);
    auto* prompt = new QLabel(tx("牌局编号（同一编号发出同样的牌）："));
    edit_ = new QLineEdit(suggested ? QString::number(suggested) : QString());
    edit_->setObjectName("sle_dealno");
    edit_->selectAll();
    error_ = new QLabel;
    error_->setObjectName("st_dealno_error");
    error_->setStyleSheet("color: #b00000");
    error_->setWordWrap(true);
    error_->hide();
    auto* ok = new QPushButton(tx("确定"));
    ok->setObjectName("cb_confirm");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tx("取消"));
    cancel->setObjectName("cb_cancel");
    connect(ok, &QPushButton::clicked, this, &DealNumberDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(edit_, &QLineEdit::textEdited, error_, &QLabel::hide);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(edit_);
    layout->addWidget(error_);
    layout->addLayout(row);
    setMinimumWidth(420);
}

void DealNumberDialog::accept() {
    const ParsedDealNumber parsed = parse_deal_number(edit_->text().toStdString());
    if (!parsed.error.empty()) {
        error_->setText(shown(parsed.error));
        error_->show();
        adjustSize();  // room for the reason
        edit_->setFocus();
        return;
    }
    number_ = parsed.number;
    QDialog::accept();
}

}  // namespace tav::ui
