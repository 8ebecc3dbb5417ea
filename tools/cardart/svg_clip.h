// A paint device that passes everything on to another one, applying the
// painter's clip by cutting the shapes. Qt's SVG writer of this version drops
// clips, and SVG's own clip-path is not drawn by Qt's SVG renderer either, so
// a clipped shape is written cut to the clip instead: a fill as its part
// inside the clip, a stroke as the outline of its part inside, filled with the
// pen's brush. Shapes wholly inside the clip are passed on as they are.
//
// Painting the cut shapes on an image shows what the SVG file should look
// like to Qt: a stroke of at most one pixel, drawn as an outline, is not
// rasterised as Qt rasterises thin lines.
#pragma once

#include <QPaintDevice>

#include <memory>

namespace cardart {

class ClipCutter : public QPaintDevice {
public:
    explicit ClipCutter(QPaintDevice& target);
    ~ClipCutter() override;
    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QPaintDevice& target_;
    std::unique_ptr<QPaintEngine> engine_;
};

}  // namespace cardart
