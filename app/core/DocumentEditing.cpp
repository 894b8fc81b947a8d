// The document's editing commands: the whole-page shift and the clefs and
// barlines.
#include "app/core/Document.h"
#include "app/core/DocumentView.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "edit/core/RegionMoves.h"
#include "score/core/Decimal.h"

namespace {

constexpr int StaffPitch = 64;

}  // namespace

void Document::shiftPageUp() { shiftPage(-StaffPitch); }

void Document::shiftPageDown() { shiftPage(StaffPitch); }

void Document::shiftPage(int dy) {
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
  resizeCanvas();
  replayInputs();
  setModified(true);
}

void Document::appendGlyph(int glyph, int x, int y) {
  appendInput(glyphContent(glyph), x, y);
}

void Document::appendClefsAndBarlines(
    const clefs_and_barlines::Choice &choice) {
  for (const clefs_and_barlines::GlyphInput &input :
       clefs_and_barlines::inputs(choice, page_.StaffWidth))
    appendGlyph(input.glyph, input.x, input.y);
  // Marked even when nothing was asked for.
  setModified(true);
}

void Document::undoLastInput() {
  const int count = page_.count();
  if (count == 0) {
    messages_.beep();
    return;
  }
  page_.removeAt(count - 1);
  redrawAll();
  setModified(true);
}
