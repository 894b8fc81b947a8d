// The document's editing commands: the whole-page shift, step erase and
// the clefs and barlines.
#include <algorithm>

#include "app/core/Document.h"
#include "app/core/DocumentView.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "edit/core/RegionMoves.h"
#include "score/core/Decimal.h"

namespace {

constexpr int StaffPitch = 64;

}  // namespace

void Document::Up1Click() { shiftPage(-StaffPitch); }

void Document::Down1Click() { shiftPage(StaffPitch); }

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
  ResizeCanvas();
  ReplayInputs();
  setModified(true);
}

Document::StepErase Document::stepEraseActivated() {
  // A marker still drawn from before goes with the state it belonged to.
  if (MarkedPosition != 0)
    view_.drawEraseMarker(MarkerPoint.x(), MarkerPoint.y());
  MarkedPosition = 0;
  erasePosition_ = 0;
  emit canvasChanged();
  return {0, page_.count(), false};
}

Document::StepErase Document::stepEraseMoved(int position) {
  if (MarkedPosition != 0)
    view_.drawEraseMarker(MarkerPoint.x(), MarkerPoint.y());
  MarkedPosition = 0;
  erasePosition_ = std::clamp(position, 0, page_.count());
  position = erasePosition_;
  if (position > 0) {
    const std::optional<int> x = parseDecimal(page_.Inputs.x(position - 1));
    const std::optional<int> y = parseDecimal(page_.Inputs.y(position - 1));
    // An input whose place is not a number cannot be marked; it can still
    // be erased.
    if (x && y) {
      MarkerPoint = QPoint(*x, *y);
      view_.drawEraseMarker(*x, *y);
      MarkedPosition = position;
    }
  }
  emit canvasChanged();
  return {position, page_.count(), position > 0};
}

Document::StepErase Document::stepEraseErase() {
  const int position = erasePosition_;
  if (position < 1) return {0, page_.count(), false};
  page_.removeAt(position - 1);
  // The fresh canvas shows no marker.
  MarkedPosition = 0;
  FullRedraw();
  setModified(true);
  return stepEraseMoved(position - 1);
}

void Document::stepEraseClosed() {
  MarkedPosition = 0;
  FullRedraw();
}

void Document::AppendGlyphInput(int glyph, int x, int y) {
  appendInput(glyphContent(glyph), x, y);
}

void Document::appendClefsAndBarlines(
    const clefs_and_barlines::Choice &choice) {
  for (const clefs_and_barlines::GlyphInput &input :
       clefs_and_barlines::inputs(choice, page_.StaffWidth))
    AppendGlyphInput(input.glyph, input.x, input.y);
  // Marked even when nothing was asked for.
  setModified(true);
}
