#include "ui/background_dialog.h"
#include "ui/language.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/session.h"
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

void GradientPreview::paint_style(int style) { gradient_.paint_style(style, settings_); }

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

BackgroundDialog::BackgroundDialog(Settings& settings, Session& session, QWidget* parent)
    : QDialog(parent), settings_(settings), session_(session) {
    setObjectName("w_bgcolor");
    setWindowTitle(tx("背景颜色设置"));
    setModal(true);

    auto* swatches = new QVBoxLayout;
    const std::array<int, 3>* styles[] = {&settings_.background_colour1, &settings_.background_colour2,
                                          &settings_.background_colour3};
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

    preview_ = new GradientPreview(settings_, &session_.platform, this);
    preview_->setObjectName("dw_bg");
    // 128 pixels high: 64 strips of two pixels reach from the colour to white.
    preview_->setFixedSize(180, 128);

    const DialogButtons b = make_dialog_buttons();
    confirm_button_ = b.confirm;
    cancel_button_ = b.cancel;
    apply_button_ = b.apply;

    auto* top = new QHBoxLayout;
    top->addLayout(swatches);
    top->addWidget(preview_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(b.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(apply_button_, &QPushButton::clicked, this, &BackgroundDialog::apply);
    connect(confirm_button_, &QPushButton::clicked, this, &BackgroundDialog::confirm);
    connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);

    applied_style_ = settings_.background_style;
    preview_style(settings_.background_style);
}

void BackgroundDialog::reject() {
    // Cancel (or Esc, or the title bar's close) leaves the style the table
    // shows: a swatch clicked but not applied is neither kept nor saved.
    settings_.background_style = applied_style_;
    QDialog::reject();
}

void BackgroundDialog::preview_style(int style) { preview_->paint_style(style); }

void BackgroundDialog::style_clicked(int n) {
    if (n < 1 || n > 3) return;
    preview_style(n);
    settings_.background_style = n;
    apply_button_->setEnabled(true);
}

void BackgroundDialog::apply() {
    session_.view().paint_background(settings_.background_style);
    applied_style_ = settings_.background_style;
    apply_button_->setEnabled(false);
}

void BackgroundDialog::confirm() {
    apply();
    accept();
}

}  // namespace tav::ui
