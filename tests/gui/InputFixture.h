#pragma once

#include <QImage>
#include <QLineEdit>
#include <QTest>

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
