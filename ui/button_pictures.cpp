#include "ui/button_pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace tav::ui {
namespace {

enum class Shape { play, skip, cancel, back, close };

// Paints one shape into a square, in units of a 16-pixel grid.
class ShapeEngine : public QIconEngine {
public:
    explicit ShapeEngine(Shape shape) : shape_(shape) {}
    QIconEngine* clone() const override { return new ShapeEngine(shape_); }
    QString key() const override { return QStringLiteral("tav-shape"); }

    void paint(QPainter* p, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const int side = qMin(rect.width(), rect.height());
        if (side <= 0) return;
        p->save();
        p->setRenderHint(QPainter::Antialiasing, true);
        p->translate(rect.x() + (rect.width() - side) / 2.0, rect.y() + (rect.height() - side) / 2.0);
        p->scale(side / 16.0, side / 16.0);
        const bool grey = mode == QIcon::Disabled;
        draw(*p, grey);
        p->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(), size), mode, state);
        return pm;
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        QPixmap pm = pixmap(size * scale, mode, state);
        pm.setDevicePixelRatio(scale);
        return pm;
    }

private:
    void draw(QPainter& p, bool grey) const {
        const QColor ink = grey ? QColor(150, 150, 150) : QColor(20, 20, 20);
        switch (shape_) {
            case Shape::play: {  // one triangle pointing on
                QPainterPath t;
                t.moveTo(4, 2.5);
                t.lineTo(13, 8);
                t.lineTo(4, 13.5);
                t.closeSubpath();
                p.fillPath(t, ink);
                break;
            }
            case Shape::skip: {  // two triangles and a bar: let the turn go by
                QPainterPath t;
                for (const double x : {1.5, 6.5}) {
                    t.moveTo(x, 3.5);
                    t.lineTo(x + 5, 8);
                    t.lineTo(x, 12.5);
                    t.closeSubpath();
                }
                p.fillPath(t, ink);
                p.fillRect(QRectF(12, 3.5, 2, 9), ink);
                break;
            }
            case Shape::cancel: {  // a hand-drawn cross: hold back
                QPen pen(grey ? ink : QColor(170, 30, 30), 2.6, Qt::SolidLine, Qt::RoundCap);
                p.setPen(pen);
                p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
                p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
                break;
            }
            case Shape::back: {  // an arrow pointing back: hand cards back
                p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.drawLine(QPointF(3.5, 8), QPointF(13, 8));
                p.drawPolyline(QPolygonF({QPointF(7.5, 3.5), QPointF(3, 8), QPointF(7.5, 12.5)}));
                break;
            }
            case Shape::close: {  // a plain thin cross: quit
                p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(4, 4), QPointF(12, 12));
                p.drawLine(QPointF(12, 4), QPointF(4, 12));
                break;
            }
        }
    }

    Shape shape_;
};

}  // namespace

QIcon button_picture(const QString& name) {
    static const struct {
        const char* name;
        Shape shape;
    } stock[] = {
        {"Continue!", Shape::play},          // shuffle and deal: start
        {"Count!", Shape::skip},             // pass: let the turn go on
        {"RetrieveCancel!", Shape::cancel},  // hold back against a challenge
        {"MoveMode!", Shape::back},          // hand cards back
        {"Exit!", Shape::close},             // quit
    };
    for (const auto& s : stock)
        if (name.compare(QLatin1String(s.name), Qt::CaseInsensitive) == 0) return QIcon(new ShapeEngine(s.shape));
    return {};
}

}  // namespace tav::ui
