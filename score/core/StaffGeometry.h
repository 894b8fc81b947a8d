#pragma once

// Where the staff paper's lines lie, in pixels with y downwards from the
// top of the paper. The canvas, the website's SVG, the booklet and the
// edits that move whole staves all measure the paper by these.
namespace staff_geometry {

constexpr int StaffTop = 32;  // the first staff's top line
constexpr int LineGap = 8;    // between neighbouring lines of a staff
constexpr int LinesPerStaff = 5;
constexpr int StaffPitch = 64;   // from a staff's top line to the next's
constexpr int StaffMargin = 20;  // blank columns at either end of a line
// The last staff's bottom line and the 35 blank rows below it.
constexpr int BottomSpace = 36;

// The y of line `line` (0 at the top) of staff `staff` (0 at the top).
constexpr int lineY(int staff, int line) {
  return StaffTop + StaffPitch * staff + LineGap * line;
}

// The y of the middle line of staff `staff`, where a clef is centred.
constexpr int middleLineY(int staff) { return lineY(staff, LinesPerStaff / 2); }

// The paper's height for a staff count: the last bottom line lies at
// StaffPitch x count.
constexpr int canvasHeight(int staffCount) {
  return StaffPitch * staffCount + BottomSpace;
}

// A line runs from StaffMargin up to this x, which it leaves out.
constexpr int lineEndX(int paperWidth) { return paperWidth - StaffMargin; }

}  // namespace staff_geometry
