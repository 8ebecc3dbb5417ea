#include "ui/setup_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

#include "ui/dialog_buttons.h"

namespace tav::ui {
namespace {

template <typename W>
W* named(W* w, const char* name) {
    w->setObjectName(QString::fromUtf8(name));
    return w;
}

// The scale marks under the slider: the label keeps its text as written, but
// spreads the marks over its width so that they stand under the slider's
// left end, middle and right end.
class ScaleLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        const QStringList marks = text().split(' ', Qt::SkipEmptyParts);
        if (marks.isEmpty()) return;
        QPainter p(this);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        const QFontMetrics fm(font());
        const int inset = 6;  // about half the slider's handle
        const int span = width() - 2 * inset;
        for (int i = 0; i < marks.size(); ++i) {
            const int centre = inset + (marks.size() == 1 ? span / 2 : span * i / (marks.size() - 1));
            const int w = fm.horizontalAdvance(marks[i]);
            const int left = qBound(0, centre - w / 2, width() - w);
            p.drawText(QRect(left, 0, w, height()), Qt::AlignVCenter | Qt::AlignLeft, marks[i]);
        }
    }
};

// The dialog's help on a control: the "?" button of the title bar and the tooltip.
void hint(QWidget* w, const QString& text) {
    w->setWhatsThis(text);
    w->setToolTip(text);
}

}  // namespace

