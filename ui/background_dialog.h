// The background colour dialog "背景颜色设置": three colour swatches, a
// preview painted by its own gradient surface, and apply/confirm/cancel that
// repaint the table in the chosen style.
#pragma once

#include <QDialog>
#include <QLabel>

#include "app/settings.h"
#include "surface/surface.h"
#include "view/gradient.h"

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

// A small surface of its own, painted by a Background and drawn strip by strip.
class GradientPreview : public QWidget {
    Q_OBJECT
public:
    GradientPreview(const Settings& settings, Platform* platform, QWidget* parent = nullptr);

    Surface& surface() { return surface_; }
    Background& gradient() { return gradient_; }
    // Paints style 1..3 (anything else repaints nothing).
    void paint_style(int style);
    // The number of gradient strips on the surface.
    int strip_count() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const Settings& settings_;
    Surface surface_;
    Background gradient_;
};

class BackgroundDialog : public QDialog {
    Q_OBJECT
public:
    // `session` is the game whose table the dialog repaints.
    BackgroundDialog(Settings& settings, Session& session, QWidget* parent = nullptr);

    GradientPreview* preview() const { return preview_; }
    // Previews a style in the dialog.
    void preview_style(int style);

public slots:
    // Swatch N clicked: preview it, make it the chosen style, offer "应用".
    void style_clicked(int n);
    // Repaints the table in the chosen style.
    void apply();
    void confirm();
    // Back to the style the table shows (the last applied, else the first).
    void reject() override;

private:
    Settings& settings_;
    Session& session_;
    GradientPreview* preview_;
    int applied_style_ = 1;  // the style the table shows
    QPushButton *confirm_button_, *cancel_button_, *apply_button_;
};

}  // namespace tav::ui
