#pragma once

// Where a stamped glyph's anchor lands vertically: on the nearest multiple
// of 4, with a remainder of 2 going down the page. Staff lines lie every 8
// pixels on multiples of 8, so a note head sits on a line or in a space.
constexpr int snapToStaffGrid(int y) {
  const int r = ((y % 4) + 4) % 4;  // also right above the canvas
  return r < 2 ? y - r : y + 4 - r;
}
