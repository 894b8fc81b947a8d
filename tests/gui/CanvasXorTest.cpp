#include <gtest/gtest.h>

#include <QImage>

#include "app/render/PageCanvasView.h"

// The rubber band at its thinnest, on the view the document draws it on:
// the pixels it flips are listed by hand, not drawn by the code under test.

namespace {

struct Span {
  int x0, x1, y0, y1;  // inclusive
};

TEST(CanvasXor, AThinFrameFlipsExactlyItsPixelsAndASecondDrawingRestores) {
  const struct {
    const char *name;
    int left, top, right, bottom;
    QList<Span> flipped;
  } cases[] = {
      {"one pixel high", 10, 20, 15, 21, {{10, 14, 20, 20}}},
      {"one pixel high, corners swapped", 15, 21, 10, 20, {{10, 14, 20, 20}}},
      // Across the first staff line at y 32.
      {"one pixel wide", 30, 28, 31, 36, {{30, 30, 28, 35}}},
      {"one pixel", 50, 60, 51, 61, {{50, 50, 60, 60}}},
      {"two pixels high", 10, 70, 14, 72, {{10, 13, 70, 71}}},
      {"one pixel high, half outside", -3, 5, 2, 6, {{0, 1, 5, 5}}},
      {"no height", 10, 80, 20, 80, {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    PageCanvasView view;
    view.resizeCanvas(4, 610);
    const QImage paper = view.canvas().image();
    QImage expected = paper;
    for (const Span &s : c.flipped)
      for (int y = s.y0; y <= s.y1; ++y)
        for (int x = s.x0; x <= s.x1; ++x)
          expected.setPixel(x, y, paper.pixel(x, y) ^ 0x008000u);
    view.drawXorFrame(c.left, c.top, c.right, c.bottom);
    EXPECT_EQ(view.canvas().image(), expected);
    view.drawXorFrame(c.left, c.top, c.right, c.bottom);
    EXPECT_EQ(view.canvas().image(), paper);
  }
}

}  // namespace
