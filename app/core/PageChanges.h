#pragma once

#include <QByteArray>

// What an object beside the page asks of the document once it has changed
// the page: the canvas drawn anew, one input drawn, the modified mark.
// The document answers; the rest of its workings stay its own.
class PageChanges {
 public:
  // Fresh staff paper with no input on it.
  virtual void redrawPaper() = 0;
  // Every input drawn over the current picture.
  virtual void replayInputs() = 0;
  // Fresh staff paper with every input drawn again.
  virtual void redrawAll() = 0;
  // A new canvas size for the page, with every input drawn again.
  virtual void redrawResized() = 0;
  // Appends an input and draws it alone.
  virtual void appendInput(const QByteArray &content, int x, int y) = 0;
  // Something beside the page was drawn on the canvas (a frame, a marker):
  // the window shows the canvas again.
  virtual void canvasDrawn() = 0;
  virtual void setModified(bool modified) = 0;

 protected:
  ~PageChanges() = default;
};
