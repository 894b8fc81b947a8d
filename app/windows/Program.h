#pragma once

#include <memory>

#include "app/windows/MainWindow.h"

class TForm3;

// The program as a whole: the main window and the text window, created at
// start, and the tool windows, built when first wanted; all live until the
// program ends.
class Program {
 public:
  explicit Program(const TForm1::Services &services);
  ~Program();

  TForm1 &main() { return *main_; }
  TForm2 &palette() { return main_->notePalette(); }
  // The text window, its memo holding the page text.
  TForm3 &text();
  TForm5 &letter() { return main_->letterWindow(); }
  TForm9 &rect() { return main_->rectWindow(); }
  TForm6 &clefs() { return main_->clefWindow(); }

 private:
  std::unique_ptr<TForm1> main_;
  // The text window belongs to the main window and goes with it.
  TForm3 *text_ = nullptr;
};
