#include "app/core/PageEdits.h"

#include "app/core/PageChanges.h"
#include "app/core/PageSwitch.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "edit/core/RegionMoves.h"
#include "score/core/Decimal.h"
#include "score/core/ScorePage.h"

namespace {

constexpr int StaffPitch = 64;

}  // namespace

PageEdits::PageEdits(ScorePage &page, Messages &messages, DocumentView &view,
                     PageChanges &changes, PageSwitch &pages)
    : page_(page),
      messages_(messages),
      changes_(changes),
      pages_(pages),
      stepEraser_(page, view, changes) {}

void PageEdits::undoLastInput() {
  const int count = page_.count();
  if (count == 0) {
    messages_.beep();
    return;
  }
  page_.removeAt(count - 1);
  changes_.redrawAll();
  changes_.setModified(true);
}

void PageEdits::shiftPageUp() { shiftPage(-StaffPitch); }

void PageEdits::shiftPageDown() { shiftPage(StaffPitch); }

void PageEdits::shiftPage(int dy) {
  // Every Y is checked before any moves: a page is shifted whole or not at
  // all.
  const InputList &inputs = page_.Inputs;
  InputList shifted;
  shifted.reserve(inputs.byteCount() + inputs.count(), inputs.count());
  for (int i = 0; i < inputs.count(); ++i) {
    const std::optional<int> y = parseDecimal(inputs.y(i));
    if (!y) {
      messages_.notAnInteger(cp932::toUnicode(inputs.y(i).toByteArray()));
      return;
    }
    const qint64 moved = qint64(*y) + dy;
    if (moved < INT_MIN || moved > INT_MAX) {
      messages_.error(region_moves::noFurtherMessage());
      return;
    }
    shifted.append(inputs.content(i), inputs.x(i),
                   QByteArray::number(static_cast<int>(moved)));
  }
  page_.Inputs = std::move(shifted);
  changes_.redrawResized();
  changes_.setModified(true);
}

void PageEdits::appendClefsAndBarlines(
    const clefs_and_barlines::Choice &choice) {
  for (const clefs_and_barlines::GlyphInput &input :
       clefs_and_barlines::inputs(choice, page_.StaffWidth))
    changes_.appendInput(glyphContent(input.glyph), input.x, input.y);
  // Marked even when nothing was asked for.
  changes_.setModified(true);
}

void PageEdits::newPageOfStaves(int staffCount) {
  if (!pages_.askSaveQuestion()) return;
  page_.StaffCount = staffCount;
  pages_.newPage();
}

void PageEdits::applyPaperDialog(int staffCount, int staffWidth) {
  page_.StaffCount = staffCount;
  page_.StaffWidth = staffWidth;
  changes_.redrawResized();
  changes_.setModified(true);
}
