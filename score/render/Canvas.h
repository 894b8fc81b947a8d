#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

#include "score/core/InputMarks.h"
#include "score/render/CanvasRecord.h"

class ScorePage;

// The picture of the open page: white staff paper with every input drawn
// on it in list order. It is derived data; the page model is the truth.
class Canvas {
 public:
  // Where a replay stopped: the input and the text that is not a number.
  using ReplayError = MarkStop;

  Canvas();

  const QImage &image() const { return image_; }
  QImage &image() { return image_; }
  int staffCount() const { return staffCount_; }
  // What has been drawn over the paper since it was made, for drawing the
  // picture again at another scale.
  const CanvasRecord &record() const { return record_; }

  // A fresh white bitmap of the current size with `staffCount` staves.
  void RedrawPaper(int staffCount);
  // Sizes the canvas for the staves and width, then draws fresh paper.
  void ResizeCanvas(int staffCount, int staffWidth);
  // Draws every input of the page on top of the current picture. Stops at
  // the first input with a number that does not convert and reports it;
  // the inputs before it stay drawn.
  std::optional<ReplayError> ReplayInputs(const ScorePage &page);

  // Draws one input alone: a glyph reference or a text.
  void drawInput(const QByteArray &content, int x, int y);
  void drawGlyph(int x, int y, int index);
  void drawText(int x, int y, const QByteArray &text);
  // A filled 11 x 11 square centred on (x, y), XORed onto the picture with a
  // green outline and a darker green fill: drawn twice, it is gone.
  void xorEraseMarker(int x, int y);
  // The outline of the pixels from the smaller corner up to one before the
  // larger, XORed with RGB(0, 128, 0), each pixel once: drawn twice, it is
  // gone. Nothing is drawn without width or height; the parts outside the
  // picture are left out.
  void xorFrame(int left, int top, int right, int bottom);
  // The colours those two marks are XORed with.
  static constexpr QRgb FramePen = 0x00008000u;
  static constexpr QRgb MarkerOutline = 0x0000FF00u;
  static constexpr QRgb MarkerFill = 0x00008000u;

 private:
  int staffCount_ = 4;
  QImage image_;
  CanvasRecord record_;
};
