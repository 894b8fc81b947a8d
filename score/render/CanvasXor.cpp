// The marks XORed onto the canvas over the page, each taken away again by
// a second drawing.
#include <QtGlobal>
#include <algorithm>

#include "score/render/Canvas.h"

void Canvas::xorEraseMarker(int x, int y) {
  // The square of ten by ten pixels from (x - 5, y - 5): its outline
  // XORed with pure green, its inside with the darker green, each pixel
  // once, so that a second drawing restores the picture exactly.
  constexpr QRgb Outline = MarkerOutline, Fill = MarkerFill;
  record_.addXorMarker(x, y);
  const int width = image_.width(), height = image_.height();
  if (x < -5 || y < -5 || x > width + 5 || y > height + 5) return;
  for (int row = y - 5; row < y + 5; ++row) {
    if (row < 0 || row >= height) continue;
    QRgb *line = reinterpret_cast<QRgb *>(image_.scanLine(row));
    for (int column = x - 5; column < x + 5; ++column) {
      if (column < 0 || column >= width) continue;
      const bool edge =
          row == y - 5 || row == y + 4 || column == x - 5 || column == x + 4;
      line[column] ^= edge ? Outline : Fill;
    }
  }
}

void Canvas::xorFrame(int left, int top, int right, int bottom) {
  // Windows frames a rectangle on the pixels from (left, top) to
  // (right - 1, bottom - 1); the corners are put in order first, and 64
  // bits keep far-off corners from overflowing.
  constexpr QRgb Pen = FramePen;
  record_.addXorFrame(left, top, right, bottom);
  qint64 l = std::min(left, right), r = std::max(left, right) - qint64(1);
  qint64 t = std::min(top, bottom), b = std::max(top, bottom) - qint64(1);
  if (r < l || b < t) return;
  const qint64 width = image_.width(), height = image_.height();
  const auto flip = [this](qint64 x, qint64 y) {
    reinterpret_cast<QRgb *>(image_.scanLine(int(y)))[x] ^= Pen;
  };
  const qint64 x0 = std::max<qint64>(l, 0), x1 = std::min(r, width - 1);
  for (qint64 y : {t, b}) {
    if (y < 0 || y >= height) continue;
    for (qint64 x = x0; x <= x1; ++x) flip(x, y);
    if (b == t) break;  // one row: each pixel once
  }
  const qint64 y0 = std::max(t + 1, qint64(0)),
               y1 = std::min(b - 1, height - 1);
  for (qint64 x : {l, r}) {
    if (x < 0 || x >= width) continue;
    for (qint64 y = y0; y <= y1; ++y) flip(x, y);
    if (r == l) break;  // one column
  }
}
