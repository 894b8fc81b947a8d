#pragma once

#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <cmath>

#include "app/windows/ZoomControl.h"
#include "score/windows/CanvasView.h"
#include "score/windows/LetterWindow.h"
#include "score/windows/NotePalette.h"
#include "support/ProgramFixture.h"

// The real windows with the mouse on the canvas.
class InputTest : public ProgramTest {
 protected:
  NotePaletteWindow &palette() { return program->palette(); }
  LetterWindow &letter() { return program->letter(); }
  CanvasView *canvasView() { return child<CanvasView>(form(), "Image1"); }
  QLineEdit *letterField() { return child<QLineEdit>(letter(), "Edit1"); }

  void click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(canvasView(), button, {}, QPoint(x, y));
  }
  const QImage &canvas() { return form().canvasImage(); }
  void zoomTo(int percent) {
    child<ZoomControl>(form(), "Zoom")->zoomTo(percent);
  }
  // The first widget pixel of a page pixel at a zoom in per cent.
  static QPoint shownAt(int x, int y, int percent) {
    return {int(std::ceil(x * percent / 100.0)),
            int(std::ceil(y * percent / 100.0))};
  }

  // The last input of the page as its three stored texts.
  QList<QByteArray> lastInput() {
    if (page().count() == 0) return {};
    return {contentsOf(page().Inputs).last(), xsOf(page().Inputs).last(),
            ysOf(page().Inputs).last()};
  }
};

// The pixels that differ between two pictures of the same size.
inline QList<QPoint> changedPixels(const QImage &before, const QImage &after) {
  QList<QPoint> changed;
  for (int y = 0; y < after.height(); ++y)
    for (int x = 0; x < after.width(); ++x)
      if (before.pixel(x, y) != after.pixel(x, y)) changed << QPoint(x, y);
  return changed;
}

// What a screen shows of the canvas at `scale` device pixels a page pixel
// when every pixel is drawn as a block: device pixel X shows page pixel
// floor(X / scale), as a click there reads it.
inline QImage blockScaled(const QImage &canvas, double scale, QSize size) {
  QImage shown(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      shown.setPixel(
          x, y,
          canvas.pixel(std::min(int(x / scale), canvas.width() - 1),
                       std::min(int(y / scale), canvas.height() - 1)));
  return shown;
}
