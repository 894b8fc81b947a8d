#include "app/core/ZoomLevels.h"

#include <algorithm>
#include <iterator>

namespace zoom_levels {
namespace {

// Whole and half steps above the natural size, where glyph pixels are
// placed; below it the page is only seen whole.
constexpr int Levels[] = {25, 50, 75, 100, 150, 200, 300, 400, 600, 800};

}  // namespace

int bounded(int percent) { return std::clamp(percent, Smallest, Largest); }

int larger(int percent) {
  const int *next =
      std::upper_bound(std::begin(Levels), std::end(Levels), bounded(percent));
  return next == std::end(Levels) ? Largest : *next;
}

int smaller(int percent) {
  const int *at =
      std::lower_bound(std::begin(Levels), std::end(Levels), bounded(percent));
  return at == std::begin(Levels) ? Smallest : *(at - 1);
}

int stepped(int percent, int steps) {
  for (; steps > 0; --steps) percent = larger(percent);
  for (; steps < 0; ++steps) percent = smaller(percent);
  return bounded(percent);
}

}  // namespace zoom_levels
