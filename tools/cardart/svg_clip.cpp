#include "svg_clip.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPathStroker>

#include <optional>

namespace cardart {

namespace {

class CuttingEngine : public QPaintEngine {
public:
    explicit CuttingEngine(QPaintDevice& target)
        : QPaintEngine(QPaintEngine::PaintEngineFeatures(QPaintEngine::AllFeatures) &
                       ~(QPaintEngine::PerspectiveTransform | QPaintEngine::ConicalGradientFill |
                         QPaintEngine::PorterDuff)),
          target_(target) {}

    bool begin(QPaintDevice*) override {
        clip_.reset();
        enabled_ = true;
        return out_.begin(&target_);
    }
    bool end() override { return out_.end(); }
    // Not the target's type: Qt takes an engine of a known type for its own class.
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyPen) out_.setPen(state.pen());
        if (dirty & DirtyBrush) out_.setBrush(state.brush());
        if (dirty & DirtyBrushOrigin) out_.setBrushOrigin(state.brushOrigin());
        if (dirty & DirtyBackground) out_.setBackground(state.backgroundBrush());
        if (dirty & DirtyBackgroundMode) out_.setBackgroundMode(state.backgroundMode());
        if (dirty & DirtyFont) out_.setFont(state.font());
        if (dirty & DirtyHints) out_.setRenderHints(state.renderHints());
        if (dirty & DirtyOpacity) out_.setOpacity(state.opacity());
        if (dirty & DirtyTransform) out_.setTransform(state.transform());
        // The clip is kept in device coordinates, mapped by the transform it was set under.
        if (dirty & DirtyClipPath) clipBy(state.transform().map(state.clipPath()), state.clipOperation());
        if (dirty & DirtyClipRegion) {
            QPainterPath region;
            region.addRegion(state.clipRegion());
            clipBy(state.transform().map(region), state.clipOperation());
        }
        if (dirty & DirtyClipEnabled) enabled_ = state.isClipEnabled();
    }

    void drawPath(const QPainterPath& path) override {
        if (!cut(path, true)) out_.drawPath(path);
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            QPainterPath path;
            path.addRect(rects[i]);
            if (!cut(path, true)) out_.drawRect(rects[i]);
        }
    }
    void drawRects(const QRect* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            const QRectF r(rects[i]);
            drawRects(&r, 1);
        }
    }
    void drawEllipse(const QRectF& rect) override {
        QPainterPath path;
        path.addEllipse(rect);
        if (!cut(path, true)) out_.drawEllipse(rect);
    }
    void drawEllipse(const QRect& rect) override { drawEllipse(QRectF(rect)); }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            QPainterPath path(lines[i].p1());
            path.lineTo(lines[i].p2());
            if (!cut(path, false)) out_.drawLine(lines[i]);
        }
    }
    void drawLines(const QLine* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            const QLineF l(lines[i]);
            drawLines(&l, 1);
        }
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (count < 2) return;
        QPainterPath path(points[0]);
        for (int i = 1; i < count; ++i) path.lineTo(points[i]);
        if (mode != PolylineMode) path.closeSubpath();
        if (mode == WindingMode) path.setFillRule(Qt::WindingFill);
        if (cut(path, mode != PolylineMode)) return;
        if (mode == PolylineMode)
            out_.drawPolyline(points, count);
        else
            out_.drawPolygon(points, count, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i) polygon << QPointF(points[i]);
        drawPolygon(polygon.constData(), count, mode);
    }
    // The cards have no pictures in them; one would go through unclipped.
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override { out_.drawPixmap(r, pm, sr); }

private:
    void clipBy(const QPainterPath& path, Qt::ClipOperation op) {
        if (op == Qt::NoClip)
            clip_.reset();
        else if (op == Qt::IntersectClip && clip_)
            clip_ = clip_->intersected(path);
        else
            clip_ = path;
    }

    // Writes `path` (in the painter's coordinates) cut to the clip and returns
    // true, or returns false when it needs no cutting.
    bool cut(const QPainterPath& path, bool filled) {
        if (!enabled_ || !clip_) return false;
        const QPen pen = out_.pen();
        const QTransform toDevice = out_.transform();
        QPainterPath stroke;
        if (pen.style() != Qt::NoPen) {
            QPainterPathStroker stroker(pen);
            stroke = stroker.createStroke(path);
        }
        const QRectF reach = toDevice.mapRect(path.boundingRect().united(stroke.boundingRect()));
        if (clip_->contains(reach)) return false;

        out_.save();
        out_.resetTransform();
        out_.setPen(Qt::NoPen);
        if (filled && out_.brush().style() != Qt::NoBrush) {
            QBrush brush = out_.brush();
            brush.setTransform(brush.transform() * toDevice);
            out_.setBrush(brush);
            const QPainterPath inside = insideClip(toDevice.map(path));
            if (!inside.isEmpty()) out_.drawPath(inside);
        }
        if (!stroke.isEmpty()) {
            QBrush brush = pen.brush();
            brush.setTransform(brush.transform() * toDevice);
            out_.setBrush(brush);
            const QPainterPath inside = insideClip(toDevice.map(stroke));
            if (!inside.isEmpty()) out_.drawPath(inside);
        }
        out_.restore();
        return true;
    }

    // Qt's path clipping turns each curve it cuts into lines a unit or so
    // long; done 16 times larger, a cut corner stays round at 4x and beyond.
    static constexpr qreal kFine = 16;

    QPainterPath insideClip(const QPainterPath& shape) const {
        const QTransform up = QTransform::fromScale(kFine, kFine);
        return QTransform::fromScale(1 / kFine, 1 / kFine).map(up.map(shape).intersected(up.map(*clip_)));
    }

    QPaintDevice& target_;
    QPainter out_;
    std::optional<QPainterPath> clip_;
    bool enabled_ = true;
};

}  // namespace

ClipCutter::ClipCutter(QPaintDevice& target) : target_(target), engine_(std::make_unique<CuttingEngine>(target)) {}

ClipCutter::~ClipCutter() = default;

QPaintEngine* ClipCutter::paintEngine() const { return engine_.get(); }

int ClipCutter::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth: return target_.width();
        case PdmHeight: return target_.height();
        case PdmWidthMM: return target_.widthMM();
        case PdmHeightMM: return target_.heightMM();
        case PdmNumColors: return target_.colorCount();
        case PdmDepth: return target_.depth();
        case PdmDpiX: return target_.logicalDpiX();
        case PdmDpiY: return target_.logicalDpiY();
        case PdmPhysicalDpiX: return target_.physicalDpiX();
        case PdmPhysicalDpiY: return target_.physicalDpiY();
        case PdmDevicePixelRatio: return int(target_.devicePixelRatio());
        case PdmDevicePixelRatioScaled: return int(target_.devicePixelRatio() * devicePixelRatioFScale());
    }
    return 0;
}

}  // namespace cardart
