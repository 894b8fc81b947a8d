#pragma once

// The zooms the canvas is shown at, in per cent of its pixels.
namespace zoom_levels {

inline constexpr int Smallest = 25;
inline constexpr int Largest = 800;
inline constexpr int Natural = 100;

// A zoom within the range.
int bounded(int percent);
// The next level above `percent` (or below it), the range's end at the end.
int larger(int percent);
int smaller(int percent);
// `percent` moved by `steps` levels, up for positive steps.
int stepped(int percent, int steps);

}  // namespace zoom_levels
