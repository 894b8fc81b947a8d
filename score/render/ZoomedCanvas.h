#pragma once

#include <QImage>
#include <QPoint>
#include <QtGlobal>

class Canvas;

// How page pixels lie on device pixels at a scale: device pixel X shows
// page pixel floor(X / scale), so that the picture and a click agree on
// every pixel at every zoom.
class PixelScale {
 public:
  explicit PixelScale(double scale) : scale_(scale) {}
  double factor() const { return scale_; }
  // The first device pixel of page pixel p.
  qint64 edge(qint64 p) const;
  // The page pixel a device coordinate lies on.
  int pixelAt(double device) const;

 private:
  double scale_;
};

namespace zoomed_canvas {

// Draws the canvas at a scale of one or more into `target`, whose top-left
// pixel is device pixel `origin` of the whole picture: every page pixel of
// the staff lines, the glyphs and the XOR marks as a block of whole device
// pixels (they are pixel art), and the texts laid out at the device's
// resolution, so that they stay sharp. The picture is the canvas's paper
// and its record, in order; target pixels off the paper are left alone.
void draw(const Canvas &canvas, PixelScale scale, QImage &target,
          QPoint origin);

}  // namespace zoomed_canvas
