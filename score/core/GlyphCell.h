#pragma once

// A glyph is a 32 x 32 stamp whose centre pixel, its anchor, falls on the
// point of its input.
namespace glyph_cell {

constexpr int Count = 41;  // indices 0..40
constexpr int Size = 32;
constexpr int Anchor = 16;  // column and row of the anchor in the cell

constexpr bool isValidIndex(int index) { return index >= 0 && index < Count; }

// True when the cell anchored at (x, y) has a pixel on paper of the given
// size. Points come from page files and may lie anywhere in 32 bits, so
// they are only compared, never moved.
constexpr bool meetsPaper(int x, int y, int width, int height) {
  return x > Anchor - Size && y > Anchor - Size && x < width + Anchor &&
         y < height + Anchor;
}

}  // namespace glyph_cell
