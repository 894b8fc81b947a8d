#pragma once

#include <memory>

#include "app/windows/MainWindow.h"

class NotePaletteWindow;
class TextWindow;
class LetterWindow;
class ClefBarlineWindow;
class RectEditWindow;

// The program as a whole: the resident windows, created in their fixed
// order and living until the program ends.
class Program {
 public:
  explicit Program(const MainWindow::Services &services);
  ~Program();

  MainWindow &main() { return *main_; }
  NotePaletteWindow &palette() { return *palette_; }
  TextWindow &text() { return *text_; }
  LetterWindow &letter() { return *letter_; }
  RectEditWindow &rect() { return *rect_; }
  ClefBarlineWindow &clefs() { return *clefs_; }

 private:
  std::unique_ptr<MainWindow> main_;
  // The tool windows belong to the main window and go with it.
  NotePaletteWindow *palette_ = nullptr;
  TextWindow *text_ = nullptr;
  LetterWindow *letter_ = nullptr;
  RectEditWindow *rect_ = nullptr;
  ClefBarlineWindow *clefs_ = nullptr;
};
