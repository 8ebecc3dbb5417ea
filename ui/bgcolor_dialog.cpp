#include "ui/bgcolor_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "table/session.h"
#include "ui/dialog_buttons.h"
#include "ui/units.h"

namespace tav::ui {

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(event);
}

GradientPreview::GradientPreview(const Settings& settings, Platform* platform, QWidget* parent)
    : QWidget(parent), settings_(settings), gradient_(surface_, platform) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.set_size(units_x(width()), units_y(height()));
    gradient_.initialize();
    surface_.set_listener([this] { update(); });
}

void GradientPreview::wf_bgcolor(int ai_bgstyle) { gradient_.wf_bgcolor(ai_bgstyle, settings_); }

int GradientPreview::strip_count() const {
    int n = 0;
    surface_.for_each([&n](const SurfaceObject& o) {
        if (o.kind == ObjectKind::rectangle && o.name.rfind("rec_", 0) == 0) ++n;
    });
    return n;
}

void GradientPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    surface_.for_each([&p](const SurfaceObject& o) {
        if (!o.visible || o.kind != ObjectKind::rectangle) return;
        p.fillRect(px_rect(o.x, o.y, o.width, o.height), colour_of(o.brush_color, Qt::black));
    });
    p.setPen(QColor(128, 128, 128));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void GradientPreview::resizeEvent(QResizeEvent*) {
    // The strips follow the preview's height, as the table's follow the window.
    surface_.set_size(units_x(width()), units_y(height()));
    gradient_.repaint();
}

w_bgcolor::w_bgcolor(Settings& settings, Session& parent_model, QWidget* parent)
    : QDialog(parent), settings_(settings), iw_parent_(parent_model) {
    setObjectName("w_bgcolor");
    setWindowTitle("背景颜色设置");
    setModal(true);

    auto* swatches = new QVBoxLayout;
    const std::array<int, 3>* styles[] = {&settings_.ii_style1, &settings_.ii_style2, &settings_.ii_style3};
    for (int n = 1; n <= 3; ++n) {
        auto* swatch = new ClickLabel;
        swatch->setObjectName(QString("st_style%1").arg(n));
        const auto& rgb = *styles[n - 1];
        QPalette pal = swatch->palette();
        pal.setColor(QPalette::Window, QColor(rgb[0], rgb[1], rgb[2]));
        swatch->setPalette(pal);
        swatch->setAutoFillBackground(true);
        swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        swatch->setFixedSize(72, 36);
        swatch->setCursor(Qt::PointingHandCursor);
        connect(swatch, &ClickLabel::clicked, this, [this, n] { style_clicked(n); });
        swatches->addWidget(swatch);
    }
    swatches->addStretch();

    dw_bg_ = new GradientPreview(settings_, &iw_parent_.platform, this);
    dw_bg_->setObjectName("dw_bg");
    // 128 pixels high: 64 strips of two pixels reach from the colour to white.
    dw_bg_->setFixedSize(180, 128);

    const DialogButtons b = make_dialog_buttons();
    cb_confirm_ = b.confirm;
    cb_cancel_ = b.cancel;
    cb_apply_ = b.apply;

    auto* top = new QHBoxLayout;
    top->addLayout(swatches);
    top->addWidget(dw_bg_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(b.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cb_apply_, &QPushButton::clicked, this, &w_bgcolor::apply);
    connect(cb_confirm_, &QPushButton::clicked, this, &w_bgcolor::confirm);
    connect(cb_cancel_, &QPushButton::clicked, this, &QDialog::reject);

    wf_bgcolor(settings_.ii_bgstyle);
}

void w_bgcolor::wf_bgcolor(int ai_bgstyle) { dw_bg_->wf_bgcolor(ai_bgstyle); }

void w_bgcolor::style_clicked(int n) {
    if (n < 1 || n > 3) return;
    wf_bgcolor(n);
    settings_.ii_bgstyle = n;
    cb_apply_->setEnabled(true);
}

void w_bgcolor::apply() {
    iw_parent_.background_changed(settings_.ii_bgstyle);
    cb_apply_->setEnabled(false);
}

void w_bgcolor::confirm() {
    apply();
    accept();
}

}  // namespace tav::ui
