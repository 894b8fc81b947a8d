#include "app/core/PageEdits.h"

#include "app/core/Document.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "edit/core/RegionMoves.h"
#include "score/core/Decimal.h"

namespace {

constexpr int StaffPitch = 64;

}  // namespace

void PageEdits::undoLastInput() {
  ScorePage &page = doc_.page_;
  const int count = page.count();
  if (count == 0) {
    doc_.messages_.beep();
    return;
  }
  page.removeAt(count - 1);
  doc_.redrawAll();
  doc_.setModified(true);
}

void PageEdits::shiftPageUp() { shiftPage(-StaffPitch); }

void PageEdits::shiftPageDown() { shiftPage(StaffPitch); }

void PageEdits::shiftPage(int dy) {
  // Every Y is checked before any moves: a page is shifted whole or not at
  // all.
  const InputList &inputs = doc_.page_.Inputs;
  InputList shifted;
  shifted.reserve(inputs.byteCount() + inputs.count(), inputs.count());
  for (int i = 0; i < inputs.count(); ++i) {
    const std::optional<int> y = parseDecimal(inputs.y(i));
    if (!y) {
      doc_.messages_.notAnInteger(cp932::toUnicode(inputs.y(i).toByteArray()));
      return;
    }
    const qint64 moved = qint64(*y) + dy;
    if (moved < INT_MIN || moved > INT_MAX) {
      doc_.messages_.error(region_moves::noFurtherMessage());
      return;
    }
    shifted.append(inputs.content(i), inputs.x(i),
                   QByteArray::number(static_cast<int>(moved)));
  }
  doc_.page_.Inputs = std::move(shifted);
  doc_.redrawResized();
  doc_.setModified(true);
}

void PageEdits::appendClefsAndBarlines(
    const clefs_and_barlines::Choice &choice) {
  for (const clefs_and_barlines::GlyphInput &input :
       clefs_and_barlines::inputs(choice, doc_.page_.StaffWidth))
    doc_.appendInput(glyphContent(input.glyph), input.x, input.y);
  // Marked even when nothing was asked for.
  doc_.setModified(true);
}

void PageEdits::newPageOfStaves(int staffCount) {
  if (!doc_.askSaveQuestion()) return;
  doc_.page_.StaffCount = staffCount;
  doc_.newPage();
}

void PageEdits::applyPaperDialog(int staffCount, int staffWidth) {
  doc_.page_.StaffCount = staffCount;
  doc_.page_.StaffWidth = staffWidth;
  doc_.redrawResized();
  doc_.setModified(true);
}
