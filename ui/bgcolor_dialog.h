// The background colour dialog "背景颜色设置": three colour swatches, a
// preview painted by its own gradient surface, and apply/confirm/cancel that
// repaint the table in the chosen style.
#pragma once

#include <QDialog>
#include <QLabel>

#include "app/settings.h"
#include "table/gradient.h"
#include "table/surface.h"

class QPushButton;

namespace tav {
class Session;
}

namespace tav::ui {

// A label that reports a left click (a swatch or a card-back picture).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A small surface of its own, painted by an n_gradient and drawn strip by strip.
class GradientPreview : public QWidget {
    Q_OBJECT
public:
    GradientPreview(const Settings& settings, Platform* platform, QWidget* parent = nullptr);

    Surface& surface() { return surface_; }
    n_gradient& gradient() { return gradient_; }
    // Paints style 1..3 (anything else repaints nothing).
    void wf_bgcolor(int ai_bgstyle);
    // The number of gradient strips on the surface.
    int strip_count() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const Settings& settings_;
    Surface surface_;
    n_gradient gradient_;
};

class w_bgcolor : public QDialog {
    Q_OBJECT
public:
    // `parent_model` is the game whose table the dialog repaints.
    w_bgcolor(Settings& settings, Session& parent_model, QWidget* parent = nullptr);

    GradientPreview* preview() const { return dw_bg_; }
    // Previews a style in the dialog.
    void wf_bgcolor(int ai_bgstyle);

public slots:
    // Swatch N clicked: preview it, make it the style at once, offer "应用".
    void style_clicked(int n);
    // Repaints the table in the chosen style.
    void apply();
    void confirm();

private:
    Settings& settings_;
    Session& iw_parent_;
    GradientPreview* dw_bg_;
    QPushButton *cb_confirm_, *cb_cancel_, *cb_apply_;
};

}  // namespace tav::ui
