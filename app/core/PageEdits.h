#pragma once

#include "app/core/StepEraser.h"
#include "edit/core/ClefsAndBarlines.h"

class Document;

// Edits that act on the whole page rather than on a place in it: undo of
// the last input, the shift by a staff, the clefs and barlines, the staff
// paper, and step erase.
class PageEdits {
 public:
  explicit PageEdits(Document &document)
      : doc_(document), stepEraser_(document) {}

  void undoLastInput();
  // Every input one staff up or down.
  void shiftPageUp();
  void shiftPageDown();
  // Appends the clefs and barlines the dialog asks for.
  void appendClefsAndBarlines(const clefs_and_barlines::Choice &choice);
  // A new empty page of this many staves, after the save question.
  void newPageOfStaves(int staffCount);
  // The staff paper dialog was confirmed with these values.
  void applyPaperDialog(int staffCount, int staffWidth);
  StepEraser &stepEraser() { return stepEraser_; }

 private:
  void shiftPage(int dy);

  Document &doc_;
  StepEraser stepEraser_;
};
