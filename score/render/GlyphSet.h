#pragma once

#include <QImage>
#include <array>
#include <cstdint>

#include "score/core/GlyphCell.h"

// The 41 glyphs of 32 x 32 pixels, drawn from the one-bit patterns in
// resources/glyphs. Each row of a glyph is kept as a 32-bit mask (bit 31 is
// column 0), so stamping a glyph is a few word operations per row.
class GlyphSet {
 public:
  static constexpr int Count = glyph_cell::Count;
  static constexpr int Size = glyph_cell::Size;
  static constexpr int Anchor = glyph_cell::Anchor;
  using Rows = std::array<std::uint32_t, Size>;

  static const GlyphSet &instance();

  static bool isValidIndex(int index) {
    return glyph_cell::isValidIndex(index);
  }
  // True when pixel (column, row) of the glyph is ink.
  bool ink(int index, int column, int row) const;
  const Rows &rows(int index) const { return rows_[index]; }
  // The glyph as an image: opaque black ink on transparent ground.
  QImage image(int index) const;

  // Paints the glyph's ink black with the cell's top-left corner at
  // (x - 16, y - 16), clipped to the image; other pixels stay as they were.
  // An index outside 0..40 draws nothing.
  void stamp(QImage &target, int x, int y, int index) const;
  // The same on the pixels of a 32-bit image held elsewhere (for drawing
  // while a painter is open on that image).
  void stamp(uchar *bits, int width, int height, qsizetype bytesPerLine, int x,
             int y, int index) const;

 private:
  GlyphSet();
  std::array<Rows, Count> rows_{};
};
