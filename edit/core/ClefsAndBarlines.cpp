#include "edit/core/ClefsAndBarlines.h"

#include <algorithm>
#include <climits>

#include "score/core/Decimal.h"
#include "score/core/StaffGeometry.h"
#include "score/core/StaffLimits.h"

namespace clefs_and_barlines {

namespace {

using staff_geometry::StaffPitch;
constexpr int ClefX = 30;
// The barlines stand on the first and the last pixel of the lines.
constexpr int LeftBarlineX = staff_geometry::StaffMargin;

}  // namespace

int fieldValue(const QString &typed) {
  return parseDecimal(typed.toUtf8()).value_or(1);
}

QList<GlyphInput> inputs(const Choice &choice, int staffWidth) {
  QList<GlyphInput> out;
  // Middle lines as 64-bit sums: a typed staff number far off the page
  // must not overflow on its way there.
  auto lineOf = [&](int j) {
    return qint64(StaffPitch) * (qint64(choice.firstStaff) - 1 + j) +
           staff_geometry::middleLineY(0);
  };
  auto fits = [&](int j) {
    return lineOf(j) >= INT_MIN && lineOf(j) + StaffPitch / 2 <= INT_MAX;
  };
  auto middleLine = [&](int j) { return static_cast<int>(lineOf(j)); };
  const int n = std::min(choice.staffCount, staff_limits::MaxCount);
  if (choice.clef >= 1 && choice.clef <= 3) {
    for (int j = 0; j < n; ++j)
      if (fits(j)) out.append({choice.clef + 31, ClefX, middleLine(j)});
  } else if (choice.clef == 4) {
    for (int j = 0; j < n; ++j)
      if (fits(j))
        out.append(
            {j % 2 == 0 ? TrebleGlyph : BassGlyph, ClefX, middleLine(j)});
  }
  if (choice.barlines == 0) return out;
  const int m = choice.barlines + 2;
  const int c = choice.system;
  const int d = (staffWidth - 80) / m;
  int t = c != 0 ? 1 : 0;  // not 0: the staff is not the last of its system
  for (int j = 0; j < n; ++j) {
    const int y = middleLine(j);
    auto barline = [&](int x) {
      out.append({BarlineGlyph, x, y});
      if (t != 0) out.append({BarlineGlyph, x, y + StaffPitch / 2});
    };
    if (fits(j)) {
      for (int k = 0, x = staff_geometry::lineEndX(staffWidth) - 1; k < m;
           ++k, x -= d)
        barline(x);
      if (c != 0) barline(LeftBarlineX);
    }
    if (c != 0 && ++t == c + 1) t = 0;
  }
  return out;
}

}  // namespace clefs_and_barlines
