#pragma once

#include <QtCore/qnamespace.h>

#include <QString>

// The arrow buttons that move a selected region.
enum class MoveArrow { Up, Down, Left, Right };

namespace region_moves {

// The pixels an arrow moves the region when a mouse button is let go on it
// with `modifiers` held: a staff (64 down, 66 across) with Shift alone,
// half of that with Ctrl alone, one pixel with anything else. Negative
// steps go up and left.
int step(MoveArrow arrow, Qt::KeyboardModifiers modifiers);

// The refusal of a move that would take a place past the range of whole
// numbers; the region or the page stays where it was.
inline QString noFurtherMessage() {
  return QStringLiteral("これ以上動かせません。");
}

inline bool isVertical(MoveArrow arrow) {
  return arrow == MoveArrow::Up || arrow == MoveArrow::Down;
}

}  // namespace region_moves
