#include "app/core/PageEdits.h"

#include "app/core/PageChanges.h"
#include "app/core/PageSwitch.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "edit/core/RegionMoves.h"
#include "score/core/Decimal.h"
#include "score/core/ScorePage.h"
#include "score/core/StaffGeometry.h"

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
  changes_.removeInputs({count - 1}, QStringLiteral("一入力消す"));
}

void PageEdits::shiftPageUp() { shiftPage(-staff_geometry::StaffPitch); }

void PageEdits::shiftPageDown() { shiftPage(staff_geometry::StaffPitch); }

void PageEdits::shiftPage(int dy) {
  // Every Y is checked before any moves: a page is shifted whole or not at
  // all.
  const InputList &inputs = page_.Inputs;
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
  }
  changes_.shiftPage(dy);
}

void PageEdits::appendClefsAndBarlines(
    const clefs_and_barlines::Choice &choice) {
  InputList run;
  for (const clefs_and_barlines::GlyphInput &input :
       clefs_and_barlines::inputs(choice, page_.StaffWidth))
    run.append(glyphContent(input.glyph), input.x, input.y);
  // Marked even when nothing was asked for.
  if (run.isEmpty())
    changes_.markModified();
  else
    changes_.appendInputs(std::move(run), QStringLiteral("音部記号・小節線"));
}

void PageEdits::newPageOfStaves(int staffCount) {
  if (!pages_.askSaveQuestion()) return;
  page_.StaffCount = staffCount;
  pages_.newPage();
}

void PageEdits::applyPaperDialog(int staffCount, int staffWidth) {
  changes_.changePaper(staffCount, staffWidth);
}
