#include "app/core/StepEraser.h"

#include <algorithm>

#include "app/core/DocumentView.h"
#include "app/core/PageChanges.h"
#include "score/core/Decimal.h"
#include "score/core/ScorePage.h"

StepEraser::StepEraser(ScorePage &page, DocumentView &view,
                       PageChanges &changes)
    : page_(page), view_(view), changes_(changes) {}

void StepEraser::takeMarkerAway() {
  // Drawn again at the same place, the marker goes.
  if (markedPosition_ != 0)
    view_.drawEraseMarker(markerPoint_.x(), markerPoint_.y());
  markedPosition_ = 0;
}

StepEraseState StepEraser::open() {
  // A marker still drawn from before goes with the state it belonged to.
  takeMarkerAway();
  position_ = 0;
  changes_.canvasDrawn();
  return {0, page_.count(), false};
}

StepEraseState StepEraser::markAt(int position) {
  takeMarkerAway();
  position_ = std::clamp(position, 0, page_.count());
  position = position_;
  if (position > 0) {
    const std::optional<int> x = parseDecimal(page_.Inputs.x(position - 1));
    const std::optional<int> y = parseDecimal(page_.Inputs.y(position - 1));
    // An input whose place is not a number cannot be marked; it can still
    // be erased.
    if (x && y) {
      markerPoint_ = QPoint(*x, *y);
      view_.drawEraseMarker(*x, *y);
      markedPosition_ = position;
    }
  }
  changes_.canvasDrawn();
  return {position, page_.count(), position > 0};
}

StepEraseState StepEraser::eraseMarked() {
  const int position = position_;
  if (position < 1) return {0, page_.count(), false};
  // The fresh canvas shows no marker.
  markedPosition_ = 0;
  changes_.removeInputs({position - 1}, QStringLiteral("逐次消去"));
  return markAt(position - 1);
}

void StepEraser::close() {
  markedPosition_ = 0;
  changes_.redrawAll();
}
