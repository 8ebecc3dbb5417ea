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

class CoolButton : public QPushButton {
    Q_OBJECT
public:
    // Gradient kinds (the value of gradient_kind):
    //   1 vertical: colour_from at the top to colour_to at the bottom;
    //   2 horizontal: colour_from at the left to colour_to at the right;
    //   3 vertical header: two bands, the upper half fading from colour_from
    //     to a light blend, the lower half from a deeper blend to colour_to,
    //     with a visible step in the middle (the glossy look);
    //   4 vertical edge: colour_from along the middle line, colour_to at the top
    //     and bottom edges.
    static constexpr int kVerticalGradient = 1;
    static constexpr int kHorizontalGradient = 2;
    static constexpr int kHeaderGradient = 3;
    static constexpr int kEdgeGradient = 4;
    // Tooltip kinds; Qt shows both as its ordinary tooltip.
    static constexpr int kPlainTooltip = 0;
    static constexpr int kBalloonTooltip = 1;

    explicit CoolButton(const QString& text = {}, QWidget* parent = nullptr);

    // Chooses a colour preset (0..6; anything else is the last preset,
    // negative becomes 0) and makes its colours the resting ones.
    void use_preset(int style);
    // Owner drawing on or off (off: the platform's own button look).
    void set_owner_drawn(bool on);
    bool owner_drawn() const { return owner_drawn_; }
    int preset_style() const { return style_; }
    int gradient_kind() const { return gradient_kind_; }
    void set_gradient_kind(int kind);

    // The gradient's two colours as currently drawn: the resting pair, or
    // the pair exchanged while the button is held down.
    QColor colour_from() const { return colour_from_; }
    QColor colour_to() const { return colour_to_; }
    // The resting pair of the preset.
    QColor colour_start() const { return colour_start_; }
    QColor colour_end() const { return colour_end_; }

    QColor border_colour = QColor(0, 60, 116);
    QColor text_colour = QColor(0, 0, 0);
    QColor hover_text_colour = QColor(0, 0, 160);
    int tooltip_kind = kPlainTooltip;

    // The picture shown normally and while hovered: a stock name
    // ("Continue!", "Count!", "RetrieveCancel!", "MoveMode!", "Exit!") or a
    // resource path; "" for none. The hover picture falls back to the normal one.
    void set_pictures(const QString& normal, const QString& hover = {});
    QString normal_picture() const { return normal_picture_; }
    int picture_size = 16;  // at the table's own size
    // The side of the square picture as drawn now: 0 when there is none or
    // the button is too narrow for it beside the text.
    int picture_extent() const;

    // The button's tag: shown as its tooltip.
    void set_tag(const QString& tag);
    QString tag() const { return tag_; }

    bool hovered() const { return hovered_; }

    // The drawing steps, usable on any painter.
    static void fill_gradient(QPainter& p, const QRect& rect, const QColor& from, const QColor& to, int kind);
    void paint_button(QPainter& p);
    void draw_border(QPainter& p, const QRect& rect) const;
    void draw_text(QPainter& p, const QString& text, const QRect& rect, bool enabled) const;
    void draw_focus(QPainter& p, const QRect& rect) const;
    // A stock picture by name; a null icon for unknown names.
    QIcon stock_icon(const QString& name) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Brings colour_from/colour_to in line with the pressed state.
    void sync_colours();
    QIcon picture_for(const QString& name) const;

    bool owner_drawn_ = true;
    int style_ = 0;
    int gradient_kind_ = kVerticalGradient;
    QColor colour_from_, colour_to_, colour_start_, colour_end_;
    QString normal_picture_, hover_picture_, tag_;
    QIcon normal_icon_, hover_icon_;
    bool hovered_ = false;
};

}  // namespace tav::ui
