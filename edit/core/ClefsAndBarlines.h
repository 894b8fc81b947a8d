#pragma once

#include <QList>
#include <QString>

// Clefs at the left of a run of staves and barlines that divide each of
// them into equal bars, the staves of a system joined by barlines through
// the gaps between them.
namespace clefs_and_barlines {

constexpr int BarlineGlyph = 30;
constexpr int TrebleGlyph = 32;
constexpr int BassGlyph = 33;
constexpr int CGlyph = 34;

// The choices of the clef and barline dialog.
struct Choice {
  int clef = 1;      // 0 none, 1 treble, 2 bass, 3 C clef, 4 grand staff
  int barlines = 2;  // 0 none, else divisions into barlines + 2 bars
  int system = 0;    // staves per system, less one
  int firstStaff = 1;
  int staffCount = 1;
};

struct GlyphInput {
  int glyph;
  int x;
  int y;
  bool operator==(const GlyphInput &) const = default;
};

// A number field of the dialog as typed: a whole number, else 1.
int fieldValue(const QString &typed);

// The inputs to append, in order: the clefs staff by staff, then each
// staff's barlines from right to left, each followed by its joining
// barline, then the system's left barline and its joining barline.
// A run has at most as many staves as the largest page (none below one);
// a staff whose lines lie past the range of whole numbers gets nothing.
QList<GlyphInput> inputs(const Choice &choice, int staffWidth);

}  // namespace clefs_and_barlines
