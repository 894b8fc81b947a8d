#pragma once

#include <memory>

#include "app/windows/MainWindow.h"

class TextWindow;

// The program as a whole: the main window and the text window, created at
// start, and the tool windows, built when first wanted; all live until the
// program ends.
class Program {
 public:
  explicit Program(const MainWindow::Services &services);
  ~Program();

  MainWindow &main() { return *main_; }
  NotePaletteWindow &palette() { return main_->notePalette(); }
  // The text window, its memo holding the page text.
  TextWindow &text();
  LetterWindow &letter() { return main_->letterWindow(); }
  RectEditWindow &rect() { return main_->rectWindow(); }
  ClefBarlineWindow &clefs() { return main_->clefWindow(); }

  // The program's exit status once its window has closed: 1 when the
  // settings could not be written (as the box said), else 0.
  int exitStatus();

 private:
  std::unique_ptr<MainWindow> main_;
  // The text window belongs to the main window and goes with it.
  TextWindow *text_ = nullptr;
};
