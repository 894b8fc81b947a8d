#pragma once

#include <QString>

#include "score/core/StaffGeometry.h"

// The sizes a page may have. The staff paper dialog offers 1..32 staves and
// widths of 60..1280; a page file may carry anything, so every size is
// checked here before a canvas is made from it.
namespace staff_limits {

constexpr int MinCount = 1;
constexpr int MaxCount = 32;
constexpr int MinWidth = 60;
constexpr int MaxWidth = 1280;

inline bool countInRange(int n) { return n >= MinCount && n <= MaxCount; }
inline bool widthInRange(int w) { return w >= MinWidth && w <= MaxWidth; }

inline int clampCount(int n) {
  return n < MinCount ? MinCount : n > MaxCount ? MaxCount : n;
}
inline int clampWidth(int w) {
  return w < MinWidth ? MinWidth : w > MaxWidth ? MaxWidth : w;
}

// The canvas height for a staff count, where callers of the limits look.
using staff_geometry::canvasHeight;

}  // namespace staff_limits
