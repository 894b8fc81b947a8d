#pragma once

#include <QPoint>

#include "edit/core/StepEraseState.h"

class DocumentView;
class PageChanges;
class ScorePage;

// The step-erase window's work on the page: a marker walks back through
// the inputs and "消去" takes out the one it marks.
class StepEraser {
 public:
  StepEraser(ScorePage &page, DocumentView &view, PageChanges &changes);

  // The window became active: back to position 0, no marker.
  StepEraseState open();
  // The scroll bar moved to `position`: the input there is marked.
  StepEraseState markAt(int position);
  // The marked input goes and the one before it is marked.
  StepEraseState eraseMarked();
  // The window closed: no marker stays on the page.
  void close();

 private:
  void takeMarkerAway();

  ScorePage &page_;
  DocumentView &view_;
  PageChanges &changes_;
  int markedPosition_ = 0;  // 0: no marker drawn
  QPoint markerPoint_;
  int position_ = 0;  // where the scroll bar stands
};
