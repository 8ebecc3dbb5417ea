#include "ui/bgcard_dialog.h"

#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "table/session.h"
#include "ui/bgcolor_dialog.h"
#include "ui/dialog_buttons.h"
#include "ui/resources.h"

namespace tav::ui {
namespace {

QString back_file(int n) { return QString("cards\\bgcard%1.bmp").arg(n); }

}  // namespace

w_bgcard::w_bgcard(Settings& settings, Session& parent_model, QWidget* parent)
    : QDialog(parent), settings_(settings), iw_parent_(parent_model) {
    ensure_resources();
    setObjectName("w_bgcard");
    setWindowTitle("背景颜色设置");
    setModal(true);
    is_bgcard_ = QString::fromStdString(settings_.gs_bgcard);

    auto* row = new QHBoxLayout;
    for (int n = 1; n <= 6; ++n) {
        auto* p = new ClickLabel;
        p->setObjectName(QString("p_%1").arg(n));
        // The pictures live in the resources under lower-case names.
        p->setPixmap(QPixmap(QString(":/cards/bgcard%1.bmp").arg(n)));
        p->setAlignment(Qt::AlignCenter);
        p->setFixedSize(71 + 8, 96 + 8);
        p->setCursor(Qt::PointingHandCursor);
        connect(p, &ClickLabel::clicked, this, [this, n] { picture_clicked(n); });
        pictures_[n - 1] = p;
        row->addWidget(p);
    }

    const DialogButtons b = make_dialog_buttons();
    cb_confirm_ = b.confirm;
    cb_cancel_ = b.cancel;
    cb_apply_ = b.apply;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(b.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cb_apply_, &QPushButton::clicked, this, &w_bgcard::apply);
    connect(cb_confirm_, &QPushButton::clicked, this, &w_bgcard::confirm);
    connect(cb_cancel_, &QPushButton::clicked, this, &QDialog::reject);
    mark_chosen();
}

void w_bgcard::mark_chosen() {
    for (int n = 1; n <= 6; ++n) {
        const bool chosen = is_bgcard_.compare(back_file(n), Qt::CaseInsensitive) == 0;
        pictures_[n - 1]->setStyleSheet(chosen ? "QLabel { border: 3px solid #1060d0; }"
                                               : "QLabel { border: 3px solid transparent; }");
    }
}

void w_bgcard::picture_clicked(int n) {
    if (n < 1 || n > 6) return;
    is_bgcard_ = back_file(n);
    mark_chosen();
    cb_apply_->setEnabled(true);
}

void w_bgcard::apply() {
    settings_.gs_bgcard = is_bgcard_.toStdString();
    iw_parent_.card_back_changed();
    cb_apply_->setEnabled(false);
}

void w_bgcard::confirm() {
    apply();
    accept();
}

}  // namespace tav::ui
