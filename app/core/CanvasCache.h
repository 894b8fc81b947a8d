#pragma once

// What a command says once it has changed the page: which part of the
// canvas no longer shows it. The canvas is a picture of the page kept for
// speed; the document brings it up to date after each step, in one place.
class CanvasCache {
 public:
  // The inputs from `first` on are new at the end of the list.
  virtual void inputsAppended(int first) = 0;
  // Inputs were removed, moved or put back.
  virtual void inputsChanged() = 0;
  // The paper changed size or every input moved: the canvas is made anew,
  // and no rectangle stays on it.
  virtual void wholePageChanged() = 0;

 protected:
  ~CanvasCache() = default;
};
