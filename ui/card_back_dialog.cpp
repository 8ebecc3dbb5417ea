#include "ui/card_back_dialog.h"
#include "ui/language.h"

#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/session.h"
#include "ui/background_dialog.h"
#include "ui/dialog_buttons.h"
#include "ui/resources.h"

namespace tav::ui {
namespace {

QString back_file(int n) { return QString("cards\\bgcard%1.bmp").arg(n); }

}  // namespace

CardBackDialog::CardBackDialog(Settings& settings, Session& session, QWidget* parent)
    : QDialog(parent), settings_(settings), session_(session) {
    ensure_resources();
    setObjectName("w_bgcard");
    setWindowTitle(tx("背景颜色设置"));
    setModal(true);
    chosen_back_ = QString::fromStdString(settings_.card_back);

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
    confirm_button_ = b.confirm;
    cancel_button_ = b.cancel;
    apply_button_ = b.apply;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(b.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(apply_button_, &QPushButton::clicked, this, &CardBackDialog::apply);
    connect(confirm_button_, &QPushButton::clicked, this, &CardBackDialog::confirm);
    connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
    mark_chosen();
}

void CardBackDialog::mark_chosen() {
    for (int n = 1; n <= 6; ++n) {
        const bool chosen = chosen_back_.compare(back_file(n), Qt::CaseInsensitive) == 0;
        pictures_[n - 1]->setStyleSheet(chosen ? "QLabel { border: 3px solid #1060d0; }"
                                               : "QLabel { border: 3px solid transparent; }");
    }
}

void CardBackDialog::picture_clicked(int n) {
    if (n < 1 || n > 6) return;
    chosen_back_ = back_file(n);
    mark_chosen();
    apply_button_->setEnabled(true);
}

void CardBackDialog::apply() {
    settings_.card_back = chosen_back_.toStdString();
    session_.view().show_card_back(session_.state());
    apply_button_->setEnabled(false);
}

void CardBackDialog::confirm() {
    apply();
    accept();
}

}  // namespace tav::ui
