#include "ui/setup_dialog.h"
#include "ui/language.h"

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

SetupDialog::SetupDialog(Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
    setObjectName("w_setup");
    setWindowTitle(tx("游戏规则设置"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    setModal(true);

    scores_and_tributes_ = named(new QRadioButton(tx("记分加进贡")), "rb_2");
    scores_only_ = named(new QRadioButton(tx("仅记分")), "rb_1");
    place_box_ = named(new QCheckBox(tx("落")), "cbx_l");
    smother_box_ = named(new QCheckBox(tx("扪")), "cbx_m");
    points_box_ = named(new QCheckBox(tx("点")), "cbx_d");
    point_tribute_box_ = named(new QCheckBox(tx("点贡")), "cbx_dg");
    threes_box_ = named(new QCheckBox(tx("憋３限制")), "cbx_b3");
    fast_deal_ = named(new QRadioButton(tx("快速")), "rb_ks");
    normal_deal_ = named(new QRadioButton(tx("正常")), "rb_zc");
    classic_level_ = named(new QRadioButton(tx("标准")), "rb_level_classic");
    strong_level_ = named(new QRadioButton(tx("高手")), "rb_level_strong");
    pause_slider_ = named(new QSlider(Qt::Horizontal), "htb_show");
    const DialogButtons b = make_dialog_buttons();
    confirm_button_ = b.confirm;
    cancel_button_ = b.cancel;
    apply_button_ = b.apply;

    // The two pairs of radio buttons are independent of each other.
    auto* mode = new QButtonGroup(this);
    mode->addButton(scores_and_tributes_);
    mode->addButton(scores_only_);
    auto* speed = new QButtonGroup(this);
    speed->addButton(fast_deal_);
    speed->addButton(normal_deal_);
    auto* level = new QButtonGroup(this);
    level->addButton(classic_level_);
    level->addButton(strong_level_);

    pause_slider_->setRange(0, 50);
    pause_slider_->setSingleStep(1);
    pause_slider_->setPageStep(10);
    pause_slider_->setTickPosition(QSlider::TicksBelow);
    pause_slider_->setTickInterval(5);
    pause_slider_->setMinimumWidth(200);
    hint(fast_deal_, tx("设置洗牌速度为快速"));
    hint(normal_deal_, tx("设置洗牌速度为正常"));
    hint(pause_slider_, tx("设置发牌的间隔时间"));
    hint(classic_level_, tx("电脑按固定的规则出牌"));
    hint(strong_level_, tx("电脑推算别家的牌，为本帮着想"));

    auto* rules = new QGroupBox;
    auto* rules_grid = new QGridLayout(rules);
    rules_grid->addWidget(scores_and_tributes_, 0, 0, 1, 2);
    rules_grid->addWidget(scores_only_, 0, 2, 1, 2);
    rules_grid->addWidget(place_box_, 1, 0);
    rules_grid->addWidget(smother_box_, 1, 1);
    rules_grid->addWidget(points_box_, 1, 2);
    rules_grid->addWidget(point_tribute_box_, 1, 3);
    rules_grid->addWidget(threes_box_, 2, 0, 1, 4);

    auto* levels = named(new QGroupBox(tx("电脑水平")), "gb_level");
    auto* levels_row = new QHBoxLayout(levels);
    levels_row->addWidget(classic_level_);
    levels_row->addWidget(strong_level_);
    levels_row->addStretch();

    auto* timing = new QGroupBox;
    auto* timing_grid = new QGridLayout(timing);
    timing_grid->addWidget(named(new QLabel(tx("洗牌速度：")), "st_1"), 0, 0);
    auto* speeds = new QHBoxLayout;
    speeds->addWidget(fast_deal_);
    speeds->addWidget(normal_deal_);
    speeds->addStretch();
    timing_grid->addLayout(speeds, 0, 1);
    timing_grid->addWidget(named(new QLabel(tx("发牌间隔：")), "st_2"), 1, 0);
    timing_grid->addWidget(pause_slider_, 1, 1);
    timing_grid->addWidget(named(new ScaleLabel(tx("小          中         大")), "st_3"), 2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rules);
    layout->addWidget(levels);
    layout->addWidget(timing);
    layout->addLayout(b.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    load();

    connect(scores_and_tributes_, &QRadioButton::clicked, this, &SetupDialog::tributes_clicked);
    connect(scores_only_, &QRadioButton::clicked, this, &SetupDialog::scores_only_clicked);
    connect(threes_box_, &QCheckBox::clicked, this, &SetupDialog::threes_clicked);
    for (QAbstractButton* b :
         {static_cast<QAbstractButton*>(place_box_), static_cast<QAbstractButton*>(smother_box_),
          static_cast<QAbstractButton*>(points_box_), static_cast<QAbstractButton*>(point_tribute_box_),
          static_cast<QAbstractButton*>(fast_deal_), static_cast<QAbstractButton*>(normal_deal_),
          static_cast<QAbstractButton*>(classic_level_), static_cast<QAbstractButton*>(strong_level_)})
        connect(b, &QAbstractButton::clicked, this, &SetupDialog::changed);
    connect(pause_slider_, &QSlider::valueChanged, this, &SetupDialog::changed);
    connect(apply_button_, &QPushButton::clicked, this, &SetupDialog::apply);
    connect(confirm_button_, &QPushButton::clicked, this, &SetupDialog::confirm);
    connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
}

void SetupDialog::load() {
    if (settings_.threes_rule) {
        threes_box_->setChecked(true);
    } else {
        points_box_->setChecked(false);
        points_box_->setEnabled(false);
    }
    // The pause is a decimal of hundredths: round, so 0.29 shows as 29.
    pause_slider_->setValue(static_cast<int>(std::lround(settings_.play_pause * 100)));
    (settings_.deal_speed == "1" ? normal_deal_ : fast_deal_)->setChecked(true);
    (settings_.computer_level == 1 ? strong_level_ : classic_level_)->setChecked(true);
    if (settings_.win_style == 1) {
        scores_and_tributes_->setChecked(true);
        place_box_->setEnabled(false);
    } else {
        scores_only_->setChecked(true);
    }
    smother_box_->setChecked(settings_.smother_tributes);
    points_box_->setChecked(settings_.point_tributes);
    place_box_->setChecked(settings_.place_tributes_box);
    if (scores_only_->isChecked()) {
        for (QCheckBox* c : {smother_box_, points_box_, place_box_}) {
            c->setChecked(false);
            c->setEnabled(false);
        }
    }
    apply_button_->setEnabled(false);
}

void SetupDialog::changed() { apply_button_->setEnabled(true); }

void SetupDialog::tributes_clicked() {
    // With tributes the place tribute always applies.
    place_box_->setChecked(true);
    place_box_->setEnabled(false);
    smother_box_->setEnabled(true);
    points_box_->setEnabled(true);
    changed();
}

void SetupDialog::scores_only_clicked() {
    for (QCheckBox* c : {smother_box_, points_box_, place_box_}) {
        c->setChecked(false);
        c->setEnabled(false);
    }
    changed();
}

void SetupDialog::threes_clicked(bool ticked) {
    // Without the rule on threes no point tribute can be chosen.
    if (ticked) {
        if (scores_and_tributes_->isChecked()) points_box_->setEnabled(true);
    } else {
        points_box_->setChecked(false);
        points_box_->setEnabled(false);
    }
    changed();
}

void SetupDialog::apply() {
    settings_.threes_rule = threes_box_->isChecked();
    settings_.play_pause = pause_slider_->value() / 100.0;
    // Built as a string first: gcc 12 misreads assigning a literal here (-Wrestrict).
    settings_.deal_speed = std::string(normal_deal_->isChecked() ? "1" : "0");
    apply_button_->setEnabled(false);
    settings_.win_style = scores_only_->isChecked() ? 0 : 1;
    settings_.smother_tributes = smother_box_->isChecked();
    settings_.point_tributes = points_box_->isChecked();
    settings_.place_tributes_box = place_box_->isChecked();
    settings_.computer_level = strong_level_->isChecked() ? 1 : 0;
}

void SetupDialog::confirm() {
    apply();
    accept();
}

}  // namespace tav::ui
