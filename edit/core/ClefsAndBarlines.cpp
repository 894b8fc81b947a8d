#include "edit/core/ClefsAndBarlines.h"

namespace clefs_and_barlines {

namespace {

constexpr int StaffPitch = 64;
constexpr int ClefX = 30;
constexpr int LeftBarlineX = 20;

}  // namespace

QList<GlyphInput> inputs(const Choice &choice, int staffWidth) {
  QList<GlyphInput> out;
  // Middle lines as 64-bit sums: a typed staff number far off the page
  // must not overflow on its way there.
  auto middleLine = [&](int j) {
    return static_cast<int>(qint64(StaffPitch) * choice.firstStaff - 16 +
                            qint64(StaffPitch) * j);
  };
  const int n = choice.staffCount;
  if (choice.clef >= 1 && choice.clef <= 3) {
    for (int j = 0; j < n; ++j)
      out.append({choice.clef + 31, ClefX, middleLine(j)});
  } else if (choice.clef == 4) {
    for (int j = 0; j < n; ++j)
      out.append({j % 2 == 0 ? TrebleGlyph : BassGlyph, ClefX, middleLine(j)});
  }
  if (choice.barlines == 0) return out;
  const int m = choice.barlines + 2;
  const int c = choice.system;
  const int d = (staffWidth - 80) / m;
  int t = c != 0 ? 1 : 0;  // not 0: the staff is not the last of its system
  for (int j = 0; j < n; ++j) {
    const int y = middleLine(j);
    int x = staffWidth - 21;
    for (int k = 0; k < m; ++k) {
      out.append({BarlineGlyph, x, y});
      if (t != 0) out.append({BarlineGlyph, x, y + 32});
      x -= d;
    }
    if (c != 0) {
      out.append({BarlineGlyph, LeftBarlineX, y});
      if (t != 0) out.append({BarlineGlyph, LeftBarlineX, y + 32});
      if (++t == c + 1) t = 0;
    }
  }
  return out;
}

}  // namespace clefs_and_barlines
