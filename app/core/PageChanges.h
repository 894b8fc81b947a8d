#pragma once

#include <QList>
#include <QString>

class InputList;

// How an object beside the page changes it: each call is one step of the
// page's history, which the user can take back and do again. The document
// runs it, brings the canvas up to date and keeps the modified mark.
class PageChanges {
 public:
  // Appends inputs at the end; how many went in (fewer when the page is
  // full).
  virtual int appendInputs(InputList inputs, const QString &name) = 0;
  // Takes out the inputs at `indices` (ascending).
  virtual void removeInputs(QList<int> indices, const QString &name) = 0;
  // Moves the inputs at `indices` by whole pixels; each place must be a
  // number that stays one. A move joins the one before it when that moved
  // the same inputs, so that a run of arrow presses is one step.
  virtual void movePlaces(QList<int> indices, int dx, int dy) = 0;
  // Moves every input of the page `dy` pixels down (up when negative).
  virtual void shiftPage(int dy) = 0;
  virtual void changePaper(int staffCount, int staffWidth) = 0;
  // The page counts as changed without a step of its own.
  virtual void markModified() = 0;

  // Fresh staff paper with every input drawn again.
  virtual void redrawAll() = 0;
  // Something beside the page was drawn on the canvas (a frame, a marker):
  // the window shows the canvas again.
  virtual void canvasDrawn() = 0;

 protected:
  ~PageChanges() = default;
};
