#pragma once

class QIODevice;
class QString;

// What the commands that put another page in place of the open one ask of
// the document: whether the open page may go, and the next page.
class PageSwitch {
 public:
  // The save question while the page is modified; true when the page may
  // be let go.
  virtual bool askSaveQuestion() = 0;
  // Reads the page file at `path`, which becomes the page's; false when it
  // could not be read, which was said, and an empty page is shown.
  virtual bool load(const QString &path) = 0;
  // Reads a page out of text that is not a page file of its own (the
  // clipboard): the page has no file until it is saved.
  virtual bool loadFrom(QIODevice &source) = 0;
  virtual void newPage() = 0;

 protected:
  ~PageSwitch() = default;
};
