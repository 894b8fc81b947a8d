#include "export/core/StaffDescription.h"

#include <algorithm>
#include <climits>
#include <tuple>

#include "base/core/Cp932.h"
#include "score/core/GlyphNames.h"
#include "score/core/InputMarks.h"
#include "score/core/ScorePage.h"
#include "score/core/StaffGeometry.h"

namespace staff_description {
namespace {

struct Placed {
  int staff;
  int x;  // the mark's middle, across
  int y;
  int input;
  QString item;
};

// A glyph belongs to the staff whose middle line is nearest. A text is
// placed by its top and is mostly a word under a staff (a note's name, a
// clef's name), so it belongs to the staff above it until it reaches the
// next staff's lines.
int staffOf(const InputMark &mark, int staffCount) {
  using namespace staff_geometry;
  long long staff;
  if (mark.isGlyph) {
    const long long fromFirst = mark.y - middleLineY(0) + StaffPitch / 2;
    staff = fromFirst >= 0 ? fromFirst / StaffPitch : -1;
  } else {
    const long long fromFirst = mark.y - (StaffTop - LineGap);
    staff = fromFirst >= 0 ? fromFirst / StaffPitch : -1;
  }
  return int(std::clamp<long long>(staff, 0, std::max(0, staffCount - 1)));
}

// Texts are placed by their left end; a character of code page 932 is
// 6 pixels wide per byte, so its middle is 3 pixels per byte further on.
int middleOf(const InputMark &mark) {
  if (mark.isGlyph) return mark.x;
  return int(std::min<qsizetype>(mark.x + 3 * mark.text.size(), INT_MAX));
}

}  // namespace

QList<Staff> describe(const ScorePage &page) {
  const int width = page.StaffWidth;
  const int height = staff_geometry::canvasHeight(page.StaffCount);
  QList<Placed> placed;
  InputMarks marks(page.Inputs, width, height);
  for (InputMark mark; marks.next(mark);) {
    const QString item = mark.isGlyph
                             ? glyph_names::name(mark.glyph)
                             : QStringLiteral("「%1」").arg(
                                   cp932::toUnicode(mark.text.toByteArray()));
    placed.append({staffOf(mark, page.StaffCount), middleOf(mark), mark.y,
                   mark.input, item});
  }
  // A chord or a note with its ledger line reads from the top down; marks
  // in one place keep the order they were put in.
  std::sort(placed.begin(), placed.end(), [](const Placed &a, const Placed &b) {
    return std::tie(a.staff, a.x, a.y, a.input) <
           std::tie(b.staff, b.x, b.y, b.input);
  });
  QList<Staff> staves;
  for (const Placed &mark : placed) {
    if (staves.isEmpty() || staves.last().number != mark.staff + 1)
      staves.append(Staff{mark.staff + 1, {}});
    staves.last().items.append(mark.item);
  }
  return staves;
}

QString sentence(const Staff &staff) {
  return QStringLiteral("%1段目：%2")
      .arg(staff.number)
      .arg(staff.items.join(QStringLiteral("、")));
}

QStringList sentences(const ScorePage &page) {
  QStringList said;
  for (const Staff &staff : describe(page)) said.append(sentence(staff));
  return said;
}

}  // namespace staff_description
