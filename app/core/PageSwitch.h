#pragma once

class QIODevice;

// What the commands that put another page in place of the open one ask of
// the document: whether the open page may go, and the next page.
class PageSwitch {
 public:
  // The save question while the page is modified; true when the page may
  // be let go.
  virtual bool askSaveQuestion() = 0;
  // Reads the page at its path, or from `source` when given; false when it
  // could not be read, which was said, and an empty page is shown.
  virtual bool load(QIODevice *source) = 0;
  virtual void newPage() = 0;

 protected:
  ~PageSwitch() = default;
};