w_setup::w_setup(Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
    setObjectName("w_setup");
    setWindowTitle("游戏规则设置");
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    setModal(true);

    rb_2_ = named(new QRadioButton("记分加进贡"), "rb_2");
    rb_1_ = named(new QRadioButton("仅记分"), "rb_1");
    cbx_l_ = named(new QCheckBox("落"), "cbx_l");
    cbx_m_ = named(new QCheckBox("扪"), "cbx_m");
    cbx_d_ = named(new QCheckBox("点"), "cbx_d");
    cbx_dg_ = named(new QCheckBox("点贡"), "cbx_dg");
    cbx_b3_ = named(new QCheckBox("憋３限制"), "cbx_b3");
    rb_ks_ = named(new QRadioButton("快速"), "rb_ks");
    rb_zc_ = named(new QRadioButton("正常"), "rb_zc");
    htb_show_ = named(new QSlider(Qt::Horizontal), "htb_show");
    const DialogButtons b = make_dialog_buttons();
    cb_confirm_ = b.confirm;
    cb_cancel_ = b.cancel;
    cb_apply_ = b.apply;

    // The two pairs of radio buttons are independent of each other.
    auto* mode = new QButtonGroup(this);
    mode->addButton(rb_2_);
    mode->addButton(rb_1_);
    auto* speed = new QButtonGroup(this);
    speed->addButton(rb_ks_);
    speed->addButton(rb_zc_);

    htb_show_->setRange(0, 50);
    htb_show_->setSingleStep(1);
    htb_show_->setPageStep(10);
    htb_show_->setTickPosition(QSlider::TicksBelow);
    htb_show_->setTickInterval(5);
    htb_show_->setMinimumWidth(200);
    hint(rb_ks_, "设置洗牌速度为快速");
    hint(rb_zc_, "设置洗牌速度为正常");
    hint(htb_show_, "设置发牌的间隔时间");

    auto* rules = new QGroupBox;
    auto* rules_grid = new QGridLayout(rules);
    rules_grid->addWidget(rb_2_, 0, 0, 1, 2);
    rules_grid->addWidget(rb_1_, 0, 2, 1, 2);
    rules_grid->addWidget(cbx_l_, 1, 0);
    rules_grid->addWidget(cbx_m_, 1, 1);
    rules_grid->addWidget(cbx_d_, 1, 2);
    rules_grid->addWidget(cbx_dg_, 1, 3);
    rules_grid->addWidget(cbx_b3_, 2, 0, 1, 4);

    auto* timing = new QGroupBox;
    auto* timing_grid = new QGridLayout(timing);
    timing_grid->addWidget(named(new QLabel("洗牌速度："), "st_1"), 0, 0);
    auto* speeds = new QHBoxLayout;
    speeds->addWidget(rb_ks_);
    speeds->addWidget(rb_zc_);
    speeds->addStretch();
    timing_grid->addLayout(speeds, 0, 1);
    timing_grid->addWidget(named(new QLabel("发牌间隔："), "st_2"), 1, 0);
    timing_grid->addWidget(htb_show_, 1, 1);
    timing_grid->addWidget(named(new ScaleLabel("小          中         大"), "st_3"), 2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rules);
    layout->addWidget(timing);
    layout->addLayout(b.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    load();

    connect(rb_2_, &QRadioButton::clicked, this, &w_setup::rb_2_clicked);
    connect(rb_1_, &QRadioButton::clicked, this, &w_setup::rb_1_clicked);
    connect(cbx_b3_, &QCheckBox::clicked, this, &w_setup::cbx_b3_clicked);
    for (QAbstractButton* b : {static_cast<QAbstractButton*>(cbx_l_), static_cast<QAbstractButton*>(cbx_m_),
                               static_cast<QAbstractButton*>(cbx_d_), static_cast<QAbstractButton*>(cbx_dg_),
                               static_cast<QAbstractButton*>(rb_ks_), static_cast<QAbstractButton*>(rb_zc_)})
        connect(b, &QAbstractButton::clicked, this, &w_setup::changed);
    connect(htb_show_, &QSlider::valueChanged, this, &w_setup::changed);
    connect(cb_apply_, &QPushButton::clicked, this, &w_setup::apply);
    connect(cb_confirm_, &QPushButton::clicked, this, &w_setup::confirm);
    connect(cb_cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void w_setup::load() {
    if (settings_.gb_b3) {
        cbx_b3_->setChecked(true);
    } else {
        cbx_d_->setChecked(false);
        cbx_d_->setEnabled(false);
    }
    // The pause is a decimal of hundredths: round, so 0.29 shows as 29.
    htb_show_->setValue(static_cast<int>(std::lround(settings_.gc_show * 100)));
    (settings_.gs_sends == "1" ? rb_zc_ : rb_ks_)->setChecked(true);
    if (settings_.gi_winstyle == 1) {
        rb_2_->setChecked(true);
        cbx_l_->setEnabled(false);
    } else {
        rb_1_->setChecked(true);
    }
    cbx_m_->setChecked(settings_.gb_m);
    cbx_d_->setChecked(settings_.gb_d);
    cbx_l_->setChecked(settings_.gb_l);
    if (rb_1_->isChecked()) {
        for (QCheckBox* c : {cbx_m_, cbx_d_, cbx_l_}) {
            c->setChecked(false);
            c->setEnabled(false);
        }
    }
    cb_apply_->setEnabled(false);
}

void w_setup::changed() { cb_apply_->setEnabled(true); }

void w_setup::rb_2_clicked() {
    // With tributes the place tribute always applies.
    cbx_l_->setChecked(true);
    cbx_l_->setEnabled(false);
    cbx_m_->setEnabled(true);
    cbx_d_->setEnabled(true);
    changed();
}

void w_setup::rb_1_clicked() {
    for (QCheckBox* c : {cbx_m_, cbx_d_, cbx_l_}) {
        c->setChecked(false);
        c->setEnabled(false);
    }
    changed();
}

void w_setup::cbx_b3_clicked(bool ticked) {
    // Without the rule on threes no point tribute can be chosen.
    if (ticked) {
        if (rb_2_->isChecked()) cbx_d_->setEnabled(true);
    } else {
        cbx_d_->setChecked(false);
        cbx_d_->setEnabled(false);
    }
    changed();
}

void w_setup::apply() {
    settings_.gb_b3 = cbx_b3_->isChecked();
    settings_.gc_show = htb_show_->value() / 100.0;
    // Built as a string first: gcc 12 misreads assigning a literal here (-Wrestrict).
    settings_.gs_sends = std::string(rb_zc_->isChecked() ? "1" : "0");
    cb_apply_->setEnabled(false);
    settings_.gi_winstyle = rb_1_->isChecked() ? 0 : 1;
    settings_.gb_m = cbx_m_->isChecked();
    settings_.gb_d = cbx_d_->isChecked();
    settings_.gb_l = cbx_l_->isChecked();
}

void w_setup::confirm() {
    apply();
    accept();
}

}  // namespace tav::ui
