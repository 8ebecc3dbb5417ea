// The game's push button that paints itself: a two-colour gradient, a
// rounded border, an icon, the text and a dotted focus rectangle. While it is
// held down the gradient is drawn upside down; hovering darkens the border and
// tints the text. Activation (mouse or key) is QPushButton's own, so
// `clicked` comes exactly once per press and release.
#pragma once

#include <QColor>
#include <QIcon>
#include <QPushButton>

namespace tav::ui {

class uo_coolbutton : public QPushButton {
    Q_OBJECT
public:
    // Gradient kinds (the value of gradienttype):
    //   1 vertical: colorfrom at the top to colorto at the bottom;
    //   2 horizontal: colorfrom at the left to colorto at the right;
    //   3 vertical header: two bands, the upper half fading from colorfrom
    //     to a light blend, the lower half from a deeper blend to colorto,
    //     with a visible step in the middle (the glossy look);
    //   4 vertical edge: colorfrom along the middle line, colorto at the top
    //     and bottom edges.
    static constexpr int style_vgradient = 1;
    static constexpr int style_hgradient = 2;
    static constexpr int style_vheadergradient = 3;
    static constexpr int style_vedgegradient = 4;
    // Tooltip kinds; Qt shows both as its ordinary tooltip.
    static constexpr int style_normal = 0;
    static constexpr int style_balloontip = 1;

    explicit uo_coolbutton(const QString& text = {}, QWidget* parent = nullptr);

    // Chooses a colour preset (0..6; anything else is the last preset,
    // negative becomes 0) and makes its colours the resting ones.
    void of_init(int style);
    // Owner drawing on or off (off: the platform's own button look).
    void of_allowdraw(bool on);
    bool allowdraw() const { return allowdraw_; }
    int preset_style() const { return style_; }
    int gradienttype() const { return gradienttype_; }
    void set_gradienttype(int kind);

    // The gradient's two colours as currently drawn: the resting pair, or
    // the pair exchanged while the button is held down.
    QColor colorfrom() const { return colorfrom_; }
    QColor colorto() const { return colorto_; }
    // The resting pair of the preset.
    QColor colorstart() const { return colorstart_; }
    QColor colorend() const { return colorend_; }

    QColor bordercolor = QColor(0, 60, 116);
    QColor fontcolor = QColor(0, 0, 0);
    QColor moveinfontcolor = QColor(0, 0, 160);
    int tooltiptype = style_normal;

    // The picture shown normally and while hovered: a stock name
    // ("Continue!", "Count!", "RetrieveCancel!", "MoveMode!", "Exit!") or a
    // resource path; "" for none. The hover picture falls back to the normal one.
    void set_pictures(const QString& normal, const QString& hover = {});
    QString normalpicname() const { return normalpicname_; }
    int picsize = 16;

    // The button's tag: shown as its tooltip.
    void set_tag(const QString& tag);
    QString tag() const { return tag_; }

    bool hovered() const { return mousein_; }

    // The drawing steps, usable on any painter.
    static void of_gradientfill(QPainter& p, const QRect& rect, const QColor& from, const QColor& to, int kind);
    void of_paint(QPainter& p);
    void of_drawborder(QPainter& p, const QRect& rect) const;
    void of_drawtext(QPainter& p, const QString& text, const QRect& rect, bool enabled) const;
    void of_drawfocus(QPainter& p, const QRect& rect) const;
    // A stock picture by name; a null icon for unknown names.
    QIcon of_getstockicon(const QString& name) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Brings colorfrom/colorto in line with the pressed state.
    void sync_colours();
    QIcon picture_for(const QString& name) const;

    bool allowdraw_ = true;
    int style_ = 0;
    int gradienttype_ = style_vgradient;
    QColor colorfrom_, colorto_, colorstart_, colorend_;
    QString normalpicname_, mmovepicname_, tag_;
    QIcon h_normalpic_, h_movepic_;
    bool mousein_ = false;
};

}  // namespace tav::ui
