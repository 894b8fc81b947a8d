#pragma once

#include "app/core/StepEraser.h"
#include "edit/core/ClefsAndBarlines.h"

class DocumentView;
class Messages;
class PageChanges;
class PageSwitch;
class ScorePage;

// Edits that act on the whole page rather than on a place in it: undo of
// the last input, the shift by a staff, the clefs and barlines, the staff
// paper, and step erase.
class PageEdits {
 public:
  PageEdits(ScorePage &page, Messages &messages, DocumentView &view,
            PageChanges &changes, PageSwitch &pages);

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

  ScorePage &page_;
  Messages &messages_;
  PageChanges &changes_;
  PageSwitch &pages_;
  StepEraser stepEraser_;
};
