#include "edit/core/RegionMoves.h"

namespace region_moves {

int step(MoveArrow arrow, Qt::KeyboardModifiers modifiers) {
  // The modifiers count as a whole set: Shift with Ctrl, or either with
  // Alt, is a one-pixel step.
  const Qt::KeyboardModifiers held =
      modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                   Qt::MetaModifier);
  const bool vertical = isVertical(arrow);
  int size = 1;
  if (held == Qt::ShiftModifier)
    size = vertical ? 64 : 66;
  else if (held == Qt::ControlModifier)
    size = vertical ? 32 : 33;
  return arrow == MoveArrow::Up || arrow == MoveArrow::Left ? -size : size;
}

}  // namespace region_moves
